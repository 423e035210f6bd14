#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cwctype>
#include <set>
#include <string>

#include "settings/settings.h"
#include "settings/settings_store.h"
#include "settings/settings_table.h"

using namespace tindral;

namespace {

std::wstring lower(const wchar_t* s) {
    std::wstring out;
    for (; *s; ++s) out += static_cast<wchar_t>(std::towlower(*s));
    return out;
}

}  // namespace

TEST(SettingsTable, EveryRowIsBoundToAFieldOfItsOwnWithItsDefault) {
    const SettingDesc* rows = settings_table();
    std::set<std::wstring> names;
    std::set<size_t> fields;
    int strings = 0;
    for (int i = 0; i < kSettingCount; ++i) {
        const SettingDesc& r = rows[i];
        // The store compares names without case, so they must differ in more than case.
        EXPECT_TRUE(names.insert(lower(r.name)).second) << "twice: " << r.name;
        EXPECT_TRUE(fields.insert(r.offset).second) << "shared field: " << r.name;
        ASSERT_TRUE(r.type == reg::dword || r.type == reg::sz) << r.name;
        ASSERT_LE(r.offset + (r.type == reg::sz ? sizeof(std::wstring) : 4), sizeof(Settings)) << r.name;
        if (r.type == reg::sz) ++strings;
    }
    EXPECT_EQ(strings, 2);
    EXPECT_EQ(find_setting(L"group color top back2")->default_dword(), 0x4080FFu);
    EXPECT_EQ(find_setting(L"Sort col")->default_dword(), 9u);
    EXPECT_EQ(find_setting(L"no such value"), nullptr);

    // A row reads and writes its own field of whichever settings it is given.
    Settings s;
    find_setting(L"Crosshair Y")->dword(s) = 1234;
    find_setting(L"Printer Name")->string(s) = L"PDF";
    find_setting(L"Layer group 3")->dword(s) = 7;
    path_list_table()[15].string(s) = L"C:\\last.brd";
    Settings expected;
    expected.crosshair_y = 1234;
    expected.printer_name = L"PDF";
    expected.layer_groups[3] = 7;
    expected.recent_paths[15] = L"C:\\last.brd";
    EXPECT_EQ(s, expected);
    EXPECT_EQ(find_setting(L"Wnd bom height")->dword(s), 300u);
    EXPECT_EQ(path_list_table()[15].default_string(), L"");
}

TEST(Settings, LayerBitsAndDefaultLayers) {
    Settings s;
    std::set<int> on;
    for (int n = 0; n < 256; ++n)
        if (s.layer_enabled(n)) on.insert(n);
    EXPECT_EQ(on, (std::set<int>{20, 21, 22, 23, 24, 29, 44, 45, 51, 52}));

    s.layer_groups.fill(0);
    for (int n : {52, 0, 255, 256, -1}) s.set_layer_enabled(n, true);
    s.set_layer_enabled(52, false);
    // Numbers outside the set are neither drawn nor stored anywhere.
    EXPECT_EQ(s.layer_groups, (std::array<uint32_t, 8>{1, 0, 0, 0, 0, 0, 0, 0x80000000u}));
    EXPECT_FALSE(s.layer_enabled(256) || s.layer_enabled(-1) || s.layer_enabled(52));
    s.set_layer_enabled(52, true);
    EXPECT_EQ(s.layer_groups[1], 1u << 20);
}

TEST(Settings, LastSelectedIndexOutsideTheListMeansTheFirstEntry) {
    Settings s;
    for (uint32_t v : {0u, 7u, 15u, 16u, 100u, 0xFFFFFFFFu}) {
        s.last_selected_file_index = v;
        EXPECT_EQ(last_selected_path_index(s), v < 16 ? static_cast<int>(v) : 0) << v;
    }
}
