#include "app/win/clear_selection_win.h"

#include "app/win/app_win.h"
#include "app/win/layout_area_win.h"
#include "lists/selection_state.h"
#include "lists/win/main_list_win.h"
#include "model/board_model.h"
#include "view/board_view.h"

namespace tindral {

void clear_selection() {
    g_view.crosshair_drawn = 0;
    g_view.current = -1;
    g_last_row = -1;
    g_board.marks.clear();
    show_row_marks();
    redraw_layout_area();
}

void remove_crosshair() {
    g_view.current = -1;
    if (!g_board.board_loaded) return;
    g_view.crosshair_drawn = 0;
    redraw_layout_area();
}

}  // namespace tindral
