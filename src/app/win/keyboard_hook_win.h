#pragma once
// The thread keyboard hook that gives some keys a meaning in every window of the program.

#include <windows.h>

namespace tindral {

// Space acts once per key-down; these keep a second action from starting while the first one or
// its warning box is still on the screen.
struct KeyFlags {
    bool busy = false;
    bool message_open = false;
};
extern KeyFlags g_key_flags;

LRESULT CALLBACK KeyboardHook(int code, WPARAM wparam, LPARAM lparam);

// Installs the hook for the calling thread. Returns 0 when it could not be installed.
int install_keyboard_hook();

}  // namespace tindral
