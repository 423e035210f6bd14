#include "selection/win/selection_commands_win.h"

#include "app/messages.h"
#include "app/win/globals_win.h"
#include "app/win/layout_area_win.h"
#include "lists/win/main_list_win.h"
#include "model/board_model.h"
#include "selection/selection.h"
#include "settings/settings.h"

namespace tindral {

namespace {

bool board_loaded_or_tell() {
    if (g_board.board_loaded) return true;
    show_info(Owner::main, TXT_NO_BOARD_LOADED, mb::task_modal | mb::icon_information);
    return false;
}

}  // namespace

void save_selection_command() {
    if (board_loaded_or_tell()) save_selection(g_board.selection);
}

void load_selection_command() {
    if (!board_loaded_or_tell()) return;
    if (!load_selection(g_board.selection)) return;
    // Rows are matched through their Index column. Every row is set from the loaded state, so a
    // row marked before the load but unmarked in the file loses its mark too.
    show_row_marks();
    update_placed_counter();
    redraw_layout_area();
}

void save_selection_on_exit() {
    if (g_settings.save_selections_on_exit && g_board.board_loaded && g_board.placed_count > 0)
        save_selection(g_board.selection);
}

}  // namespace tindral
