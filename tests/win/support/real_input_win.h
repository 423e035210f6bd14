#pragma once
// Real input for the Wine tests: mouse clicks and key strokes through SendInput, which reach the
// windows the way a user's do (through the window under the pointer, the focus and the hooks),
// a message pump that lets them arrive, and the pixels the user then sees.

#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

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

// The same until done() holds; false when ms passed first.
inline bool pump_until(const std::function<bool()>& done, DWORD ms = 8000) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > ms) return false;
        pump_for(20);
    }
    return true;
}

// A left click (or two, a double click; or a right click) at a screen point.
inline bool left_click_at(POINT screen, int clicks = 1, bool right = false) {
    if (!SetCursorPos(screen.x, screen.y)) return false;
    pump_for(30);
    for (int i = 0; i < clicks; ++i) {
        INPUT in[2] = {};
        in[0].type = in[1].type = INPUT_MOUSE;
        in[0].mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
        in[1].mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
        if (SendInput(2, in, sizeof(INPUT)) != 2) return false;
        pump_for(20);
    }
    pump_for(150);
    return true;
}

// The same at a point of a window's client area.
inline bool left_click_in(HWND hwnd, int x, int y, int clicks = 1, bool right = false) {
    POINT p{x, y};
    return ClientToScreen(hwnd, &p) && left_click_at(p, clicks, right);
}

inline POINT centre_of(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// The middle of a window on the screen.
inline POINT window_centre(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return centre_of(r);
}

// A client rectangle of a window on the screen.
inline RECT on_screen(HWND hwnd, RECT r) {
    MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// A click at the middle of a client rectangle of a window.
inline bool click_middle(HWND hwnd, const RECT& r, int clicks = 1) {
    return left_click_at(centre_of(on_screen(hwnd, r)), clicks);
}

// One key pressed and released, with another (Ctrl, Alt) held when asked.
inline bool press_key(WORD vk, WORD held = 0) {
    INPUT in[4] = {};
    UINT n = 0;
    const auto key = [&](WORD k, DWORD flags) {
        in[n].type = INPUT_KEYBOARD;
        in[n].ki.wVk = k;
        in[n++].ki.dwFlags = flags;
    };
    if (held) key(held, 0);
    key(vk, 0);
    key(vk, KEYEVENTF_KEYUP);
    if (held) key(held, KEYEVENTF_KEYUP);
    return SendInput(n, in, sizeof(INPUT)) == n;
}

// Typed as a user types it: letters and the space bar as key strokes.
inline bool type_text(const std::wstring& text) {
    for (wchar_t c : text) {
        const SHORT vk = VkKeyScanW(c);
        if (vk == -1 || !press_key(static_cast<WORD>(vk & 0xFF))) return false;
    }
    return true;
}

// A rectangle of pixels, row by row, copied at once from a window's or the screen's device context.
struct Shot {
    int width = 0, height = 0;
    std::vector<COLORREF> pixels;

    COLORREF at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    int count(COLORREF colour) const {
        int n = 0;
        for (COLORREF c : pixels) n += c == colour;
        return n;
    }
    std::set<int> where(COLORREF colour) const {
        std::set<int> at;
        for (int i = 0; i < static_cast<int>(pixels.size()); ++i)
            if (pixels[i] == colour) at.insert(i);
        return at;
    }
};

// The rectangle r of hwnd's client area (of the screen for none), as it shows now.
inline Shot shot_of(HWND hwnd, const RECT& r) {
    Shot s;
    s.width = r.right - r.left;
    s.height = r.bottom - r.top;
    if (s.width <= 0 || s.height <= 0) return s;
    HDC from = GetDC(hwnd);
    HDC mem = CreateCompatibleDC(from);
    BITMAPINFO bi{};  // rows top-down
    bi.bmiHeader = {sizeof bi.bmiHeader, s.width, -s.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bmp && bits) {
        HGDIOBJ old = SelectObject(mem, bmp);
        BitBlt(mem, 0, 0, s.width, s.height, from, r.left, r.top, SRCCOPY);
        GdiFlush();
        const auto* p = static_cast<const uint32_t*>(bits);
        for (int i = 0; i < s.width * s.height; ++i)
            s.pixels.push_back(RGB((p[i] >> 16) & 0xFF, (p[i] >> 8) & 0xFF, p[i] & 0xFF));
        SelectObject(mem, old);
    }
    if (bmp) DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(hwnd, from);
    return s;
}

// A window's whole client area.
inline Shot shot_of(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    return shot_of(hwnd, r);
}

}  // namespace tindral::test
