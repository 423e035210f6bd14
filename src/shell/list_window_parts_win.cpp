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

HeldListPaint::HeldListPaint(HWND list) : list_(list) {
    if (list_) SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
}

HeldListPaint::~HeldListPaint() {
    if (!list_) return;
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
}

}  // namespace tindral
