#include "shell/layout_area_win.h"

#include "model/board_model.h"
#include "shell/app_win.h"
#include "shell/board_window_win.h"

namespace tindral {

void redraw_layout_area() {
    AppWindows& w = app_windows();
    if (!w.hwnd_layout) return;
    InvalidateRect(w.hwnd_layout, nullptr, TRUE);
    UpdateWindow(w.hwnd_layout);
}

void fit_layout_area(FitKind kind) {
    AppWindows& w = app_windows();
    Session& session = app_session();
    RECT client{};
    if (w.hwnd_layout) GetClientRect(w.hwnd_layout, &client);
    session.view.area_width = static_cast<uint32_t>(client.right);
    session.view.area_height = static_cast<uint32_t>(client.bottom);
    fit_view(session.view, session.board, client.right, client.bottom, kind);
    apply_scroll_ranges();
}

}  // namespace tindral
