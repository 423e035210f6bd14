#pragma once
// The board window's toolbar.

#include <windows.h>

namespace tindral {

// Creates the toolbar when there is none yet, then a new image list and the seven buttons,
// whose side buttons show the current side settings. Returns 0 when the toolbar could not be
// created (reported; the program goes on without it).
int build_toolbar(HWND parent);

// Drops the buttons and their images and builds them again, after a side was switched.
int rebuild_toolbar();

// Recomputes where the drawing area goes: below the toolbar, over the rest of the board
// window's client area.
void update_layout_placement();

}  // namespace tindral
