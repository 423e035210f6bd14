#pragma once
// The main window's menu commands and the buttons Clear selection and BOM; the dialogs, the path
// buttons and Exit are handled elsewhere.

#include <windows.h>

namespace tindral {

// Runs a menu command of the main window; false for an id that is not one of these.
bool run_main_command(HWND main, unsigned command);

// Runs the effect of a main-window button; false when button is not one of these.
bool run_main_button(HWND button);

}  // namespace tindral
