#include "app/win/bom_window_win.h"

#include "app/format.h"
#include "app/startup_rules.h"
#include "app/win/globals_win.h"
#include "app/win/window_settings_win.h"

namespace tindral {

namespace {

constexpr int kListLeft = 10;
constexpr int kListTop = 35;

void set_button_texts() {
    if (g_button_print) SetWindowTextW(g_button_print, text(TXT_PRINT));
    if (g_button_bom_close) SetWindowTextW(g_button_bom_close, text(TXT_CLOSE));
}

// Closing only hides the window; its place is kept for the next start.
void hide_and_keep_place(HWND hwnd) {
    record_window(hwnd, TopWindow::bom);
    store_window_settings();
    ShowWindow(hwnd, SW_HIDE);
}

LRESULT bom_message(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    switch (msg) {
        case WM_CREATE:
            set_button_texts();
            SetWindowTextW(hwnd, format_text(100, L"%s     %s", kProgramTitle,
                                             text(TXT_COMPONENT_LIST)).c_str());
            return 0;
        case WM_ACTIVATE:  // the default handling still gives the window the focus
            set_button_texts();
            break;
        case WM_SIZE:
            if (g_list_bom)
                SetWindowPos(g_list_bom, nullptr, kListLeft, kListTop, LOWORD(lparam) - 20,
                             HIWORD(lparam) - kListTop - 10, SWP_NOZORDER);
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            BeginPaint(hwnd, &ps);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_MOVE:
            return 0;
        case WM_CLOSE:
            hide_and_keep_place(hwnd);
            return 0;
        case WM_COMMAND:
            if (g_button_bom_close && reinterpret_cast<HWND>(lparam) == g_button_bom_close) {
                hide_and_keep_place(hwnd);
                return 0;
            }
            break;
        case WM_DESTROY:
            record_window(hwnd, TopWindow::bom);
            store_settings();
            return 0;
    }
    return DefWindowProcW(hwnd, msg, wparam, lparam);
}

}  // namespace

LRESULT CALLBACK WndProcBom(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    try {
        return bom_message(hwnd, msg, wparam, lparam);
    } catch (...) {
        return 0;
    }
}

}  // namespace tindral
