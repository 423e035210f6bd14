// Entry point of tindral.exe.

#include <windows.h>

#include "app/win/message_port_win.h"

namespace {

const wchar_t kTitle[] = L"Tindral V2.00.1";

LRESULT CALLBACK WndProcMain(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    switch (msg) {
        case WM_CREATE:
            SetWindowTextW(hwnd, kTitle);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(hwnd, msg, wparam, lparam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    static tindral::WinMessagePort port;
    tindral::set_message_port(&port);

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = WndProcMain;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"ClassMain";
    RegisterClassExW(&wc);

    HWND hwnd = CreateWindowExW(0, L"ClassMain", kTitle, WS_OVERLAPPEDWINDOW, 10, 100, 1100, 768,
                                nullptr, nullptr, instance, nullptr);
    if (!hwnd) return 0;
    tindral::g_hwnd_main = hwnd;
    ShowWindow(hwnd, show);
    UpdateWindow(hwnd);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
