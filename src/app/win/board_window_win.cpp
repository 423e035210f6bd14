#include "app/win/board_window_win.h"

#include "app/messages.h"
#include "app/win/globals_win.h"
#include "app/win/toolbar_win.h"
#include "app/win/window_settings_win.h"
#include "lists/selection_state.h"
#include "lists/win/found_list_win.h"
#include "lists/win/main_list_win.h"
#include "model/board_model.h"
#include "settings/settings.h"
#include "view/board_view.h"

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

void redraw_area() {
    if (!g_hwnd_layout) return;
    InvalidateRect(g_hwnd_layout, nullptr, TRUE);
    UpdateWindow(g_hwnd_layout);
}

}  // namespace

void redraw_element(uint32_t component) {
    const int32_t demoted = settle_previous_current(g_board.selection, g_view.previous_current,
                                                    component, g_settings.leave_selected != 0);
    if (demoted >= 0) update_placed_counter();
    redraw_area();
}

void draw_crosshair(bool from_found_list) {
    if (!g_settings.use_crosshair || !g_board.board_loaded) return;
    if (from_found_list) {
        const int32_t c = selected_found_component();
        if (c >= 0) g_view.current = c;
    }
    redraw_area();
}

void set_current_component(int32_t component) { g_view.current = component; }

void apply_scroll_ranges() {
    if (!g_hwnd_layout) return;
    const ScrollAxis* axes[] = {&g_view.hscroll, &g_view.vscroll};
    const int bars[] = {SB_HORZ, SB_VERT};
    for (int i = 0; i < 2; ++i) {
        SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS};
        si.nMin = axes[i]->min;
        si.nMax = axes[i]->max;
        si.nPage = static_cast<UINT>(axes[i]->page);
        si.nPos = axes[i]->pos;
        SetScrollInfo(g_hwnd_layout, bars[i], &si, TRUE);
    }
}

LRESULT CALLBACK WndProcBoard(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    try {
        return board_message(hwnd, msg, wparam, lparam);
    } catch (...) {
        return 0;
    }
}

}  // namespace tindral
