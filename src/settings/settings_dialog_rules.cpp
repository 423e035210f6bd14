#include "settings/settings_dialog_rules.h"

#include "settings/layer_choice.h"

namespace tindral {

SettingsDialogMemory open_settings_dialog_memory(const Settings& s) {
    SettingsDialogMemory m;
    m.leave_selected_at_open = s.leave_selected;
    m.use_filelist_at_open = s.use_filelist;
    return m;
}

SettingsOkWork apply_settings_choice(Settings& s, bool& double_click,
                                     const SettingsDialogMemory& memory,
                                     const SettingsDialogChoice& choice) {
    layer_set_from_lines(s, choice.selected_layer_texts);

    s.language = choice.german ? 0 : 1;
    s.remember_window_pos = choice.remember_window_pos;
    s.remember_side_selection = choice.remember_side_selection;
    s.leave_selected = choice.leave_selected;
    s.save_selections_on_exit = choice.save_selections_on_exit;
    s.use_filelist = choice.use_filelist;
    s.report_unexpected = choice.report_unexpected;
    s.use_crosshair = choice.use_crosshair;
    s.keep_current_in_view = choice.keep_in_view;
    if (choice.printer_mode >= 1 && choice.printer_mode <= 3)
        s.printer_selection_mode = choice.printer_mode;
    double_click = choice.double_click;

    SettingsOkWork work;
    work.clear_selection = s.leave_selected != memory.leave_selected_at_open;
    work.rebuild_path_combo = memory.file_list_clicked && s.use_filelist != memory.use_filelist_at_open;
    work.store_layer_groups = memory.layers_changed;
    work.remove_crosshair = memory.crosshair_clicked && !s.use_crosshair;
    work.redraw_area = memory.leave_selected_clicked;
    return work;
}

}  // namespace tindral
