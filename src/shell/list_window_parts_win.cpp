#include "shell/list_window_parts_win.h"

#include "shell/window_settings_win.h"
#include "text/format.h"

namespace tindral {

void set_list_window_title(HWND hwnd, TextKey list_name) {
    SetWindowTextW(hwnd, format_text(100, L"%s     %s", kProgramTitle, text(list_name)).c_str());
}

void paint_nothing(HWND hwnd) {
    PAINTSTRUCT ps;
    BeginPaint(hwnd, &ps);
    EndPaint(hwnd, &ps);
}

void keep_place_on_destroy(HWND hwnd, TopWindow which) {
    record_window(hwnd, which);
    store_settings();
}

// The control's own answer to WM_SETREDRAW may only stop its painting (so does Wine's): each
// scroll to a focused row then still moves the pixels and erases the rows uncovered, tens of
// milliseconds for a refill of 50 000 rows. The window's own form of it takes the window out of
// sight as well, so that nothing is drawn until the hold ends.
HeldListPaint::HeldListPaint(HWND list) : list_(list) {
    if (!list_) return;
    SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    DefWindowProcW(list_, WM_SETREDRAW, FALSE, 0);
}

// The control's redraw comes back while the window is still out of sight: it then sets its
// scroll bars without drawing them at each step. They, the header and the rows are drawn once,
// when the window shows again.
HeldListPaint::~HeldListPaint() {
    if (!list_) return;
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    DefWindowProcW(list_, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(list_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

}  // namespace tindral
