#include "shell/main_window_win.h"

#include "../../resources/resource.h"
#include "model/board_model.h"
#include "settings/path_list.h"
#include "settings/registry_settings.h"
#include "settings/settings.h"
#include "settings/startup_rules.h"
#include "shell/app_win.h"
#include "shell/booklet_window_win.h"
#include "shell/dialog_commands_win.h"
#include "shell/find_box_win.h"
#include "shell/guarded_proc_win.h"
#include "shell/list_window_parts_win.h"
#include "shell/main_commands_win.h"
#include "shell/main_list_win.h"
#include "shell/path_choice_win.h"
#include "shell/path_delete_dialog_win.h"
#include "shell/selection_commands_win.h"
#include "shell/variant_chooser_win.h"
#include "shell/window_settings_win.h"
#include "text/format.h"

namespace tindral {

namespace {

constexpr int kSortColGroup = 9;
// Below the path row, the counter row and the find row.
constexpr int kListTop = 100;

// Every way out (Exit, the close box, the end of the Windows session) comes here first, while
// the board is still loaded. False when the user stays.
bool agree_to_end() {
    bool& agreed = app_windows().end_agreed;
    if (!agreed) agreed = settle_marks_for_exit();
    return agreed;
}

void request_exit(HWND hwnd) {
    if (agree_to_end()) DestroyWindow(hwnd);
}

// The recent paths, the window places and the settings into the store.
void store_everything() {
    AppWindows& w = app_windows();
    Session& session = app_session();
    put_path_list(session.settings);
    record_window(w.hwnd_main, TopWindow::main);
    record_window(w.hwnd_board, TopWindow::board);
    record_window(w.hwnd_found, TopWindow::found);
    store_window_settings();
    store_settings();
}

// The end of the program: keep the window places and settings, then leave the message loop.
void on_destroy() {
    Session& session = app_session();
    store_everything();
    app_windows().keyboard_hook.reset();
    release_board(session.board);
    app_windows().end_agreed = false;
    PostQuitMessage(0);
}

// Windows may end the process any time after WM_ENDSESSION; no WM_DESTROY follows.
void on_end_session(bool ending) {
    if (!ending) {
        app_windows().end_agreed = false;  // the session goes on, and so does the program
        return;
    }
    agree_to_end();
    store_everything();
}

void on_move(HWND hwnd) {
    Session& session = app_session();
    RECT r{};
    if (!normal_window_rect(hwnd, r)) return;
    session.settings.wnd_main_x = static_cast<uint32_t>(r.left);
    session.settings.wnd_main_y = static_cast<uint32_t>(r.top);
    store_window_settings();
}

void on_paint(HWND hwnd) {
    if (GetUpdateRect(hwnd, nullptr, FALSE)) paint_nothing(hwnd);
}

void on_button(HWND button) {
    AppWindows& w = app_windows();
    if (button == w.button_load) {
        load_from_path_combo();
    } else if (button == w.button_browse) {
        browse_for_board();
    } else if (button == w.button_delete) {
        open_path_delete_dialog();
    } else {
        run_main_button(button);
    }
}

LRESULT on_notify(const NMHDR* header, LPARAM lparam) {
    AppWindows& w = app_windows();
    if (w.list_main && header->hwndFrom == w.list_main) return main_list_notify(header, lparam);
    return 0;
}

LRESULT main_message(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    Session& session = app_session();
    switch (msg) {
        case WM_CREATE:
            app_windows().end_agreed = false;
            SetWindowTextW(hwnd, format_text(100, L"%s", kProgramTitle).c_str());
            return 1;
        case WM_SIZE:
            size_main_list();
            return 0;
        case WM_MOVE:
            on_move(hwnd);
            return 0;
        case WM_PAINT:
            on_paint(hwnd);
            return 0;
        case WM_VSCROLL:
            if (session.settings.sort_col == kSortColGroup) sort_component_list(kSortColGroup);
            return 0;
        case WM_NOTIFY:
            return on_notify(reinterpret_cast<const NMHDR*>(lparam), lparam);
        case WM_COMMAND:
            if (lparam && HIWORD(wparam) == BN_CLICKED) on_button(reinterpret_cast<HWND>(lparam));
            if (lparam && HIWORD(wparam) == CBN_SELCHANGE &&
                reinterpret_cast<HWND>(lparam) == app_windows().combo_path)
                path_selection_changed();
            if (lparam && HIWORD(wparam) == EN_CHANGE &&
                reinterpret_cast<HWND>(lparam) == app_windows().edit_find)
                find_text_changed();
            if (lparam && HIWORD(wparam) == CBN_SELCHANGE && is_variant_chooser(reinterpret_cast<HWND>(lparam)))
                variant_chosen();
            if (LOWORD(wparam) == IDM_EXIT) {
                request_exit(hwnd);
                return 0;
            }
            if (run_dialog_command(hwnd, LOWORD(wparam))) return 0;
            if (run_booklet_command(hwnd, LOWORD(wparam))) return 0;
            if (run_main_command(hwnd, LOWORD(wparam))) return 0;
            break;
        case WM_CLOSE:
            request_exit(hwnd);
            return 0;
        case WM_QUERYENDSESSION:
            return agree_to_end() ? TRUE : FALSE;
        case WM_ENDSESSION:
            on_end_session(wparam != FALSE);
            return 0;
        case WM_DESTROY:
            on_destroy();
            return 0;
    }
    return DefWindowProcW(hwnd, msg, wparam, lparam);
}

}  // namespace

void size_main_list() {
    AppWindows& w = app_windows();
    // WM_SIZE arrives while the main window is created, before its controls exist.
    if (!w.list_main || !w.hwnd_main) return;
    RECT client{};
    GetClientRect(w.hwnd_main, &client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    SetWindowPos(w.list_main, nullptr, 10, kListTop, width - 20, height - kListTop - 10,
                 SWP_NOZORDER | SWP_SHOWWINDOW);
}

LRESULT CALLBACK WndProcMain(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    return guarded_window_message(main_message, hwnd, msg, wparam, lparam);
}

}  // namespace tindral
