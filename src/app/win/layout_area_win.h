#pragma once
// The board picture's area inside the board window.

namespace tindral {

// Repaints the area at once, background first; nothing while the area does not exist.
void redraw_layout_area();

}  // namespace tindral
