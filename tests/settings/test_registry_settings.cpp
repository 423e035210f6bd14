#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "settings/memory_store.h"
#include "settings/registry_settings.h"
#include "settings/utf16_bytes.h"
#include "support/language_guard.h"
#include "support/recording_port.h"
#include "support/store_guard.h"
#include "text/format.h"

using namespace tindral;
using test::Boxes;
using test::TextLanguage;
using test::RecordingPort;
using test::StoreGuard;

namespace {

std::vector<std::wstring> names_of(const SettingDesc* rows, int count) {
    std::vector<std::wstring> names;
    for (int i = 0; i < count; ++i) names.push_back(rows[i].name);
    return names;
}
std::vector<std::wstring> table_names() { return names_of(settings_table(), kSettingCount); }
std::vector<std::wstring> path_names() { return names_of(path_list_table(), kRecentPathCount); }

bool is_window_name(const std::wstring& n) { return n.rfind(L"Wnd ", 0) == 0; }

size_t position(const std::vector<std::wstring>& v, const std::wstring& n) {
    return static_cast<size_t>(std::find(v.begin(), v.end(), n) - v.begin());
}

// Every DWORD variable gets a value of its own, unlike its default.
void change_every_dword(Settings& s) {
    for (int i = 0; i < kSettingCount; ++i)
        if (settings_table()[i].type == reg::dword) settings_table()[i].dword(s) = 5000 + i;
}

// Each test on its own in-memory store, from the default settings, with boxes recorded.
struct RegistrySettings : ::testing::Test {
    MemoryStore store;
    StoreGuard guard{&store};
    RecordingPort port;
    Settings s;
};

}  // namespace

TEST_F(RegistrySettings, FirstStartCreatesEveryValueWithItsDefault) {
    change_every_dword(s);  // whatever the variables held, the defaults win

    EXPECT_EQ(get_settings(s), 1);
    EXPECT_TRUE(port.boxes.empty());
    EXPECT_EQ(store.open_count, 0);

    std::vector<std::wstring> expected = table_names();
    for (const auto& n : path_names()) expected.push_back(n);
    std::vector<std::wstring> created;
    for (const StoredValue& v : store.values) created.push_back(v.name);
    EXPECT_EQ(created, expected);

    for (int i = 0; i < kSettingCount; ++i) {
        const SettingDesc& r = settings_table()[i];
        const StoredValue* v = store.find(r.name);
        ASSERT_NE(v, nullptr) << r.name;
        EXPECT_EQ(v->type, r.type) << r.name;
        if (r.type == reg::dword) {
            ASSERT_EQ(v->data.size(), 4u) << r.name;
            EXPECT_EQ(store.dword(r.name), r.default_dword()) << r.name;
        }
    }
    // Strings without their terminator; empty ones as values of length 0.
    EXPECT_EQ(store.find(L"Xml path file name")->data.size(), 6u);
    EXPECT_EQ(store.string(L"Xml path file name"), L"C:\\");
    EXPECT_EQ(store.find(L"Printer Name")->data.size(), 0u);
    for (const auto& n : path_names()) {
        EXPECT_EQ(store.find(n)->type, reg::sz);
        EXPECT_EQ(store.find(n)->data.size(), 0u) << n;
    }
    EXPECT_EQ(s, kDefaultSettings);
}

TEST_F(RegistrySettings, StoredValuesAreReadAndDeletedOnesComeBackAsDefaults) {
    ASSERT_EQ(get_settings(s), 1);

    store.put_dword(L"Sort col", 3);
    store.put_dword(L"group color Bottom back2", 0x123456);
    store.put_string(L"ComboPathFilename03", L"D:\\boards\\a.brd");
    store.erase(L"Leave selected");
    store.erase(L"Xml path file name");
    store.erase(L"ComboPathFilename07");
    s.leave_selected = 0;
    s.xml_path_file_name = L"E:\\old.brd";
    s.recent_paths[7] = L"E:\\old.brd";

    EXPECT_EQ(get_settings(s), 1);
    EXPECT_TRUE(port.boxes.empty());
    EXPECT_EQ(s.sort_col, 3u);
    EXPECT_EQ(s.group_color_bottom_back2, 0x123456u);
    EXPECT_EQ(s.recent_paths[3], L"D:\\boards\\a.brd");
    EXPECT_EQ(s.leave_selected, 1u);
    EXPECT_EQ(s.xml_path_file_name, L"C:\\");
    EXPECT_EQ(s.recent_paths[7], L"");
    EXPECT_EQ(store.dword(L"Leave selected"), 1u);
    ASSERT_NE(store.find(L"ComboPathFilename07"), nullptr);
    EXPECT_EQ(store.string(L"Xml path file name"), L"C:\\");

    // Reading again replaces changes that were never written.
    s.sort_col = 1;
    EXPECT_EQ(get_settings(s), 1);
    EXPECT_EQ(s.sort_col, 3u);
    EXPECT_EQ(store.open_count, 0);
}

