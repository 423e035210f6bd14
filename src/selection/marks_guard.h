#pragma once
// The questions that keep marks from being dropped unnoticed: before another load, Reset
// selection or a change of "Leave selected", and at the end of the program.

#include "model/board_model.h"
#include "settings/settings.h"

namespace tindral {

// The marks of the loaded board changed since they were last loaded or saved.
bool marks_unsaved(const BoardModel& board);

// Before the marks are dropped: when they are unsaved, asks whether to save them first. True to
// go on (saved, or the user drops them); false to keep everything as it is (Cancel, or the save
// failed or was declined).
bool may_drop_marks(BoardModel& board);

// Before the program ends, with "Save selections on exit" set: saves unsaved marks. When that
// fails, asks whether to end all the same. Without the setting, unsaved marks get the question
// of may_drop_marks. False to stay, with the marks as they are.
bool save_marks_before_exit(BoardModel& board, const Settings& s);

}  // namespace tindral
