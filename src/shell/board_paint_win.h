#pragma once
// The drawing area's picture: drawn into a memory bitmap and copied to the screen in one go, so
// the area never shows a half-drawn board; the crosshair is laid on top by exclusive-or.

#include <windows.h>

#include <cstdint>
#include <functional>

namespace tindral {

// WM_PAINT of the drawing area: draws the whole board into the picture (rebuilding the element
// box table), copies it and draws the crosshair afresh.
void paint_area(HWND area);

// Draws component e (and demoted, the one its choice settled, -1 for none) into the picture in
// their state colours and shows the result. Falls back to a full repaint when there is no
// picture of the current size yet.
void redraw_element_picture(uint32_t e, int32_t demoted);

// Draws the whole board into the picture on a second thread while `beside` runs on this one and
// the main list then paints what it changed, then shows the picture. `beside` may update the
// lists but must change nothing the board is drawn from (model, view, settings, find matches).
// Without a second thread, one after the other.
void redraw_area_beside(const std::function<void()>& beside);

// Removes the crosshair drawn last (when there is one) and draws it over the current
// component, by exclusive-or on the screen.
void xor_crosshair();

// The memory device context holding the last full picture, or nullptr (for tests and timing).
HDC area_picture_dc();

// Releases the picture; the next paint makes a new one.
void release_area_picture();

}  // namespace tindral
