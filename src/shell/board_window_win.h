#pragma once
// The board window and its drawing area: one window procedure serves both classes.

#include <windows.h>

#include <cstdint>

namespace tindral {

LRESULT CALLBACK WndProcBoard(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);

// A component's selection changed: the component that was current before is settled (selected
// or unselected) and the drawing area is redrawn.
void redraw_element(uint32_t component);

// The crosshair over the current component; with from_found_list the current component is
// first taken from the found list's selected row.
void draw_crosshair(bool from_found_list);

// The component the crosshair follows; -1 for none.
void set_current_component(int32_t component);

// The drawing area's scroll bars from the view's scroll ranges.
void apply_scroll_ranges();

}  // namespace tindral
