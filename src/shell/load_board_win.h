#pragma once
// Loading the board named in the path combo box: file, model, fit, lists and drawing.

namespace tindral {

// The load stopped on the user's answer (keep the unsaved marks, or No to a question about the
// file): the path stays in the recent-path list.
constexpr int kLoadKeptByUser = -1;

// 1 when a board was read and shown, 0 when the load stopped (the user has been told why);
// the caller then drops the path from the recent-path list. kLoadKeptByUser: see above.
int load_board();

// What a load the walk abandoned, or one that ran out of memory, leaves: no board in the title,
// the lists, the counter and the drawing.
void show_no_board();

}  // namespace tindral