TEST_F(RegistrySettings, StringsHoldExactlyTheStoredCharacters) {
    const std::wstring max(kMaxPathChars, L'x');
    store.put_string(L"Printer Name", L"");
    store.put_string(L"Xml path file name", L"C:\\a.brd");
    store.put_string(L"ComboPathFilename00", max);
    // Another writer may have stored the terminator too.
    store.put_string(L"ComboPathFilename01", std::wstring(L"F:\\b.brd") + L'\0');
    s.printer_name = L"A printer with a long name";
    s.xml_path_file_name = L"C:\\a much longer path\\board.brd";

    EXPECT_EQ(get_settings(s), 1);
    EXPECT_TRUE(port.boxes.empty());
    EXPECT_EQ(s.printer_name, L"");
    EXPECT_EQ(s.xml_path_file_name, L"C:\\a.brd");
    EXPECT_EQ(s.recent_paths[0], max);
    EXPECT_EQ(s.recent_paths[1], L"F:\\b.brd");

    // Written back without a terminator: 2 bytes per character, an empty string as length 0.
    s.printer_name = L"Dr\u00fccker \u00c4\u00d6\u00dc\u00df";
    s.xml_path_file_name = L"";
    EXPECT_EQ(put_settings(s), 1);
    EXPECT_EQ(store.find(L"Printer Name")->data.size(), 2 * s.printer_name.size());
    EXPECT_EQ(store.find(L"Xml path file name")->data.size(), 0u);
    s.printer_name.clear();
    s.xml_path_file_name = L"C:\\x";
    EXPECT_EQ(get_settings(s), 1);
    EXPECT_EQ(s.printer_name, L"Dr\u00fccker \u00c4\u00d6\u00dc\u00df");
    EXPECT_EQ(s.xml_path_file_name, L"");
    EXPECT_TRUE(port.boxes.empty());
}

TEST_F(RegistrySettings, TooLongStringIsReportedAndTheVariableKept) {
    TextLanguage en(1);
    ASSERT_EQ(get_settings(s), 1);
    store.put_string(L"Printer Name", std::wstring(kMaxPathChars + 1, L'p'));
    store.put_string(L"Xml path file name", L"C:\\next.brd");
    store.put_string(L"ComboPathFilename05", std::wstring(400, L'q'));
    store.put_string(L"ComboPathFilename06", L"C:\\six.brd");
    s.printer_name = L"kept";
    s.recent_paths[5] = L"C:\\five.brd";

    EXPECT_EQ(get_settings(s), 1);
    EXPECT_EQ(port.boxes, Boxes(2, {Owner::none, L"get_registry system text 234", L"Tindral Error", 0x2010}));
    EXPECT_EQ(s.printer_name, L"kept");
    EXPECT_EQ(s.xml_path_file_name, L"C:\\next.brd");
    EXPECT_EQ(s.recent_paths[5], L"C:\\five.brd");
    EXPECT_EQ(s.recent_paths[6], L"C:\\six.brd");
    // A DWORD row meeting a longer value fails the same way.
    store.put_string(L"Sort col", L"123");
    port.boxes.clear();
    s.sort_col = 4;
    get_settings(s);
    ASSERT_EQ(port.boxes.size(), 3u);
    EXPECT_EQ(s.sort_col, 4u);
}

