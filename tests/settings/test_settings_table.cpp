#include <gtest/gtest.h>

#include <cstdint>
#include <cwctype>
#include <set>
#include <string>

#include "settings/settings.h"
#include "settings/settings_store.h"
#include "settings/settings_table.h"
#include "support/settings_guard.h"

using namespace tindral;

namespace {

std::wstring lower(const wchar_t* s) {
    std::wstring out;
    for (; *s; ++s) out += static_cast<wchar_t>(std::towlower(*s));
    return out;
}

// Byte offset of p inside s, or -1 when it does not point into s.
ptrdiff_t offset_in(const Settings& s, const void* p) {
    const auto* base = reinterpret_cast<const unsigned char*>(&s);
    const auto* q = static_cast<const unsigned char*>(p);
    if (q < base || q >= base + sizeof s) return -1;
    return q - base;
}

}  // namespace

TEST(SettingsTable, EveryRowIsBoundToItsOwnVariableAndItsDefault) {
    const SettingDesc* rows = settings_table();
    std::set<std::wstring> names;
    std::set<const void*> variables;
    int strings = 0;
    for (int i = 0; i < kSettingCount; ++i) {
        const SettingDesc& r = rows[i];
        // The store compares names without case, so they must differ in more than case.
        EXPECT_TRUE(names.insert(lower(r.name)).second) << "twice: " << r.name;
        EXPECT_TRUE(variables.insert(r.variable).second) << "shared variable: " << r.name;
        const ptrdiff_t var = offset_in(g_settings, r.variable);
        ASSERT_GE(var, 0) << r.name;
        EXPECT_EQ(offset_in(kDefaultSettings, r.default_value), var)
            << "default of another field: " << r.name;
        ASSERT_TRUE(r.type == reg::dword || r.type == reg::sz) << r.name;
        if (r.type == reg::sz) ++strings;
    }
    EXPECT_EQ(strings, 2);
    EXPECT_EQ(find_setting(L"group color top back2")->default_dword(), 0x4080FFu);
    EXPECT_EQ(find_setting(L"Sort col")->default_dword(), 9u);
    EXPECT_EQ(find_setting(L"no such value"), nullptr);

    // The variable really is the live one: writing through the row changes g_settings.
    test::SettingsGuard guard;
    find_setting(L"Crosshair Y")->dword() = 1234;
    find_setting(L"Printer Name")->string() = L"PDF";
    EXPECT_EQ(g_settings.crosshair_y, 1234u);
    EXPECT_EQ(g_settings.printer_name, L"PDF");
    EXPECT_EQ(kDefaultSettings.crosshair_y, 400u);
}

TEST(Settings, LayerBitsAndDefaultLayers) {
    Settings s;
    std::set<int> on;
    for (int n = 0; n < 256; ++n)
        if (s.layer_enabled(n)) on.insert(n);
    EXPECT_EQ(on, (std::set<int>{20, 21, 22, 23, 24, 29, 44, 45, 51, 52}));

    s.layer_groups.fill(0);
    s.set_layer_enabled(52, true);
    EXPECT_EQ(s.layer_groups[1], 1u << 20);
    s.set_layer_enabled(0, true);
    EXPECT_EQ(s.layer_groups[0], 1u);
    s.set_layer_enabled(255, true);
    EXPECT_EQ(s.layer_groups[7], 0x80000000u);
    s.set_layer_enabled(52, false);
    EXPECT_EQ(s.layer_groups[1], 0u);
    EXPECT_TRUE(s.layer_enabled(0));
    EXPECT_TRUE(s.layer_enabled(255));
    // Numbers outside the set are neither drawn nor stored anywhere.
    s.set_layer_enabled(256, true);
    s.set_layer_enabled(-1, true);
    EXPECT_FALSE(s.layer_enabled(256));
    EXPECT_FALSE(s.layer_enabled(-1));
    EXPECT_EQ(s.layer_groups[0], 1u);
    EXPECT_EQ(s.layer_groups[7], 0x80000000u);
}

TEST(Settings, LastSelectedIndexOutsideTheListMeansTheFirstEntry) {
    Settings s;
    for (uint32_t v : {0u, 7u, 15u}) {
        s.last_selected_file_index = v;
        EXPECT_EQ(last_selected_path_index(s), static_cast<int>(v));
    }
    for (uint32_t v : {16u, 100u, 0xFFFFFFFFu}) {
        s.last_selected_file_index = v;
        EXPECT_EQ(last_selected_path_index(s), 0) << v;
    }
}
