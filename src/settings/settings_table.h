#pragma once
// The settings table: one row per stored value, tying its name to a field of Settings, its type
// and its default (the field in kDefaultSettings).

#include <cstddef>
#include <cstdint>
#include <string>

#include "settings/settings.h"

namespace tindral {

struct SettingDesc {
    const wchar_t* name;
    size_t offset;  // of the field inside Settings: a uint32_t for reg::dword, a std::wstring for reg::sz
    uint32_t type;  // reg::dword or reg::sz

    uint32_t& dword(Settings& s) const { return *static_cast<uint32_t*>(field(&s)); }
    uint32_t dword(const Settings& s) const { return *static_cast<const uint32_t*>(field(&s)); }
    std::wstring& string(Settings& s) const { return *static_cast<std::wstring*>(field(&s)); }
    const std::wstring& string(const Settings& s) const {
        return *static_cast<const std::wstring*>(field(&s));
    }
    uint32_t default_dword() const { return dword(kDefaultSettings); }
    const std::wstring& default_string() const { return string(kDefaultSettings); }

private:
    void* field(Settings* s) const { return reinterpret_cast<char*>(s) + offset; }
    const void* field(const Settings* s) const { return reinterpret_cast<const char*>(s) + offset; }
};

constexpr int kSettingCount = 63;
constexpr int kWindowSettingCount = 16;

// Every setting in the order in which get_settings reads it.
const SettingDesc* settings_table();

// The 16 window-rectangle rows: main, board, found-components and BOM window, each X, Y, width,
// height.
const SettingDesc* const* window_settings();

// The rows that put_settings writes, in its order: everything but the window rectangles.
const SettingDesc* const* general_settings();
constexpr int kGeneralSettingCount = kSettingCount - kWindowSettingCount;

// "ComboPathFilename00" .. "ComboPathFilename15", each bound to its recent-path entry (empty by
// default).
const SettingDesc* path_list_table();

// A row of settings_table() by its value name (exact), or nullptr.
const SettingDesc* find_setting(const wchar_t* name);

}  // namespace tindral
