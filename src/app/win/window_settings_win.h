#pragma once
// Window rectangles into the settings, and the settings into the store.

#include <windows.h>

#include "app/startup_rules.h"

namespace tindral {

// Copies the window's screen rectangle into its four settings.
void record_window(HWND hwnd, TopWindow which);

// The sixteen window-rectangle values into the store.
void store_window_settings();

// Every other setting into the store.
void store_settings();

}  // namespace tindral
