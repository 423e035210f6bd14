#include "selection/marks_guard.h"

#include "selection/selection.h"
#include "text/messages.h"

namespace tindral {

bool marks_unsaved(const BoardModel& board) {
    return board.board_loaded && board.marks.unsaved();
}

bool may_drop_marks(BoardModel& board) {
    if (!marks_unsaved(board)) return true;
    const int answer = message_box(Owner::main, text(TXT_SAVE_CHANGED_MARKS), text(TXT_TITLE_INFO),
                                   mb::yes_no_cancel | mb::icon_information | mb::task_modal);
    if (answer == mb::id_no) return true;
    if (answer != mb::id_yes) return false;
    return save_selection(board) == 1;
}

bool save_marks_before_exit(BoardModel& board, const Settings& s) {
    // Unchanged marks are on disk already, or were never loaded: writing them could only
    // replace marks the user did not see.
    if (board.placement_count == 0 || !marks_unsaved(board)) return true;
    // Without the automatic save an hour of marks would go with the window: asked as before a load.
    if (!s.save_selections_on_exit) return may_drop_marks(board);
    if (save_selection(board) != 0) return true;
    return message_box(Owner::main, text(TXT_EXIT_WITHOUT_SAVING), text(TXT_TITLE_WARNING),
                       mb::yes_no | mb::default_button2 | mb::icon_exclamation |
                           mb::task_modal) == mb::id_yes;
}

}  // namespace tindral
