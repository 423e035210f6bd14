#pragma once
// Taking every mark and the crosshair off the board and the main list.

namespace tindral {

// All components unselected, no current component, no crosshair, no row marked; the drawing
// area redrawn.
void clear_selection();

// The crosshair leaves the board and the current component becomes none.
void remove_crosshair();

}  // namespace tindral
