#pragma once
// Loading the board named in the path combo box: file, model, fit, lists and drawing.

namespace tindral {

// 1 when a board was read and shown, 0 when the load stopped (the user has been told why);
// the caller then drops the path from the recent-path list.
int load_board();

}  // namespace tindral
