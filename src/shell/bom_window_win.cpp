#include "shell/bom_window_win.h"

#include "lists/bom_date.h"
#include "model/board_model.h"
#include "settings/startup_rules.h"
#include "shell/app_win.h"
#include "shell/guarded_proc_win.h"
#include "shell/list_columns_win.h"
#include "shell/list_window_parts_win.h"
#include "shell/print_device_win.h"
#include "shell/window_settings_win.h"

namespace tindral {

namespace {

constexpr int kListLeft = 10;
constexpr int kListTop = 35;

void show_rows() {
    AppWindows& w = app_windows();
    const std::vector<BomRow>& rows = w.bom_rows;
    const HeldListPaint held(w.list_bom);
    SendMessageW(w.list_bom, LVM_DELETEALLITEMS, 0, 0);
    for (size_t r = 0; r < rows.size(); ++r) {
        const std::wstring label = bom_cell(rows[r], 0);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(r);
        item.pszText = const_cast<wchar_t*>(label.c_str());
        const int at = static_cast<int>(
            SendMessageW(w.list_bom, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        if (at < 0) continue;
        for (int c = 1; c < kBomColumnCount; ++c) {
            const std::wstring cell = bom_cell(rows[r], c);
            LVITEMW sub{};
            sub.iSubItem = c;
            sub.pszText = const_cast<wchar_t*>(cell.c_str());
            SendMessageW(w.list_bom, LVM_SETITEMTEXTW, at, reinterpret_cast<LPARAM>(&sub));
        }
    }
}

// Ascending by the clicked column; equal rows keep the order they had.
void sort_by_column(int column) {
    if (column < 0 || column >= kBomColumnCount) return;
    sort_bom_rows(app_windows().bom_rows, column);
    show_rows();
}

LRESULT bom_notify(const NMHDR* header) {
    AppWindows& w = app_windows();
    if (!w.list_bom || header->hwndFrom != w.list_bom) return 0;
    switch (header->code) {
        case LVN_HOTTRACK:
            return 1;  // hovering never selects a row
        case LVN_COLUMNCLICK:
            sort_by_column(reinterpret_cast<const NMLISTVIEW*>(header)->iSubItem);
            return 0;
    }
    return 0;
}

void set_button_texts() {
    AppWindows& w = app_windows();
    if (w.button_print) SetWindowTextW(w.button_print, text(TXT_PRINT));
    if (w.button_bom_close) SetWindowTextW(w.button_bom_close, text(TXT_CLOSE));
}

// Closing only hides the window; its place is kept for the next start.
void hide_and_keep_place(HWND hwnd) {
    record_window(hwnd, TopWindow::bom);
    store_window_settings();
    ShowWindow(hwnd, SW_HIDE);
}

LRESULT bom_message(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    AppWindows& w = app_windows();
    switch (msg) {
        case WM_CREATE:
            set_button_texts();
            set_list_window_title(hwnd, TXT_COMPONENT_LIST);
            return 0;
        case WM_ACTIVATE:  // the default handling still gives the window the focus
            set_button_texts();
            break;
        case WM_SIZE:
            if (w.list_bom)
                SetWindowPos(w.list_bom, nullptr, kListLeft, kListTop, LOWORD(lparam) - 20,
                             HIWORD(lparam) - kListTop - 10, SWP_NOZORDER);
            return 0;
        case WM_PAINT:
            paint_nothing(hwnd);
            return 0;
        case WM_MOVE:
            return 0;
        case WM_CLOSE:
            hide_and_keep_place(hwnd);
            return 0;
        case WM_COMMAND:
            if (w.button_bom_close && reinterpret_cast<HWND>(lparam) == w.button_bom_close) {
                hide_and_keep_place(hwnd);
                return 0;
            }
            if (w.button_print && reinterpret_cast<HWND>(lparam) == w.button_print) {
                print_component_list();
                return 0;
            }
            break;
        case WM_NOTIFY:
            return bom_notify(reinterpret_cast<const NMHDR*>(lparam));
        case WM_DESTROY:
            keep_place_on_destroy(hwnd, TopWindow::bom);
            return 0;
    }
    return DefWindowProcW(hwnd, msg, wparam, lparam);
}

}  // namespace

void fill_bom_list() {
    AppWindows& w = app_windows();
    Session& session = app_session();
    if (!w.hwnd_bom || !w.list_bom) return;
    ShowWindow(w.hwnd_bom, SW_SHOW);
    BringWindowToTop(w.hwnd_bom);
    if (w.static_date) SetWindowTextW(w.static_date, bom_date_text(local_time_now()).c_str());
    set_bom_columns();
    ShowWindow(w.list_bom, SW_SHOW);
    w.bom_rows = bom_rows(session.board);
    show_rows();
}

const std::vector<BomRow>& shown_bom_rows() { return app_windows().bom_rows; }

LRESULT CALLBACK WndProcBom(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    return guarded_window_message(bom_message, hwnd, msg, wparam, lparam);
}

}  // namespace tindral
