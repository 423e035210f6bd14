#pragma once
// The BOM window: one row per package and value, with Print and Close buttons.

#include <windows.h>

namespace tindral {

LRESULT CALLBACK WndProcBom(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);

}  // namespace tindral
