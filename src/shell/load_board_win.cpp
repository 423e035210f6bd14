#include "shell/load_board_win.h"

#include <windows.h>

#include <cerrno>
#include <io.h>
#include <new>
#include <string>

#include "board/header_check.h"
#include "board/load_board.h"
#include "model/board_model.h"
#include "selection/marks_guard.h"
#include "selection/selection.h"
#include "settings/settings.h"
#include "settings/startup_rules.h"
#include "shell/app_win.h"
#include "shell/board_paint_win.h"
#include "shell/board_window_win.h"
#include "shell/find_box_win.h"
#include "shell/layout_area_win.h"
#include "shell/main_list_win.h"
#include "shell/out_of_memory_win.h"
#include "shell/read_board_win.h"
#include "shell/selection_commands_win.h"
#include "shell/variant_chooser_win.h"
#include "text/messages.h"
#include "view/board_view.h"

namespace tindral {

namespace {

constexpr int kPathChars = 260;

void specify_file() {
    message_box(Owner::main, text(TXT_SPECIFY_FILE), text(TXT_TITLE_ERROR),
                mb::topmost | mb::task_modal | mb::icon_hand);
}

// The combo box text, empty when it cannot be read.
std::wstring combo_path() {
    wchar_t buf[kPathChars] = {};
    const LRESULT n = SendMessageW(app_windows().combo_path, WM_GETTEXT, kPathChars, reinterpret_cast<LPARAM>(buf));
    return n > 0 ? std::wstring(buf, static_cast<size_t>(n)) : std::wstring();
}

void hide_if_visible(HWND hwnd) {
    if (hwnd && IsWindowVisible(hwnd)) ShowWindow(hwnd, SW_HIDE);
}

int load_steps() {
    Session& session = app_session();
    if (!app_windows().combo_path || SendMessageW(app_windows().combo_path, CB_GETCOUNT, 0, 0) == 0) {
        specify_file();
        return 0;
    }
    std::wstring path = combo_path();
    if (path.empty()) {
        specify_file();
        return 0;
    }
    // The board on screen goes now; its unsaved marks first get a chance to be saved.
    if (!may_drop_marks(session.board)) return kLoadKeptByUser;
    session.settings.xml_path_file_name = path;

    // The old board disappears at once, with its rows, marks and counter, so that a load that
    // fails leaves nothing of it that Save selection would refuse.
    release_board(session.board);
    show_no_board();
    if (app_windows().hwnd_board) {
        InvalidateRect(app_windows().hwnd_board, nullptr, TRUE);
        UpdateWindow(app_windows().hwnd_board);
    }
    if (!path_names_a_file(path)) {
        specify_file();
        return 0;
    }

    SetWindowTextW(app_windows().hwnd_main, main_title_for(file_name_part(path)).c_str());
    hide_if_visible(app_windows().list_layers);
    hide_if_visible(app_windows().hwnd_found);
    hide_if_visible(app_windows().hwnd_bom);

    session.view.hscroll.pos = session.view.vscroll.pos = 0;
    reset_extent(session.board.extent);

    if (_waccess(path.c_str(), 0) != 0) {
        show_errno_message(errno);
        return 0;
    }

    session.view.crosshair_drawn = 0;
    session.view.current = -1;
    session.last_row = -1;

    const ReadBoardOutcome read = read_board(path, session.board, [&] {
        if (app_windows().hwnd_board) SetWindowTextW(app_windows().hwnd_board, board_path_title(path).c_str());
    });
    if (!read.result) {
        show_no_board();  // the board window was titled with the path meanwhile
        // A No to a question about the file is no sign of a broken file.
        return read.declined ? kLoadKeptByUser : 0;
    }
    if (app_windows().hwnd_board && !read.board_title.empty())
        SetWindowTextW(app_windows().hwnd_board, read.board_title.c_str());
    if (app_windows().button_bom) ShowWindow(app_windows().button_bom, read.show_bom_button ? SW_SHOW : SW_HIDE);

    fit_layout_area(FitKind::load);
    session.view.bottom_only = bottom_only_view(session.settings);

    forget_find_text();
    fill_component_list(true);
    update_placed_counter();
    show_variant_chooser();
    redraw_area_beside([&] { sort_component_list(static_cast<int>(session.settings.sort_col)); });
    if (offer_saved_marks(session.board)) show_loaded_marks();
    return 1;
}

}  // namespace

void show_no_board() {
    Session& session = app_session();
    session.board.board_loaded = 0;
    if (app_windows().hwnd_board) SetWindowTextW(app_windows().hwnd_board, board_title_no_board().c_str());
    forget_find_text();
    fill_component_list(true);
    update_placed_counter();
    show_variant_chooser();
    redraw_layout_area();
}

int load_board() {
    // Caught here rather than in the window's guard: the caller must still hear of the failure
    // to take the path off the recent-path list.
    try {
        return load_steps();
    } catch (const std::bad_alloc&) {
        report_out_of_memory(Owner::main);
        return 0;
    }
}

}  // namespace tindral
