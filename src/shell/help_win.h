#pragma once
// The Help menu command: the compiled help file beside the program, in the current language.

#include <windows.h>

namespace tindral {

// Opens the help file with HTML Help; tells the user when the program's folder is unknown or the
// file is missing. Nothing is shown when HTML Help itself is not available.
void open_help(HWND owner);

}  // namespace tindral
