#include "app/win/board_window_win.h"

#include "app/messages.h"
#include "app/win/globals_win.h"
#include "app/win/toolbar_win.h"
#include "app/win/window_settings_win.h"

namespace tindral {

namespace {

void keep_board_rect(HWND hwnd) {
    record_window(hwnd, TopWindow::board);
    store_window_settings();
}

// Toolbar along the top, drawing area below it, in one deferred move.
void lay_out_board(HWND hwnd) {
    keep_board_rect(hwnd);
    update_layout_placement();
    const AreaPlacement& area = g_layout_placement;
    HDWP defer = BeginDeferWindowPos(2);
    if (defer && g_hwnd_toolbar)
        defer = DeferWindowPos(defer, g_hwnd_toolbar, nullptr, 0, 0, area.width, area.y,
                               SWP_NOZORDER);
    if (defer && g_hwnd_layout)
        defer = DeferWindowPos(defer, g_hwnd_layout, nullptr, 0, area.y, area.width, area.height,
                               SWP_NOZORDER);
    if (defer) EndDeferWindowPos(defer);
}

void paint_nothing(HWND hwnd) {
    PAINTSTRUCT ps;
    BeginPaint(hwnd, &ps);
    EndPaint(hwnd, &ps);
}

LRESULT board_message(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    const bool is_board = hwnd == g_hwnd_board;
    switch (msg) {
        case WM_CREATE:
            return 0;
        case WM_PAINT:
            paint_nothing(hwnd);
            return 0;
        case WM_MOVE:
            if (!is_board) break;
            keep_board_rect(hwnd);
            if (g_hwnd_layout) InvalidateRect(g_hwnd_layout, nullptr, TRUE);
            return 0;
        case WM_SIZE:
            if (!is_board) break;
            lay_out_board(hwnd);
            return 0;
        case WM_CLOSE:
            if (!is_board) break;
            // The board window lives as long as the program; it can only be minimised.
            show_info(Owner::none, TXT_WINDOW_MIN_MAX,
                      mb::topmost | mb::task_modal | mb::icon_information);
            return 0;
        case WM_DESTROY:
            if (is_board) store_settings();
            return 0;
    }
    return DefWindowProcW(hwnd, msg, wparam, lparam);
}

}  // namespace

LRESULT CALLBACK WndProcBoard(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    try {
        return board_message(hwnd, msg, wparam, lparam);
    } catch (...) {
        return 0;
    }
}

}  // namespace tindral
