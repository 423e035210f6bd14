#include "shell/place_next_win.h"

#include "model/board_model.h"
#include "settings/settings.h"
#include "shell/app_win.h"
#include "shell/board_commands_win.h"
#include "shell/board_paint_win.h"
#include "shell/board_window_win.h"
#include "shell/main_list_data_win.h"
#include "shell/main_list_win.h"
#include "text/messages.h"
#include "view/board_view.h"

namespace tindral {

namespace {

// Where a run starts when no part is current: the highlighted row, else the top one.
int first_row_of_run() {
    const int selected = selected_main_row();
    return selected >= 0 ? selected : 0;
}

void show_current(uint32_t component, int32_t placed) {
    Session& session = app_session();
    if (session.settings.use_crosshair) set_current_component(static_cast<int32_t>(component));
    if (bring_into_view(component)) return;  // the full drawing shows both parts and the crosshair
    redraw_element_picture(component, placed);
    if (session.settings.use_crosshair) draw_crosshair(false);
}

}  // namespace

bool bring_into_view(uint32_t component) {
    Session& session = app_session();
    if (!session.settings.keep_current_in_view || component >= session.view.boxes.size())
        return false;
    if (!centre_on_box(session.view, session.board, session.view.boxes[component])) return false;
    redraw_area();
    return true;
}

void place_and_next() {
    AppWindows& w = app_windows();
    Session& session = app_session();
    if (!session.board.board_loaded || !w.list_main) return;
    const int count = static_cast<int>(main_row_count());
    if (count == 0) return;
    Marks& marks = session.board.marks;
    const int32_t current = marks.current();
    const int current_row = current >= 0 ? find_component_row(static_cast<uint32_t>(current)) : -1;
    // A current part the find box hides has no row: the run goes on from the top.
    const int next_row = current < 0 ? first_row_of_run() : current_row + 1;
    if (next_row >= count) {
        if (current >= 0 && marks.place(static_cast<uint32_t>(current))) {
            session.last_row = -1;
            redraw_element_picture(static_cast<uint32_t>(current), -1);
            update_placed_counter();
        }
        show_info(Owner::main, TXT_PLACE_NEXT_END);
        return;
    }
    const int32_t next = row_component(next_row);
    if (next < 0 || !marks.advance(current, static_cast<uint32_t>(next))) return;
    // The next part is the row chosen last: with "Leave selected" off a later click takes its
    // mark, not the placed part's.
    session.last_row = next_row;
    if (current_row >= 0) set_main_row_image(current_row, kImageMarked);
    mark_row(next_row, true);
    SendMessageW(w.list_main, LVM_ENSUREVISIBLE, static_cast<WPARAM>(next_row), FALSE);
    update_placed_counter();
    show_current(static_cast<uint32_t>(next), current);
}

}  // namespace tindral
