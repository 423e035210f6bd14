#pragma once
// The program's settings. The table in settings_table.cpp ties each field to its value in the
// per-user store and to its default.

#include <array>
#include <cstdint>
#include <string>

namespace tindral {

constexpr int kRecentPathCount = 16;   // ComboPathFilename00 .. ComboPathFilename15
constexpr int kMaxPathChars = 259;     // a path or stored string without its terminator

struct Settings {
    uint32_t first_start = 1;
    uint32_t language = 1;  // 0 German, anything else English
    uint32_t use_filelist = 0;
    uint32_t last_selected_file_index = 0;
    uint32_t report_unexpected = 1;

    uint32_t wnd_main_x = 10, wnd_main_y = 100, wnd_main_width = 1100, wnd_main_height = 768;
    uint32_t wnd_board_x = 300, wnd_board_y = 5, wnd_board_width = 984, wnd_board_height = 728;
    uint32_t use_crosshair = 1;
    uint32_t crosshair_x = 600, crosshair_y = 400;
    uint32_t wnd_found_x = 5, wnd_found_y = 5, wnd_found_width = 650, wnd_found_height = 300;
    uint32_t wnd_bom_x = 5, wnd_bom_y = 5, wnd_bom_width = 650, wnd_bom_height = 300;

    // Layer n is drawn when bit (n % 32) of layer_groups[n / 32] is set.
    std::array<uint32_t, 8> layer_groups{0x21F00000, 0x00183000, 0, 0, 0, 0, 0, 0};

    uint32_t remember_window_pos = 1;
    uint32_t remember_side_selection = 0;
    uint32_t show_top_side = 1;
    uint32_t show_bottom_side = 0;
    uint32_t leave_selected = 1;
    uint32_t save_selections_on_exit = 0;
    uint32_t sort_col = 9;
    // A part made current outside the visible part of the board is scrolled into the middle.
    uint32_t keep_current_in_view = 1;

    // Colours are COLORREF values, 0x00BBGGRR.
    uint32_t group_color_top_text1 = 0x000000, group_color_top_text2 = 0xFFFFFF;
    uint32_t group_color_top_back1 = 0xA0F5A0, group_color_top_back2 = 0x4080FF;
    uint32_t group_color_bottom_text1 = 0x80FFFF, group_color_bottom_text2 = 0xFF0000;
    uint32_t group_color_bottom_back1 = 0xFF8080, group_color_bottom_back2 = 0xFFFF80;
    uint32_t color_top_unselected = 0xFAFAFA, color_top_curr_selection = 0x0000FA,
             color_top_selected = 0x00FA00;
    uint32_t color_bottom_unselected = 0xFAFAFA, color_bottom_curr_selection = 0x0000FA,
             color_bottom_selected = 0x00FA00;
    uint32_t color_crosshair = 0xFAFAFA;
    uint32_t color_pads = 0x3A8FD0;  // copper
    uint32_t show_pads = 1;

    uint32_t printer_selection_mode = 2;  // 1 default, 2 ask, 3 last used
    uint32_t print_left_offset = 2000;    // 0.01 mm
    uint32_t print_column_width = 5000;   // 0.01 mm
    uint32_t print_line_distance = 600;   // 0.01 mm
    std::wstring printer_name;
    std::wstring xml_path_file_name = L"C:\\";

    std::array<std::wstring, kRecentPathCount> recent_paths{};

    bool layer_enabled(int layer) const {
        return layer >= 0 && layer < 256 && ((layer_groups[layer / 32] >> (layer % 32)) & 1u) != 0;
    }
    void set_layer_enabled(int layer, bool on) {
        if (layer < 0 || layer >= 256) return;
        const uint32_t bit = 1u << (layer % 32);
        if (on)
            layer_groups[layer / 32] |= bit;
        else
            layer_groups[layer / 32] &= ~bit;
    }

    bool operator==(const Settings&) const = default;
};

// The defaults, as a fresh Settings holds them before anything is read.
extern const Settings kDefaultSettings;

// "Last selected file index" as an index into the recent-path list: a stored value outside the
// list means the first entry, so it can never index past the list.
int last_selected_path_index(const Settings& s);

}  // namespace tindral