TEST_F(RegistrySettings, FailedValueIsReportedAndTheNextStillDone) {
    TextLanguage de(0);
    ASSERT_EQ(get_settings(s), 1);
    s.language = 0;
    store.put_dword(L"Language", 1);
    store.put_dword(L"Use filelist", 1);
    store.erase(L"Sort col");
    store.put_dword(L"group color top text1", 0x111111);
    store.query_errors[L"Language"] = reg::access_denied;
    store.set_errors[L"Sort col"] = reg::access_denied;
    s.sort_col = 4;

    EXPECT_EQ(get_settings(s), 1);
    EXPECT_EQ(port.boxes, Boxes(2, {Owner::none, L"get_registry system text 5", L"Tindral Fehler", 0x2010}));
    EXPECT_EQ(s.language, 0u);        // kept
    EXPECT_EQ(s.use_filelist, 1u);    // the next one was read
    EXPECT_EQ(s.sort_col, 4u);        // its default could not be stored
    EXPECT_EQ(s.group_color_top_text1, 0x111111u);
    EXPECT_EQ(store.find(L"Sort col"), nullptr);

    // Writing: the failed value keeps its stored data, the next ones are written.
    port.boxes.clear();
    store.query_errors.clear();
    store.set_errors = {{L"Language", reg::access_denied}, {L"Printer Name", reg::access_denied}};
    store.writes.clear();
    s.language = 0;
    s.use_filelist = 0;
    s.printer_name = L"new";
    EXPECT_EQ(put_settings(s), 1);
    EXPECT_EQ(port.boxes, Boxes(2, {Owner::none, L"put_registry system text 5", L"Tindral Fehler", 0x2010}));
    EXPECT_EQ(store.dword(L"Language"), 1u);
    EXPECT_EQ(store.dword(L"Use filelist"), 0u);
    EXPECT_EQ(store.string(L"Printer Name"), L"");
    EXPECT_EQ(store.writes.back(), L"Xml path file name");
    EXPECT_EQ(store.open_count, 0);
}

TEST_F(RegistrySettings, EachWriterTouchesOnlyItsOwnValues) {
    ASSERT_EQ(get_settings(s), 1);
    const std::vector<StoredValue> before = store.values;
    change_every_dword(s);
    for (auto& p : s.recent_paths) p = L"C:\\p.brd";
    s.xml_path_file_name = L"C:\\x.brd";

    store.writes.clear();
    EXPECT_EQ(put_settings(s), 1);
    const std::vector<std::wstring> general = store.writes;
    EXPECT_EQ(general.size(), static_cast<size_t>(kGeneralSettingCount));
    std::set<std::wstring> expected;
    for (const auto& n : table_names())
        if (!is_window_name(n)) expected.insert(n);
    EXPECT_EQ(std::set<std::wstring>(general.begin(), general.end()), expected);
    EXPECT_EQ(general[4], L"Report unexpected");
    EXPECT_EQ(general[5], L"Layer group 0");
    EXPECT_EQ(position(general, L"Use Crosshair"), position(general, L"Sort col") + 1);
    EXPECT_EQ(position(general, L"Crosshair Y"), position(general, L"Sort col") + 3);
    EXPECT_EQ(general[4 + position(general, L"Sort col")], L"group color top text1");
    EXPECT_EQ(general[kGeneralSettingCount - 2], L"Printer Name");
    EXPECT_EQ(general[kGeneralSettingCount - 1], L"Xml path file name");
    for (const StoredValue& v : before) {
        if (is_window_name(v.name) || v.name.rfind(L"ComboPath", 0) == 0) {
            EXPECT_EQ(store.find(v.name)->data, v.data) << v.name;
        } else if (v.type == reg::dword) {
            EXPECT_EQ(store.dword(v.name), find_setting(v.name.c_str())->dword(s)) << v.name;
        }
    }

    const std::vector<StoredValue> after_general = store.values;
    store.writes.clear();
    put_window_settings(s);
    std::vector<std::wstring> window_expected;
    for (const auto& n : table_names())
        if (is_window_name(n)) window_expected.push_back(n);
    EXPECT_EQ(store.writes, window_expected);
    EXPECT_EQ(store.dword(L"Wnd bom height"), s.wnd_bom_height);
    for (const StoredValue& v : after_general) {
        if (!is_window_name(v.name)) {
            EXPECT_EQ(store.find(v.name)->data, v.data) << v.name;
        }
    }

    store.writes.clear();
    put_path_list(s);
    std::vector<std::wstring> paths_expected = path_names();
    paths_expected.push_back(L"Xml path file name");
    EXPECT_EQ(store.writes, paths_expected);
    EXPECT_EQ(store.string(L"ComboPathFilename15"), L"C:\\p.brd");
    EXPECT_TRUE(port.boxes.empty());
    EXPECT_EQ(store.open_count, 0);
}

