#pragma once
// The board picture's area inside the board window.

#include "view/board_view.h"

namespace tindral {

// Repaints the area at once, background first; nothing while the area does not exist.
void redraw_layout_area();

// The view fitted to the board in the area's present size, and the scroll bars to match.
void fit_layout_area(FitKind kind);

}  // namespace tindral
