#pragma once
// Real input for the Wine tests: mouse clicks and key strokes through SendInput, which reach the
// windows the way a user's do (through the window under the pointer, the focus and the hooks),
// and a message pump that lets them arrive.

#include <windows.h>

#include <string>

namespace tindral::test {

// Dispatches this thread's messages for about ms milliseconds.
inline void pump_for(DWORD ms) {
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    } while (GetTickCount() - start < ms);
}

inline bool send_inputs(INPUT* inputs, UINT n) {
    return SendInput(n, inputs, sizeof(INPUT)) == n;
}

// A left click (or two, a double click) at a screen point.
inline bool left_click_at(POINT screen, int clicks = 1) {
    if (!SetCursorPos(screen.x, screen.y)) return false;
    pump_for(30);
    for (int i = 0; i < clicks; ++i) {
        INPUT in[2] = {};
        in[0].type = in[1].type = INPUT_MOUSE;
        in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        if (!send_inputs(in, 2)) return false;
        pump_for(20);
    }
    pump_for(150);
    return true;
}

// The same at a point of a window's client area.
inline bool left_click_in(HWND hwnd, int x, int y, int clicks = 1) {
    POINT p{x, y};
    return ClientToScreen(hwnd, &p) && left_click_at(p, clicks);
}

// One key pressed and released.
inline bool press_key(WORD vk) {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = vk;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    return send_inputs(in, 2);
}

// Typed as a user types it: letters and the space bar as key strokes.
inline bool type_text(const std::wstring& text) {
    for (wchar_t c : text) {
        const SHORT vk = VkKeyScanW(c);
        if (vk == -1 || !press_key(static_cast<WORD>(vk & 0xFF))) return false;
    }
    return true;
}

// The colour of a screen pixel as the user sees it.
inline COLORREF screen_pixel(POINT screen) {
    HDC dc = GetDC(nullptr);
    const COLORREF c = dc ? GetPixel(dc, screen.x, screen.y) : CLR_INVALID;
    if (dc) ReleaseDC(nullptr, dc);
    return c;
}

}  // namespace tindral::test
