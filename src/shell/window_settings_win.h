#pragma once
// Window rectangles into the settings, and the settings into the store.

#include <windows.h>

#include "settings/startup_rules.h"

namespace tindral {

// The window's screen rectangle as it is when neither minimised nor maximised. A minimised
// window sits at -32000, -32000: that must never become its place for the next start.
bool normal_window_rect(HWND hwnd, RECT& r);

// Copies the window's normal screen rectangle into its four settings.
void record_window(HWND hwnd, TopWindow which);

// The work area of the monitor nearest to r.
ScreenArea work_area_near(const WindowRect& r);

// The sixteen window-rectangle values into the store.
void store_window_settings();

// Every other setting into the store.
void store_settings();

}  // namespace tindral
