#include "shell/variant_chooser_win.h"

#include "model/variants.h"
#include "shell/app_win.h"
#include "shell/board_commands_win.h"
#include "shell/bom_window_win.h"
#include "shell/main_list_win.h"

namespace tindral {

void show_variant_chooser() {
    AppWindows& w = app_windows();
    const BoardModel& board = app_session().board;
    if (!w.combo_variant || !w.static_variant) return;
    SendMessageW(w.combo_variant, CB_RESETCONTENT, 0, 0);
    bool filled = true;
    for (const std::wstring& name : board.variants) {
        const LRESULT at =
            SendMessageW(w.combo_variant, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        filled = filled && at != CB_ERR && at != CB_ERRSPACE;
    }
    // A list that could not take every name would choose the wrong variants: none is offered.
    const bool shown = filled && !board.variants.empty();
    if (shown) SendMessageW(w.combo_variant, CB_SETCURSEL, static_cast<WPARAM>(board.chosen_variant), 0);
    ShowWindow(w.static_variant, shown ? SW_SHOW : SW_HIDE);
    ShowWindow(w.combo_variant, shown ? SW_SHOW : SW_HIDE);
}

void variant_chosen() {
    AppWindows& w = app_windows();
    Session& session = app_session();
    const LRESULT chosen = SendMessageW(w.combo_variant, CB_GETCURSEL, 0, 0);
    if (chosen == CB_ERR || chosen >= static_cast<LRESULT>(session.board.variants.size()) ||
        chosen == session.board.chosen_variant)
        return;
    choose_variant(session.board, static_cast<int32_t>(chosen));
    // Its hits may be parts the variant does not fit.
    if (w.hwnd_found && IsWindowVisible(w.hwnd_found)) ShowWindow(w.hwnd_found, SW_HIDE);
    refill_component_list();  // the row chosen last follows its part
    update_placed_counter();
    if (w.hwnd_bom && IsWindowVisible(w.hwnd_bom)) fill_bom_list();
    redraw_area();
}

bool is_variant_chooser(HWND control) {
    return control != nullptr && control == app_windows().combo_variant;
}

}  // namespace tindral
