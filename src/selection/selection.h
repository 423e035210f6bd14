#pragma once
// Saving and loading the marks of the loaded board in the file beside it. The states are those
// of board.marks; the caller redraws from them afterwards. The file is the one of
// board.path, the path the board was loaded from.

#include "model/board_model.h"

namespace tindral {

// Writes the marks. Before it replaces a file holding marks that this run neither loaded nor
// wrote, it asks. 1 on success, 0 after a reported failure (the previous file stays as it was),
// -1 when the user kept the file.
int save_selection(BoardModel& board);

// Reads the file (or the one of the older name) into the states after the user agreed to
// overwrite them; every state that is not 0 then becomes 2. A file that does not fit the board
// is never applied. Returns 1 when loaded and when there is no data (the user was told), 0 when
// the user declined, the file did not fit or after a reported failure.
int load_selection(BoardModel& board);

// Right after a board was loaded: when its selection file fits the board and holds marks, asks
// whether to load them. 1 when they were loaded, else 0 (a file that does not fit is named).
int offer_saved_marks(BoardModel& board);

}  // namespace tindral
