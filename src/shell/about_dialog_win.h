#pragma once
// The About box (dialog 103).

#include <windows.h>

namespace tindral {

INT_PTR CALLBACK about_dialog_proc(HWND dialog, UINT msg, WPARAM wparam, LPARAM lparam);

}  // namespace tindral
