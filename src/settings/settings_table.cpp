#include "settings/settings_table.h"

#include <array>
#include <cwchar>

#include "settings/settings_store.h"
#include "text/format.h"

namespace tindral {

namespace {

// Where a field lies inside Settings, measured on the defaults.
size_t offset_of(const void* field) {
    return static_cast<size_t>(static_cast<const char*>(field) -
                               reinterpret_cast<const char*>(&kDefaultSettings));
}

template <class Get>
SettingDesc dword_row(const wchar_t* name, Get get) {
    return {name, offset_of(&get(kDefaultSettings)), reg::dword};
}

template <class Get>
SettingDesc string_row(const wchar_t* name, Get get) {
    return {name, offset_of(&get(kDefaultSettings)), reg::sz};
}

#define DW(name, field) dword_row(name, [](auto& s) -> auto& { return s.field; })
#define SZ(name, field) string_row(name, [](auto& s) -> auto& { return s.field; })

using Table = std::array<SettingDesc, kSettingCount>;

Table build_table() {
    return {{
        DW(L"First start after start", first_start),
        DW(L"Language", language),
        DW(L"Use filelist", use_filelist),
        DW(L"Last selected file index", last_selected_file_index),
        DW(L"Report unexpected", report_unexpected),
        DW(L"Wnd main X", wnd_main_x),
        DW(L"Wnd main Y", wnd_main_y),
        DW(L"Wnd main width", wnd_main_width),
        DW(L"Wnd main height", wnd_main_height),
        DW(L"Wnd board X", wnd_board_x),
        DW(L"Wnd board Y", wnd_board_y),
        DW(L"Wnd board width", wnd_board_width),
        DW(L"Wnd board height", wnd_board_height),
        DW(L"Use Crosshair", use_crosshair),
        DW(L"Crosshair X", crosshair_x),
        DW(L"Crosshair Y", crosshair_y),
        DW(L"Wnd found X", wnd_found_x),
        DW(L"Wnd found Y", wnd_found_y),
        DW(L"Wnd found width", wnd_found_width),
        DW(L"Wnd found height", wnd_found_height),
        DW(L"Wnd bom X", wnd_bom_x),
        DW(L"Wnd bom Y", wnd_bom_y),
        DW(L"Wnd bom width", wnd_bom_width),
        DW(L"Wnd bom height", wnd_bom_height),
        DW(L"Layer group 0", layer_groups[0]),
        DW(L"Layer group 1", layer_groups[1]),
        DW(L"Layer group 2", layer_groups[2]),
        DW(L"Layer group 3", layer_groups[3]),
        DW(L"Layer group 4", layer_groups[4]),
        DW(L"Layer group 5", layer_groups[5]),
        DW(L"Layer group 6", layer_groups[6]),
        DW(L"Layer group 7", layer_groups[7]),
        DW(L"Remember window pos", remember_window_pos),
        DW(L"Remember side selection", remember_side_selection),
        DW(L"show top side", show_top_side),
        DW(L"Show bottom side", show_bottom_side),
        DW(L"Leave selected", leave_selected),
        DW(L"Save selections on exit", save_selections_on_exit),
        DW(L"Sort col", sort_col),
        DW(L"group color top text1", group_color_top_text1),
        DW(L"group color top text2", group_color_top_text2),
        DW(L"group color top back1", group_color_top_back1),
        DW(L"group color top back2", group_color_top_back2),
        DW(L"group color Bottom text1", group_color_bottom_text1),
        DW(L"group color Bottom text2", group_color_bottom_text2),
        DW(L"group color Bottom back1", group_color_bottom_back1),
        DW(L"group color Bottom back2", group_color_bottom_back2),
        DW(L"Color top unselected", color_top_unselected),
        DW(L"Color top curr selection", color_top_curr_selection),
        DW(L"Color top selected", color_top_selected),
        DW(L"Color bottom unselected", color_bottom_unselected),
        DW(L"Color bottom curr selection", color_bottom_curr_selection),
        DW(L"Color bottom selected", color_bottom_selected),
        DW(L"Color crosshair", color_crosshair),
        DW(L"Keep current in view", keep_current_in_view),
        DW(L"Color pads", color_pads),
        DW(L"Show pads", show_pads),
        DW(L"Printer selection mode", printer_selection_mode),
        DW(L"Print left Offset", print_left_offset),
        DW(L"Print Column width", print_column_width),
        DW(L"Print line distance", print_line_distance),
        SZ(L"Printer Name", printer_name),
        SZ(L"Xml path file name", xml_path_file_name),
    }};
}

#undef DW
#undef SZ

const Table& table() {
    static const Table t = build_table();
    return t;
}

const SettingDesc& row(const wchar_t* name) { return *find_setting(name); }

const wchar_t* const kWindowNames[kWindowSettingCount] = {
    L"Wnd main X",  L"Wnd main Y",  L"Wnd main width",  L"Wnd main height",
    L"Wnd board X", L"Wnd board Y", L"Wnd board width", L"Wnd board height",
    L"Wnd found X", L"Wnd found Y", L"Wnd found width", L"Wnd found height",
    L"Wnd bom X",   L"Wnd bom Y",   L"Wnd bom width",   L"Wnd bom height",
};

bool is_window_row(const SettingDesc& r) {
    for (const wchar_t* n : kWindowNames)
        if (std::wcscmp(n, r.name) == 0) return true;
    return false;
}

bool is_crosshair_row(const SettingDesc& r) {
    return std::wcscmp(r.name, L"Use Crosshair") == 0 || std::wcscmp(r.name, L"Crosshair X") == 0 ||
           std::wcscmp(r.name, L"Crosshair Y") == 0;
}

}  // namespace

const SettingDesc* settings_table() { return table().data(); }

const SettingDesc* find_setting(const wchar_t* name) {
    for (const SettingDesc& r : table())
        if (std::wcscmp(r.name, name) == 0) return &r;
    return nullptr;
}

const SettingDesc* const* window_settings() {
    static const auto rows = [] {
        std::array<const SettingDesc*, kWindowSettingCount> a{};
        for (int i = 0; i < kWindowSettingCount; ++i) a[i] = &row(kWindowNames[i]);
        return a;
    }();
    return rows.data();
}

const SettingDesc* const* general_settings() {
    // The read order without the window rectangles, except that the crosshair trio is written
    // after "Sort col".
    static const auto rows = [] {
        std::array<const SettingDesc*, kGeneralSettingCount> a{};
        int n = 0;
        for (const SettingDesc& r : table()) {
            if (is_window_row(r) || is_crosshair_row(r)) continue;
            a[n++] = &r;
            if (std::wcscmp(r.name, L"Sort col") == 0) {
                a[n++] = &row(L"Use Crosshair");
                a[n++] = &row(L"Crosshair X");
                a[n++] = &row(L"Crosshair Y");
            }
        }
        return a;
    }();
    return rows.data();
}

const SettingDesc* path_list_table() {
    static const auto names = [] {
        std::array<std::wstring, kRecentPathCount> a;
        for (int i = 0; i < kRecentPathCount; ++i) a[i] = format_text(32, L"ComboPathFilename%02d", i);
        return a;
    }();
    static const auto rows = [] {
        std::array<SettingDesc, kRecentPathCount> a{};
        for (int i = 0; i < kRecentPathCount; ++i)
            a[i] = {names[i].c_str(), offset_of(&kDefaultSettings.recent_paths[i]), reg::sz};
        return a;
    }();
    return rows.data();
}

}  // namespace tindral
