#pragma once
// Everything that exists before the first message is dispatched.

#include <windows.h>

namespace tindral {

// Reads the settings, creates the windows, controls and drawing objects. Returns 1 on
// success, 0 after a failure (reported, except when the main window cannot be created).
int init_instance(HINSTANCE instance, int show);

// Runs until WM_QUIT and returns its code.
int run_message_loop();

}  // namespace tindral
