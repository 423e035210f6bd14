#include "app/win/keyboard_hook_win.h"

#include "app/win/globals_win.h"

namespace tindral {

LRESULT CALLBACK KeyboardHook(int code, WPARAM wparam, LPARAM lparam) {
    // Every key still reaches the window that has the focus.
    return CallNextHookEx(g_keyboard_hook, code, wparam, lparam);
}

int install_keyboard_hook() {
    g_keyboard_hook = SetWindowsHookExW(WH_KEYBOARD, KeyboardHook, g_instance, GetCurrentThreadId());
    return g_keyboard_hook != nullptr;
}

}  // namespace tindral
