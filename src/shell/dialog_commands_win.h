#pragma once
// The main menu's dialog commands: Settings, Colours and About.

#include <windows.h>

namespace tindral {

// Opens the modal dialog of a menu command with owner; false for other commands.
bool run_dialog_command(HWND owner, unsigned command);

}  // namespace tindral
