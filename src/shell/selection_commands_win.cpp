#include "shell/selection_commands_win.h"

#include "model/board_model.h"
#include "selection/marks_guard.h"
#include "selection/selection.h"
#include "settings/settings.h"
#include "shell/app_win.h"
#include "shell/board_paint_win.h"
#include "shell/layout_area_win.h"
#include "shell/list_window_parts_win.h"
#include "shell/main_list_win.h"
#include "text/messages.h"
#include "view/board_view.h"

namespace tindral {

namespace {

bool board_loaded_or_tell() {
    Session& session = app_session();
    if (session.board.board_loaded) return true;
    show_info(Owner::main, TXT_NO_BOARD_LOADED, mb::task_modal | mb::icon_information);
    return false;
}

}  // namespace

void save_selection_command() {
    Session& session = app_session();
    if (board_loaded_or_tell()) save_selection(session.board);
}

void show_loaded_marks() {
    // Rows are matched through their Index column. Every row is set from the loaded state, so a
    // row marked before the load but unmarked in the file loses its mark too.
    redraw_area_beside([] {
        {
            const HeldListPaint held(app_windows().list_main);
            show_row_marks();
        }
        update_placed_counter();
    });
}

void load_selection_command() {
    Session& session = app_session();
    if (!board_loaded_or_tell()) return;
    if (load_selection(session.board) == 1) show_loaded_marks();
}

bool settle_marks_for_exit() {
    Session& session = app_session();
    return save_marks_before_exit(session.board, session.settings);
}

void clear_selection(const std::function<void()>& list_work) {
    Session& session = app_session();
    session.view.crosshair_drawn = 0;
    session.view.current = -1;
    session.last_row = -1;
    session.board.marks.clear();
    redraw_area_beside([&] {
        show_row_marks();
        if (list_work) list_work();
    });
}

void remove_crosshair() {
    Session& session = app_session();
    session.view.current = -1;
    if (!session.board.board_loaded) return;
    session.view.crosshair_drawn = 0;
    redraw_layout_area();
}

}  // namespace tindral
