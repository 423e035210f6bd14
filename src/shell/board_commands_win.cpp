#include "shell/board_commands_win.h"

#include "../../resources/resource.h"
#include "model/board_model.h"
#include "settings/settings.h"
#include "shell/app_win.h"
#include "shell/board_paint_win.h"
#include "shell/board_window_win.h"
#include "shell/layout_area_win.h"
#include "shell/main_list_win.h"
#include "shell/place_next_win.h"
#include "shell/toolbar_win.h"
#include "view/board_view.h"

namespace tindral {

namespace {

void zoom(double factor) {
    Session& session = app_session();
    zoom_view(session.view, session.board, factor);
    if (session.board.board_loaded) redraw_area();
}

void bring_main_to_front() {
    AppWindows& w = app_windows();
    if (!w.hwnd_main) return;
    if (IsIconic(w.hwnd_main)) ShowWindow(w.hwnd_main, SW_RESTORE);
    BringWindowToTop(w.hwnd_main);
    SetForegroundWindow(w.hwnd_main);
}

}  // namespace

void redraw_area() {
    AppWindows& w = app_windows();
    if (!w.hwnd_layout) return;
    // The picture covers the whole area: no background erase, so nothing flickers.
    InvalidateRect(w.hwnd_layout, nullptr, FALSE);
    UpdateWindow(w.hwnd_layout);
}

void fit_area() {
    fit_layout_area(FitKind::button);
    redraw_area();
}

void refresh_sides() {
    AppWindows& w = app_windows();
    Session& session = app_session();
    rebuild_toolbar();
    if (w.hwnd_bom && IsWindowVisible(w.hwnd_bom)) ShowWindow(w.hwnd_bom, SW_HIDE);
    session.view.bottom_only = bottom_only_view(session.settings);
    // The list refills and paints while the board is drawn.
    redraw_area_beside([] { refill_component_list(); });
}

bool run_board_command(int command) {
    Session& session = app_session();
    switch (command) {
    case IDM_PLACE_NEXT:
        place_and_next();
        return true;
    case IDM_TOP_SIDE:
        session.settings.show_top_side = session.settings.show_top_side ? 0 : 1;
        refresh_sides();
        return true;
    case IDM_BOTTOM_SIDE:
        session.settings.show_bottom_side = session.settings.show_bottom_side ? 0 : 1;
        refresh_sides();
        return true;
    case IDM_REFRESH:
        recompute_origin(session.view, session.board);
        redraw_area();
        return true;
    case IDM_ZOOM_IN:
        zoom(1.5);
        return true;
    case IDM_ZOOM_OUT:
        zoom(0.5);
        return true;
    case IDM_FIT:
        fit_area();
        return true;
    case IDM_TO_FRONT:
        bring_main_to_front();
        return true;
    }
    return false;
}

}  // namespace tindral
