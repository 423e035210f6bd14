// The settings against the real registry. It writes the program's own key, so it runs only
// under Wine, where the prefix is thrown away after the run; it removes the key again.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win/registry_store_win.h"
#include "settings/registry_settings.h"
#include "support/recording_port.h"
#include "support/store_guard.h"

using namespace tindral;

namespace {

bool under_wine() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

struct RawValue {
    LSTATUS rc = ERROR_FILE_NOT_FOUND;
    DWORD type = 0;
    std::vector<BYTE> data;
};

class RegistryStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!under_wine()) GTEST_SKIP() << "changes the program's own key; runs under Wine only";
        RegDeleteKeyW(HKEY_CURRENT_USER, kRegistryKeyPath);
    }
    void TearDown() override {
        if (raw_) RegCloseKey(raw_);
        if (under_wine()) RegDeleteKeyW(HKEY_CURRENT_USER, kRegistryKeyPath);
    }

    HKEY raw() {
        if (!raw_) {
            EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kRegistryKeyPath, 0, KEY_ALL_ACCESS, &raw_),
                      ERROR_SUCCESS);
        }
        return raw_;
    }
    RawValue read(const wchar_t* name) {
        RawValue v;
        DWORD size = 0;
        v.rc = RegQueryValueExW(raw(), name, nullptr, &v.type, nullptr, &size);
        if (v.rc != ERROR_SUCCESS) return v;
        v.data.resize(size);
        v.rc = RegQueryValueExW(raw(), name, nullptr, &v.type, v.data.data(), &size);
        v.data.resize(size);
        return v;
    }
    DWORD dword(const wchar_t* name) {
        const RawValue v = read(name);
        DWORD out = 0;
        if (v.rc == ERROR_SUCCESS && v.data.size() == 4) memcpy(&out, v.data.data(), 4);
        return out;
    }
    // The stored characters; the registry itself may add one terminator to what it was given.
    std::wstring stored_text(const wchar_t* name) {
        const RawValue v = read(name);
        EXPECT_EQ(v.type, static_cast<DWORD>(REG_SZ)) << name;
        std::wstring s(reinterpret_cast<const wchar_t*>(v.data.data()), v.data.size() / 2);
        if (!s.empty() && s.back() == L'\0') s.pop_back();
        EXPECT_EQ(s.find(L'\0'), std::wstring::npos) << name;
        return s;
    }
    // Stores exactly the characters of s: the character after them is not NUL, so the registry
    // adds no terminator.
    void put_exact(const wchar_t* name, const std::wstring& s) {
        const std::wstring buffer = s + L'!';
        ASSERT_EQ(RegSetValueExW(raw(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(buffer.c_str()),
                                 static_cast<DWORD>(s.size() * sizeof(wchar_t))),
                  ERROR_SUCCESS);
        ASSERT_EQ(read(name).data.size(), s.size() * sizeof(wchar_t));
    }
    // Stores s with its terminator, as most programs do.
    void put_terminated(const wchar_t* name, const std::wstring& s) {
        ASSERT_EQ(RegSetValueExW(raw(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(s.c_str()),
                                 static_cast<DWORD>((s.size() + 1) * sizeof(wchar_t))),
                  ERROR_SUCCESS);
    }

    RegistryStore store;
    test::StoreGuard guard{&store};
    Settings settings = kDefaultSettings;
    test::RecordingPort port;

private:
    HKEY raw_ = nullptr;
};

}  // namespace

// What is read and written per value is checked on the in-memory store; here the real key is
// made on the first start, holds every value, and keeps an empty string at length 0.
TEST_F(RegistryStoreTest, FirstStartAndValuesRoundTripWithUmlauts) {
    HKEY probe = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kRegistryKeyPath, 0, KEY_READ, &probe), ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(get_settings(settings), 1);
    DWORD count = 0;
    ASSERT_EQ(RegQueryInfoKeyW(raw(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                               nullptr, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(count, static_cast<DWORD>(kSettingCount + kRecentPathCount));
    EXPECT_EQ(read(L"Wnd main X").type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(read(L"Printer Name").data.size(), 0u);
    EXPECT_EQ(stored_text(L"Xml path file name"), L"C:\\");

    settings.language = 0;
    settings.layer_groups[7] = 0x80000001u;
    settings.group_color_bottom_back1 = 0x00123456u;
    settings.wnd_main_x = static_cast<uint32_t>(-10);  // a window left of the screen
    settings.wnd_bom_height = 444;
    settings.printer_name = L"Dr\u00fccker \u00c4\u00d6\u00dc \u00e4\u00f6\u00fc\u00df";
    settings.xml_path_file_name = L"C:\\Pl\u00e4ne\\Gr\u00fc\u00dfe.brd";
    settings.recent_paths[0] = settings.xml_path_file_name;
    settings.recent_paths[15] = L"Z:\\\u00fcber.brd";
    const Settings written = settings;
    EXPECT_EQ(put_settings(settings), 1);
    put_window_settings(settings);
    put_path_list(settings);
    EXPECT_TRUE(port.boxes.empty());

    EXPECT_EQ(stored_text(L"Printer Name"), written.printer_name);
    EXPECT_EQ(stored_text(L"ComboPathFilename00"), written.recent_paths[0]);
    EXPECT_EQ(dword(L"Wnd main X"), 0xFFFFFFF6u);

    settings = kDefaultSettings;
    settings.printer_name = std::wstring(200, L'#');  // longer than what is stored
    EXPECT_EQ(get_settings(settings), 1);
    EXPECT_TRUE(port.boxes.empty());
    EXPECT_EQ(settings, written);
}

TEST_F(RegistryStoreTest, ValueTooLongForItsBufferIsReported) {
    ASSERT_EQ(get_settings(settings), 1);
    put_exact(L"Printer Name", std::wstring(kMaxPathChars + 1, L'p'));   // fills the buffer exactly
    put_terminated(L"ComboPathFilename02", std::wstring(300, L'q'));     // larger than the buffer
    put_terminated(L"ComboPathFilename03", std::wstring(kMaxPathChars, L'r'));
    put_exact(L"ComboPathFilename04", L"C:\\exact.brd");
    put_terminated(L"ComboPathFilename05", L"C:\\term.brd");
    ASSERT_EQ(RegSetValueExW(raw(), L"Sort col", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"12345"), 10),
              ERROR_SUCCESS);
    settings.printer_name = L"kept";
    settings.sort_col = 4;
    settings.recent_paths[2] = L"C:\\two.brd";

    EXPECT_EQ(get_settings(settings), 1);
    EXPECT_EQ(port.boxes, test::Boxes(3, {Owner::none, L"get_registry system text 234", L"Tindral Error",
                                          static_cast<unsigned>(MB_TASKMODAL | MB_ICONHAND)}));
    EXPECT_EQ(settings.printer_name, L"kept");
    EXPECT_EQ(settings.sort_col, 4u);
    EXPECT_EQ(settings.recent_paths[2], L"C:\\two.brd");
    EXPECT_EQ(settings.recent_paths[3], std::wstring(kMaxPathChars, L'r'));
    EXPECT_EQ(settings.recent_paths[4], L"C:\\exact.brd");
    EXPECT_EQ(settings.recent_paths[5], L"C:\\term.brd");
}
