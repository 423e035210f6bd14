#pragma once
// What the settings dialog's OK takes from its controls and which follow-up work it asks for.

#include <cstdint>
#include <string>
#include <vector>

#include "settings/settings.h"

namespace tindral {

// Set when the dialog opens.
struct SettingsDialogMemory {
    uint32_t leave_selected_at_open = 0;
    uint32_t use_filelist_at_open = 0;
    bool layers_changed = false;
    bool leave_selected_clicked = false;
    bool crosshair_clicked = false;
    bool file_list_clicked = false;
};

SettingsDialogMemory open_settings_dialog_memory(const Settings& s);

// The state of the dialog's controls at OK.
struct SettingsDialogChoice {
    bool german = false;
    bool remember_window_pos = false;
    bool remember_side_selection = false;
    bool leave_selected = false;
    bool save_selections_on_exit = false;
    bool use_filelist = false;
    bool report_unexpected = false;
    bool use_crosshair = false;
    bool keep_in_view = false;
    bool double_click = false;
    uint32_t printer_mode = 0;  // 1, 2, 3; 0 when no radio is checked (mode unchanged)
    std::vector<std::wstring> selected_layer_texts;
};

struct SettingsOkWork {
    bool clear_selection = false;    // "Leave selected" differs from its value at opening
    bool rebuild_path_combo = false; // "Use file list" clicked and changed
    bool store_layer_groups = false; // written at once, before the other settings
    bool remove_crosshair = false;   // "Use Crosshair" clicked and now off
    bool redraw_area = false;        // "Leave selected" clicked
};

// Takes the choice into s (layer set, flags, language, printer mode, double-click option) and
// says what else OK has to do.
SettingsOkWork apply_settings_choice(Settings& s, bool& double_click,
                                     const SettingsDialogMemory& memory,
                                     const SettingsDialogChoice& choice);

}  // namespace tindral
