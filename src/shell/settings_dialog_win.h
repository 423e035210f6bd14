#pragma once
// The settings dialog (template 129): language, behaviour flags, layer set, printer choice.

#include <windows.h>

namespace tindral {

INT_PTR CALLBACK DlgSettings(HWND dialog, UINT msg, WPARAM wparam, LPARAM lparam);

}  // namespace tindral
