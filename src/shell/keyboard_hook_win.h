#pragma once
// The thread keyboard hook that gives some keys a meaning in every window of the program.

#include <windows.h>

namespace tindral {

LRESULT CALLBACK KeyboardHook(int code, WPARAM wparam, LPARAM lparam);

// Installs the hook for the calling thread. Returns 0 when it could not be installed.
int install_keyboard_hook();

}  // namespace tindral
