#pragma once
// The board window's toolbar commands and the view changes behind them.

#include <windows.h>

namespace tindral {

// Runs a toolbar command (Top, Bottom, Refresh, Plus, Minus, Fit, Bring to front); false for
// any other command.
bool run_board_command(int command);

// The work after a side was toggled: toolbar images, BOM window, mirroring, main list, picture.
void refresh_sides();

// Fits the board into the drawing area's current client size (the button's arithmetic), sets
// the scroll bars and redraws.
void fit_area();

// Invalidates the drawing area and paints it at once.
void redraw_area();

}  // namespace tindral
