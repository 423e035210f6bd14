#pragma once
// The found-components window: the components under the last click on the board.

#include <windows.h>

namespace tindral {

LRESULT CALLBACK WndProcFound(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);

}  // namespace tindral
