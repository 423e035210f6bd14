#include "shell/board_window_win.h"

#include <windowsx.h>

#include "model/board_model.h"
#include "settings/layer_choice.h"
#include "settings/settings.h"
#include "shell/app_win.h"
#include "shell/board_commands_win.h"
#include "shell/board_paint_win.h"
#include "shell/found_list_win.h"
#include "shell/guarded_proc_win.h"
#include "shell/layer_list_win.h"
#include "shell/main_list_win.h"
#include "shell/toolbar_win.h"
#include "shell/window_settings_win.h"
#include "text/messages.h"
#include "view/board_view.h"

namespace tindral {

namespace {

constexpr int kLayerListWidth = 200;
constexpr int kLayerListHeight = 250;

void keep_board_rect(HWND hwnd) {
    record_window(hwnd, TopWindow::board);
    store_window_settings();
}

// Toolbar along the top, drawing area below it, in one deferred move.
void lay_out_board(HWND hwnd) {
    AppWindows& w = app_windows();
    keep_board_rect(hwnd);
    update_layout_placement();
    const AreaPlacement& area = w.layout_placement;
    HDWP defer = BeginDeferWindowPos(2);
    if (defer && w.hwnd_toolbar)
        defer = DeferWindowPos(defer, w.hwnd_toolbar, nullptr, 0, 0, area.width, area.y,
                               SWP_NOZORDER);
    if (defer && w.hwnd_layout)
        defer = DeferWindowPos(defer, w.hwnd_layout, nullptr, 0, area.y, area.width, area.height,
                               SWP_NOZORDER);
    if (defer) EndDeferWindowPos(defer);
}

void paint_nothing(HWND hwnd) {
    PAINTSTRUCT ps;
    BeginPaint(hwnd, &ps);
    EndPaint(hwnd, &ps);
}

void hide_if_visible(HWND hwnd) {
    if (hwnd && IsWindowVisible(hwnd)) ShowWindow(hwnd, SW_HIDE);
}

void scroll(ScrollBarKind kind, int code) {
    AppWindows& w = app_windows();
    Session& session = app_session();
    const int bar = kind == ScrollBarKind::horizontal ? SB_HORZ : SB_VERT;
    // The 32-bit thumb position; the message itself carries only 16 bits.
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_TRACKPOS;
    GetScrollInfo(w.hwnd_layout, bar, &si);
    scroll_view(session.view, kind, code, si.nTrackPos);
    const ScrollAxis& axis =
        kind == ScrollBarKind::horizontal ? session.view.hscroll : session.view.vscroll;
    SetScrollPos(w.hwnd_layout, bar, axis.pos, TRUE);
    redraw_area();
}

void take_layer_choice() {
    AppWindows& w = app_windows();
    Session& session = app_session();
    layer_set_from_lines(session.settings, selected_layer_texts(w.list_layers));
    ShowWindow(w.list_layers, SW_HIDE);
    redraw_area();
}

void show_hits(std::vector<uint32_t> hits) {
    AppWindows& w = app_windows();
    Session& session = app_session();
    session.view.hits = std::move(hits);
    if (!w.hwnd_found) return;
    if (session.view.hits.empty()) {
        hide_if_visible(w.hwnd_found);
        return;
    }
    if (!IsWindowVisible(w.hwnd_found)) ShowWindow(w.hwnd_found, SW_SHOW);
    BringWindowToTop(w.hwnd_found);
    if (w.list_found) SetFocus(w.list_found);
    fill_found_list(session.view.hits);
    draw_crosshair(false);
}

void left_click(int x, int y) {
    AppWindows& w = app_windows();
    Session& session = app_session();
    if (w.list_layers && IsWindowVisible(w.list_layers)) take_layer_choice();
    hide_if_visible(w.hwnd_bom);
    RECT client{};
    GetClientRect(w.hwnd_layout, &client);
    show_hits(hit_test(session.view.boxes, x, y, client.bottom));
}

void right_click(int x, int y) {
    AppWindows& w = app_windows();
    if (!w.list_layers) return;
    fill_layer_list(w.list_layers);
    SetWindowPos(w.list_layers, HWND_TOP, x, y, kLayerListWidth, kLayerListHeight, 0);
    ShowWindow(w.list_layers, SW_SHOW);
}

void wheel(int delta) {
    AppWindows& w = app_windows();
    Session& session = app_session();
    if (!w.hwnd_layout || !IsWindowVisible(w.hwnd_layout) || IsIconic(w.hwnd_board)) return;
    wheel_zoom(session.view, session.board, delta);
    if (session.board.board_loaded) redraw_area();
}

// Messages of the drawing area only.
bool area_message(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    Session& session = app_session();
    const int x = GET_X_LPARAM(lparam), y = GET_Y_LPARAM(lparam);
    switch (msg) {
    case WM_PAINT:
        paint_area(hwnd);
        return true;
    case WM_ERASEBKGND:
        return true;  // the picture covers every pixel
    case WM_HSCROLL:
        scroll(ScrollBarKind::horizontal, LOWORD(wparam));
        return true;
    case WM_VSCROLL:
        scroll(ScrollBarKind::vertical, LOWORD(wparam));
        return true;
    case WM_MBUTTONDOWN:
        pan_begin(session.view, x, y);
        SetCapture(hwnd);
        return true;
    case WM_MOUSEMOVE:
        if (pan_move(session.view, x, y, (wparam & MK_MBUTTON) != 0)) redraw_area();
        return true;
    case WM_MBUTTONUP:
        if (GetCapture() == hwnd) ReleaseCapture();
        pan_end(session.view, session.board);
        return true;
    case WM_LBUTTONDOWN:
        left_click(x, y);
        return true;
    case WM_RBUTTONDOWN:
        right_click(x, y);
        return true;
    }
    return false;
}

LRESULT board_message(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    AppWindows& w = app_windows();
    const bool is_board = hwnd == w.hwnd_board;
    if (!is_board && hwnd == w.hwnd_layout && area_message(hwnd, msg, wparam, lparam)) {
        return msg == WM_ERASEBKGND ? 1 : 0;
    }
    switch (msg) {
        case WM_CREATE:
            return 0;
        case WM_PAINT:
            paint_nothing(hwnd);
            return 0;
        case WM_MOUSEWHEEL:
            wheel(GET_WHEEL_DELTA_WPARAM(wparam));
            return 0;
        case WM_COMMAND:
            if (is_board && run_board_command(LOWORD(wparam))) return 0;
            break;
        case WM_MOVE:
            if (!is_board) break;
            keep_board_rect(hwnd);
            redraw_area();
            return 0;
        case WM_SIZE:
            if (!is_board) break;
            lay_out_board(hwnd);
            fit_area();
            return 0;
        case WM_CLOSE:
            if (!is_board) break;
            // The board window lives as long as the program; it can only be minimised.
            show_info(Owner::none, TXT_WINDOW_MIN_MAX,
                      mb::topmost | mb::task_modal | mb::icon_information);
            return 0;
        case WM_DESTROY:
            if (is_board) store_settings();
            if (hwnd == w.hwnd_layout) release_area_picture();
            return 0;
    }
    return DefWindowProcW(hwnd, msg, wparam, lparam);
}

}  // namespace

void redraw_element(uint32_t component) {
    Session& session = app_session();
    // The choice settles the component current before; the picture then shows both.
    const int32_t demoted =
        session.board.marks.settle_previous(component, session.settings.leave_selected != 0);
    redraw_element_picture(component, demoted);
    if (demoted >= 0) update_placed_counter();
}

void draw_crosshair(bool from_found_list) {
    Session& session = app_session();
    if (!session.settings.use_crosshair || !session.board.board_loaded) return;
    if (from_found_list) {
        const int32_t c = selected_found_component();
        if (c >= 0) session.view.current = c;
    }
    xor_crosshair();
}

void set_current_component(int32_t component) { app_session().view.current = component; }

void apply_scroll_ranges() {
    AppWindows& w = app_windows();
    Session& session = app_session();
    if (!w.hwnd_layout) return;
    const ScrollAxis* axes[] = {&session.view.hscroll, &session.view.vscroll};
    const int bars[] = {SB_HORZ, SB_VERT};
    for (int i = 0; i < 2; ++i) {
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        si.nMin = axes[i]->min;
        si.nMax = axes[i]->max;
        si.nPage = static_cast<UINT>(axes[i]->page);
        si.nPos = axes[i]->pos;
        SetScrollInfo(w.hwnd_layout, bars[i], &si, TRUE);
    }
}

LRESULT CALLBACK WndProcBoard(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    return guarded_window_message(board_message, hwnd, msg, wparam, lparam);
}

}  // namespace tindral
