#include "shell/found_window_win.h"

#include "settings/startup_rules.h"
#include "shell/app_win.h"
#include "shell/found_list_win.h"
#include "shell/guarded_proc_win.h"
#include "shell/list_window_parts_win.h"
#include "shell/window_settings_win.h"

namespace tindral {

namespace {

constexpr int kListLeft = 10;
constexpr int kListTop = 15;

void set_button_text() {
    AppWindows& w = app_windows();
    if (w.button_found_close) SetWindowTextW(w.button_found_close, text(TXT_CLOSE));
}

// The list is created hidden and before any size is known: every layout also shows it.
void lay_out(int width, int height) {
    AppWindows& w = app_windows();
    if (w.list_found)
        SetWindowPos(w.list_found, nullptr, kListLeft, kListTop, width - 20,
                     height - kListTop - 60, SWP_NOZORDER | SWP_SHOWWINDOW);
    if (w.button_found_close) {
        RECT b{};
        GetWindowRect(w.button_found_close, &b);
        SetWindowPos(w.button_found_close, nullptr, width - (b.right - b.left) - 10, height - 40,
                     0, 0, SWP_NOZORDER | SWP_NOSIZE);
    }
}

LRESULT found_message(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    AppWindows& w = app_windows();
    switch (msg) {
        case WM_CREATE:
            set_button_text();
            set_list_window_title(hwnd, TXT_FOUND_COMPONENTS);
            return 0;
        case WM_ACTIVATE:  // the default handling still gives the window the focus
            set_button_text();
            break;
        case WM_SIZE:
            lay_out(LOWORD(lparam), HIWORD(lparam));
            return 0;
        case WM_SHOWWINDOW:  // the controls were made after the window's first size
            if (wparam) {
                RECT client{};
                if (GetClientRect(hwnd, &client)) lay_out(client.right, client.bottom);
            }
            break;
        case WM_PAINT:
            paint_nothing(hwnd);
            return 0;
        case WM_CLOSE:  // hidden, never destroyed before the program ends
            ShowWindow(hwnd, SW_HIDE);
            return 0;
        case WM_COMMAND:
            if (w.button_found_close && reinterpret_cast<HWND>(lparam) == w.button_found_close) {
                ShowWindow(hwnd, SW_HIDE);
                return 0;
            }
            break;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lparam);
            if (w.list_found && header->hwndFrom == w.list_found) return found_list_notify(header);
            return 0;
        }
        case WM_MOVE:
            return 0;
        case WM_DESTROY:
            keep_place_on_destroy(hwnd, TopWindow::found);
            return 0;
    }
    return DefWindowProcW(hwnd, msg, wparam, lparam);
}

}  // namespace

LRESULT CALLBACK WndProcFound(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    return guarded_window_message(found_message, hwnd, msg, wparam, lparam);
}

}  // namespace tindral
