#pragma once
// No exception leaves a window or dialog procedure: one that escapes the handling ends the
// message as handled by a window, or as not handled by a dialog. Running out of memory is told
// to the user here (the load alone catches it first, to report through the same function).

#include <windows.h>

#include <new>

#include "shell/out_of_memory_win.h"

namespace tindral {

template <class Handle>
LRESULT guarded_window_message(Handle handle, HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    try {
        return handle(hwnd, msg, wparam, lparam);
    } catch (const std::bad_alloc&) {
        report_out_of_memory(out_of_memory_owner(hwnd));
        return 0;
    } catch (...) {
        return 0;
    }
}

template <class Handle>
INT_PTR guarded_dialog_message(Handle handle, HWND dialog, UINT msg, WPARAM wparam,
                               LPARAM lparam) {
    try {
        return handle(dialog, msg, wparam, lparam);
    } catch (const std::bad_alloc&) {
        report_out_of_memory(Owner::none);
        return FALSE;
    } catch (...) {
        return FALSE;
    }
}

}  // namespace tindral
