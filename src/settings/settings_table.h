#pragma once
// The settings table: one row per stored value, tying its name to the live variable in
// g_settings, its type and its default (held in kDefaultSettings).

#include <cstddef>
#include <cstdint>
#include <string>

#include "settings/settings.h"

namespace tindral {

struct SettingDesc {
    const wchar_t* name;
    const void* default_value;  // const uint32_t* for reg::dword, const std::wstring* for reg::sz
    void* variable;             // uint32_t* or std::wstring*, inside g_settings
    uint32_t type;              // reg::dword or reg::sz

    uint32_t& dword() const { return *static_cast<uint32_t*>(variable); }
    std::wstring& string() const { return *static_cast<std::wstring*>(variable); }
    uint32_t default_dword() const { return *static_cast<const uint32_t*>(default_value); }
    const std::wstring& default_string() const {
        return *static_cast<const std::wstring*>(default_value);
    }
};

constexpr int kSettingCount = 60;
constexpr int kWindowSettingCount = 16;

// Every setting in the order in which get_settings reads it.
const SettingDesc* settings_table();

// The 16 window-rectangle rows: main, board, found-components and BOM window, each X, Y, width,
// height.
const SettingDesc* const* window_settings();

// The rows that put_settings writes, in its order: everything but the window rectangles.
const SettingDesc* const* general_settings();
constexpr int kGeneralSettingCount = kSettingCount - kWindowSettingCount;

// "ComboPathFilename00" .. "ComboPathFilename15", each bound to its recent-path entry.
const SettingDesc* path_list_table();

// A row of settings_table() by its value name (exact), or nullptr.
const SettingDesc* find_setting(const wchar_t* name);

}  // namespace tindral
