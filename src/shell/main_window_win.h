#pragma once
// The main window: path controls, buttons, the component list and the counter line.

#include <windows.h>

namespace tindral {

LRESULT CALLBACK WndProcMain(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);

// Fits the main list into the main window's client area below the path controls.
void size_main_list();

}  // namespace tindral