TEST_F(RegistrySettings, UnopenableKeyLeavesTheDefaultsAndIsReported) {
    TextLanguage de(0);
    store.open_results = {reg::access_denied};

    EXPECT_EQ(get_settings(s), 0);
    EXPECT_EQ(port.boxes, (Boxes{{Owner::none, L"open_reg_key system text 5", L"Tindral Fehler", 0x2010}}));
    EXPECT_EQ(s, kDefaultSettings);
    EXPECT_TRUE(store.values.empty());

    // The settings were read but the second open for the paths failed: the list stays.
    port.boxes.clear();
    store.put_string(L"ComboPathFilename00", L"C:\\stored.brd");
    store.put_dword(L"Sort col", 2);
    s.recent_paths[0] = L"C:\\kept.brd";
    store.open_results = {reg::ok, reg::access_denied};
    EXPECT_EQ(get_settings(s), 1);
    EXPECT_EQ(port.boxes.size(), 1u);
    EXPECT_EQ(s.sort_col, 2u);
    EXPECT_EQ(s.recent_paths[0], L"C:\\kept.brd");
    EXPECT_EQ(store.open_count, 0);
}

TEST_F(RegistrySettings, WritersStopWhenTheKeyCannotBeOpened) {
    TextLanguage en(1);
    store.open_results = {reg::access_denied, reg::access_denied, reg::access_denied};

    EXPECT_EQ(put_settings(s), 0);
    EXPECT_EQ(port.boxes, (Boxes{{Owner::none, L"open_reg_key system text 5", L"Tindral Error", 0x2010},
                                 {Owner::main, L"system text 5", L"Tindral put_settings", 0x2040}}));

    put_window_settings(s);
    put_path_list(s);
    EXPECT_EQ(port.boxes.size(), 4u);
    EXPECT_EQ(port.boxes[3].text, L"open_reg_key system text 5");
    EXPECT_TRUE(store.writes.empty());
}

TEST_F(RegistrySettings, ReportIsCutToItsHundredCharacterBuffer) {
    struct VerbosePort : RecordingPort {
        std::wstring system_error_text(uint32_t) override { return std::wstring(300, L'e'); }
    };
    VerbosePort port;
    store.query_errors[L"Language"] = reg::access_denied;
    get_settings(s);
    ASSERT_EQ(port.boxes.size(), 1u);
    EXPECT_EQ(port.boxes[0].text, L"get_registry " + std::wstring(99 - 13, L'e'));
}

TEST(SettingsStore, MemoryStoreBehavesLikeTheRegistry) {
    MemoryStore store;
    uint32_t err = 99;
    const StoreKey key = store.open_key(err);
    ASSERT_NE(key, 0u);
    EXPECT_EQ(err, reg::ok);
    const uint32_t v = 0xA1B2C3D4;
    EXPECT_EQ(store.set_value(key, L"Value", reg::dword, &v, 4), reg::ok);
    EXPECT_EQ(store.set_value(key, L"VALUE", reg::dword, &v, 4), reg::ok);  // the same value

    uint8_t small[2] = {7, 7};
    uint32_t type = 0, size = sizeof small;
    EXPECT_EQ(store.query_value(key, L"VALUE", type, small, size), reg::more_data);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(small[0], 7);  // nothing copied

    uint32_t out = 0;
    size = 4;
    EXPECT_EQ(store.query_value(key, L"value", type, &out, size), reg::ok);
    EXPECT_EQ(out, v);
    EXPECT_EQ(type, reg::dword);
    size = 4;
    EXPECT_EQ(store.query_value(key, L"other", type, &out, size), reg::file_not_found);

    store.close_key(key);
    size = 4;
    EXPECT_EQ(store.query_value(key, L"value", type, &out, size), reg::invalid_handle);
    EXPECT_EQ(store.set_value(key, L"value", reg::dword, &v, 4), reg::invalid_handle);
    EXPECT_EQ(store.values.size(), 1u);
}

TEST(SettingsStore, StringsTravelAsUtf16) {
    const std::wstring s = L"A\u00e4\u20ac";
    const std::vector<uint8_t> b = utf16_bytes(s);
    EXPECT_EQ(b, (std::vector<uint8_t>{0x41, 0, 0xE4, 0, 0xAC, 0x20}));
    EXPECT_EQ(from_utf16_bytes(b.data(), b.size() / 2), s);

    // A character outside the basic plane takes two units in either build.
    const std::wstring clef = sizeof(wchar_t) == 2 ? std::wstring(L"\xD834\xDD1E")
                                                   : std::wstring(1, static_cast<wchar_t>(0x1D11E));
    const std::vector<uint8_t> c = utf16_bytes(clef);
    EXPECT_EQ(c, (std::vector<uint8_t>{0x34, 0xD8, 0x1E, 0xDD}));
    EXPECT_EQ(from_utf16_bytes(c.data(), 2), clef);
}
