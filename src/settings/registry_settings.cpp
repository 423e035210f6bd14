#include "settings/registry_settings.h"

#include <array>
#include <vector>

#include "settings/memory_store.h"
#include "settings/utf16_bytes.h"
#include "text/format.h"
#include "text/lang.h"
#include "text/messages.h"

namespace tindral {

namespace {

SettingsStore* g_store = nullptr;

SettingsStore& fallback_store() {
    static MemoryStore store;
    return store;
}

// "open_reg_key %s" and its kind, with the system's text for the code; 100 characters at most.
void report_store_error(const wchar_t* fmt, uint32_t code) {
    const std::wstring msg = format_text(100, fmt, system_error_text(code));
    message_box(Owner::none, msg, text(TXT_TITLE_ERROR), mb::task_modal | mb::icon_hand);
}

// Writes row's value with the given bytes; reports nothing.
uint32_t write_value(StoreKey key, const SettingDesc& row, const void* data, uint32_t length) {
    return settings_store().set_value(key, row.name, row.type, data, length);
}

uint32_t write_current(StoreKey key, const SettingDesc& row, uint32_t length, const Settings& s) {
    if (row.type == reg::dword) {
        const uint32_t v = row.dword(s);
        return write_value(key, row, &v, length);
    }
    std::vector<uint8_t> bytes = utf16_bytes(row.string(s));
    // Never read past the value, whatever length the caller asked for.
    if (length > bytes.size()) length = static_cast<uint32_t>(bytes.size());
    return write_value(key, row, bytes.data(), length);
}

// The missing value is created with the default, and the field takes it.
int create_default(StoreKey key, const SettingDesc& row, Settings& s) {
    uint32_t err;
    if (row.type == reg::dword) {
        const uint32_t v = row.default_dword();
        err = write_value(key, row, &v, sizeof v);
    } else {
        const std::vector<uint8_t> bytes = utf16_bytes(row.default_string());
        err = write_value(key, row, bytes.data(), static_cast<uint32_t>(bytes.size()));
    }
    if (err != reg::ok) {
        report_store_error(L"get_registry %s", err);
        return 0;
    }
    if (row.type == reg::dword)
        row.dword(s) = row.default_dword();
    else
        row.string(s) = row.default_string();
    return 1;
}

// open_reg_key, handing out the code of a failed open: put_settings reports it rather than the
// thread's last error, which the registry does not set and the box shown in between may change.
StoreKey open_key_reporting(uint32_t& err) {
    err = reg::ok;
    const StoreKey key = settings_store().open_key(err);
    if (key == 0) report_store_error(L"open_reg_key %s", err);
    return key;
}

}  // namespace

SettingsStore* set_settings_store(SettingsStore* store) {
    SettingsStore* previous = g_store;
    g_store = store;
    return previous;
}

SettingsStore& settings_store() { return g_store ? *g_store : fallback_store(); }

StoreKey open_reg_key() {
    uint32_t err;
    return open_key_reporting(err);
}

void close_reg_key(StoreKey key) {
    if (key != 0) settings_store().close_key(key);
}

uint32_t stored_length(const SettingDesc& row, const Settings& s) {
    return row.type == reg::dword ? 4u : static_cast<uint32_t>(utf16_bytes(row.string(s)).size());
}

int get_registry(StoreKey key, uint32_t size, const SettingDesc& row, Settings& s) {
    uint32_t type = 0;
    uint32_t err;
    if (row.type == reg::dword) {
        std::array<uint8_t, 4> buffer{};
        uint32_t got = size < buffer.size() ? size : static_cast<uint32_t>(buffer.size());
        err = settings_store().query_value(key, row.name, type, buffer.data(), got);
        if (err == reg::ok) {
            // A shorter value of another type fills the low bytes only.
            uint32_t v = 0;
            for (uint32_t i = 0; i < got && i < 4; ++i) v |= static_cast<uint32_t>(buffer[i]) << (8 * i);
            row.dword(s) = v;
            return 1;
        }
    } else {
        std::vector<uint8_t> buffer(2 * static_cast<size_t>(size));
        uint32_t got = static_cast<uint32_t>(buffer.size());
        err = settings_store().query_value(key, row.name, type, buffer.data(), got);
        if (err == reg::ok) {
            // Exactly the stored characters, up to a terminator if the writer stored one. Those
            // that leave no room for the variable's terminator do not fit.
            if (utf16_units(buffer.data(), got / 2) >= size) {
                err = reg::more_data;
            } else {
                row.string(s) = from_utf16_bytes(buffer.data(), got / 2);
                return 1;
            }
        }
    }
    if (err == reg::file_not_found) return create_default(key, row, s);
    report_store_error(L"get_registry %s", err);
    return 0;
}

int put_registry(StoreKey key, uint32_t length, const SettingDesc& row, const Settings& s) {
    const uint32_t err = write_current(key, row, length, s);
    if (err == reg::ok) return 1;
    report_store_error(L"put_registry %s", err);
    return 0;
}

int get_settings(Settings& s) {
    StoreKey key = open_reg_key();
    if (key == 0) return 0;
    const SettingDesc* rows = settings_table();
    for (int i = 0; i < kSettingCount; ++i)
        get_registry(key, rows[i].type == reg::dword ? 4 : kStringCapacity, rows[i], s);
    close_reg_key(key);

    key = open_reg_key();
    if (key == 0) return 1;
    const SettingDesc* paths = path_list_table();
    for (int i = 0; i < kRecentPathCount; ++i) get_registry(key, kStringCapacity, paths[i], s);
    close_reg_key(key);
    return 1;
}

int put_settings(const Settings& s) {
    uint32_t err;
    const StoreKey key = open_key_reporting(err);
    if (key == 0) {
        report_system_error(L"Tindral put_settings", err, Owner::main,
                            mb::task_modal | mb::icon_information);
        return 0;
    }
    const SettingDesc* const* rows = general_settings();
    for (int i = 0; i < kGeneralSettingCount; ++i)
        put_registry(key, stored_length(*rows[i], s), *rows[i], s);
    close_reg_key(key);
    return 1;
}

void put_window_settings(const Settings& s) {
    const StoreKey key = open_reg_key();
    if (key == 0) return;
    const SettingDesc* const* rows = window_settings();
    for (int i = 0; i < kWindowSettingCount; ++i) put_registry(key, 4, *rows[i], s);
    close_reg_key(key);
}

void put_path_list(const Settings& s) {
    const StoreKey key = open_reg_key();
    if (key == 0) return;
    const SettingDesc* paths = path_list_table();
    for (int i = 0; i < kRecentPathCount; ++i)
        put_registry(key, stored_length(paths[i], s), paths[i], s);
    const SettingDesc& xml = *find_setting(L"Xml path file name");
    put_registry(key, stored_length(xml, s), xml, s);
    close_reg_key(key);
}

int reread_settings(Settings& s) {
    const Settings before = s;
    const int result = get_settings(s);
    s.show_top_side = before.show_top_side;
    s.show_bottom_side = before.show_bottom_side;
    s.layer_groups = before.layer_groups;
    s.language = before.language;
    return result;
}

}  // namespace tindral
