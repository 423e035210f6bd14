#pragma once
// The board window and its drawing area: one window procedure serves both classes.

#include <windows.h>

namespace tindral {

LRESULT CALLBACK WndProcBoard(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);

}  // namespace tindral
