#include "shell/path_choice_win.h"

#include <windows.h>

#include "board/board_file.h"
#include "settings/path_list.h"
#include "settings/settings.h"
#include "shell/app_win.h"
#include "shell/load_board_win.h"
#include "shell/open_board_dialog_win.h"
#include "shell/path_combo_win.h"
#include "text/format.h"
#include "view/board_view.h"

namespace tindral {

namespace {

// The combo box as it stands, so that the path-list rules can work on it.
PathCombo read_path_combo() {
    Session& session = app_session();
    PathCombo combo;
    combo.items = path_combo_items();
    if (app_windows().combo_path)
        combo.selection = static_cast<int>(SendMessageW(app_windows().combo_path, CB_GETCURSEL, 0, 0));
    combo.list_controls_shown = session.settings.use_filelist != 0;
    combo.count_text = format_text(100, L"%d", static_cast<int>(combo.items.size()));
    return combo;
}

// The failed path is out of the list; the combo box shows the rest with nothing selected.
void drop_failed_path_from_combo() {
    Session& session = app_session();
    PathCombo combo = read_path_combo();
    if (!drop_failed_path(session.settings, combo)) return;
    // The count box follows the list: a stale count would name an entry that is gone.
    combo.count_text = format_text(100, L"%d", static_cast<int>(combo.items.size()));
    show_path_combo(combo);
}

}  // namespace

void fill_path_combo_box() {
    Session& session = app_session();
    PathCombo combo;
    fill_path_combo(session.settings, combo);
    show_path_combo(combo);
}

void browse_for_board() {
    Session& session = app_session();
    PathCombo combo = read_path_combo();
    if (!choose_board_file(session.settings, combo, ask_for_board_file, &read_file_start)) return;
    show_path_combo(combo);
    session.view.crosshair_drawn = 0;
    if (load_board() == 0) drop_failed_path_from_combo();
}

void load_from_path_combo() {
    if (load_board() == 0) drop_failed_path_from_combo();
}

void path_selection_changed() {
    Session& session = app_session();
    if (!app_windows().combo_path) return;
    const LRESULT at = SendMessageW(app_windows().combo_path, CB_GETCURSEL, 0, 0);
    if (at != CB_ERR) session.settings.last_selected_file_index = static_cast<uint32_t>(at);
}

}  // namespace tindral
