// The recent-path list: filling the combo box, choosing a file, dropping a failed one.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "board/path_list.h"
#include "settings/memory_store.h"
#include "settings/settings.h"
#include "support/language_guard.h"
#include "support/recording_port.h"
#include "support/settings_guard.h"
#include "support/temp_folder.h"

using namespace tindral;
namespace fs = std::filesystem;

namespace {

const std::string kBoardStart =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<!DOCTYPE eagle SYSTEM \"eagle.dtd\">\r\n<eagle/>";

std::wstring listed(int i) { return L"C:\\boards\\b" + std::to_wstring(i) + L".brd"; }

struct PathListTest : ::testing::Test {
    MemoryStore store;
    test::SettingsGuard settings{&store};
    test::RecordingPort port;
    test::LanguageGuard english{1};
    test::TempFolder dir;
    PathCombo combo;
    int dialogs = 0;

    void list(int n) {
        for (int i = 0; i < n; ++i) g_settings.recent_paths[i] = listed(i);
        g_settings.use_filelist = 1;
        fill_path_combo(combo);
    }
    BoardFileDialog choose(const std::wstring& path) {
        return [this, path](std::wstring& out) {
            ++dialogs;
            out = path;
            return true;
        };
    }
    void expect_one_box(const wchar_t* text, const wchar_t* title, unsigned flags) {
        ASSERT_EQ(port.boxes.size(), 1u);
        EXPECT_EQ(port.boxes[0].text, text);
        EXPECT_EQ(port.boxes[0].title, title);
        EXPECT_EQ(port.boxes[0].flags, flags);
        EXPECT_EQ(port.boxes[0].owner, Owner::main);
    }
};

}  // namespace

TEST_F(PathListTest, FillTakesTheListOrTheSinglePathAndMendsTheLastIndex) {
    g_settings.last_selected_file_index = 2;
    list(3);
    EXPECT_EQ(combo.items, (std::vector<std::wstring>{listed(0), listed(1), listed(2)}));
    EXPECT_EQ(combo.selection, 2);
    EXPECT_EQ(g_settings.xml_path_file_name, listed(2));
    EXPECT_EQ(combo.count_text, L"3");
    EXPECT_TRUE(combo.list_controls_shown);

    // An index past the paths in use means the first one.
    g_settings.last_selected_file_index = 7;
    fill_path_combo(combo);
    EXPECT_EQ(combo.selection, 0);
    EXPECT_EQ(g_settings.last_selected_file_index, 0u);
    EXPECT_EQ(g_settings.xml_path_file_name, listed(0));

    // A stored list with a gap closes up, and the index counts the paths in use.
    g_settings.recent_paths[1].clear();
    g_settings.last_selected_file_index = 1;
    fill_path_combo(combo);
    EXPECT_EQ(combo.items, (std::vector<std::wstring>{listed(0), listed(2)}));
    EXPECT_EQ(combo.selection, 1);
    EXPECT_EQ(g_settings.xml_path_file_name, listed(2));
    EXPECT_EQ(g_settings.recent_paths[1], listed(2));
    EXPECT_EQ(g_settings.recent_paths[2], L"");

    g_settings.use_filelist = 0;
    g_settings.last_selected_file_index = 2;
    g_settings.xml_path_file_name = L"D:\\x\\single.brd";
    fill_path_combo(combo);
    EXPECT_EQ(combo.items, std::vector<std::wstring>{L"D:\\x\\single.brd"});
    EXPECT_EQ(combo.selection, 0);
    EXPECT_EQ(g_settings.last_selected_file_index, 0u);
    EXPECT_FALSE(combo.list_controls_shown);
}

TEST_F(PathListTest, NewFileGoesOnTopUntilTheListIsFull) {
    list(14);
    const std::wstring fresh = dir.write("fresh.brd", kBoardStart).wstring();
    ASSERT_EQ(choose_board_file(combo, choose(fresh)), 1);
    EXPECT_TRUE(port.boxes.empty());
    ASSERT_EQ(combo.items.size(), 15u);
    EXPECT_EQ(combo.items[0], fresh);
    EXPECT_EQ(combo.selection, 0);
    EXPECT_EQ(combo.count_text, L"15");
    EXPECT_EQ(g_settings.recent_paths[0], fresh);
    EXPECT_EQ(g_settings.recent_paths[14], listed(13));
    EXPECT_EQ(g_settings.recent_paths[15], L"");
    EXPECT_EQ(store.string(L"ComboPathFilename00"), fresh);
    EXPECT_EQ(store.string(L"ComboPathFilename14"), listed(13));
    EXPECT_EQ(store.string(L"Xml path file name"), fresh);

    // Full: the warning comes instead of the dialog.
    EXPECT_EQ(choose_board_file(combo, choose(fresh)), 0);
    EXPECT_EQ(dialogs, 1);
    expect_one_box(L"Max number of entries in path list is reached.\rPlease delete old entries",
                   L"Tindral Warning", 0x2010);
}

TEST_F(PathListTest, PathDifferingOnlyInCaseCountsAsListed) {
    g_settings.recent_paths[0] = L"C:\\Boards\\Motor.brd";
    g_settings.recent_paths[1] = L"C:\\Boards\\\u00C4rger\u0141.brd";  // ÄrgerŁ
    g_settings.recent_paths[2] = L"C:\\Boards\\other.brd";
    g_settings.use_filelist = 1;
    fill_path_combo(combo);
    // The file does not exist: a header check would fail and show a box.
    ASSERT_EQ(choose_board_file(combo, choose(L"c:\\BOARDS\\\u00E4RGER\u0142.BRD")), 1);
    EXPECT_TRUE(port.boxes.empty());
    EXPECT_EQ(combo.items.size(), 3u);
    EXPECT_EQ(combo.selection, 1);
    EXPECT_EQ(g_settings.last_selected_file_index, 1u);
    EXPECT_EQ(g_settings.recent_paths[1], L"C:\\Boards\\\u00C4rger\u0141.brd");

    EXPECT_TRUE(same_path_ignoring_case(L"\u00FF\u00E9z", L"\u0178\u00C9Z"));
    EXPECT_FALSE(same_path_ignoring_case(L"\u00F7", L"\u00D7"));  // ÷ and × are no letters
    EXPECT_FALSE(same_path_ignoring_case(L"a.brd", L"a.brd "));
    // A whole match wins over an earlier item that merely starts with the path.
    EXPECT_EQ(select_path_index({L"x", L"C:\\a.brd.old", L"C:\\A.BRD"}, L"c:\\a.brd"), 2);
    EXPECT_EQ(select_path_index({L"C:\\a.brd.old", L"x"}, L"C:\\a.brd"), 0);
    EXPECT_EQ(select_path_index({L"x"}, L"y"), -1);
}

TEST_F(PathListTest, RejectedOrCancelledChoiceKeepsPathAndList) {
    list(2);
    const std::wstring before = g_settings.xml_path_file_name;
    const auto unchanged = [&] {
        EXPECT_EQ(g_settings.xml_path_file_name, before);
        EXPECT_EQ(g_settings.recent_paths[0], listed(0));
        EXPECT_EQ(g_settings.recent_paths[2], L"");
        EXPECT_EQ(combo.items.size(), 2u);
        EXPECT_TRUE(store.writes.empty());
    };

    EXPECT_EQ(choose_board_file(combo, [](std::wstring&) { return false; }), 0);
    EXPECT_TRUE(port.boxes.empty());
    unchanged();

    const std::wstring text_file = dir.write("notes.brd", "just text\r\n").wstring();
    EXPECT_EQ(choose_board_file(combo, choose(text_file)), 0);
    expect_one_box(L"Tindral can only handle files generated from Eagle Version V6 or V7",
                   L"Tindral Warning", 0x2010);
    unchanged();

    port.boxes.clear();
    EXPECT_EQ(choose_board_file(combo, choose((dir.path / "gone.brd").wstring())), 0);
    expect_one_box(L"system text 2", L"Tindral CreateFile is_eagle_version_ok", 0x2040);
    unchanged();
}

TEST_F(PathListTest, ItemsThatDoNotFitThePathBufferStopTheChoice) {
    list(2);
    combo.items[1] = L"C:\\" + std::wstring(257, L'x');  // 260 characters
    EXPECT_EQ(choose_board_file(combo, choose(listed(0))), 0);
    expect_one_box(L"Path / filename too long", L"Tindral Warning", 0x2010);

    port.boxes.clear();
    combo.items.resize(1);  // fewer items than paths in use
    EXPECT_EQ(choose_board_file(combo, choose(listed(0))), 0);
    expect_one_box(L"Please specify file", L"Tindral Warning", 0x2010);
    EXPECT_EQ(g_settings.recent_paths[1], listed(1));
    EXPECT_TRUE(store.writes.empty());
}

TEST_F(PathListTest, WithoutFileListTheChoiceReplacesTheSingleEntry) {
    for (int i = 0; i < 3; ++i) g_settings.recent_paths[i] = listed(i);
    fill_path_combo(combo);
    // Not checked in this mode: the token reader turns away what is no board.
    const std::wstring chosen = L"E:\\elsewhere\\new.brd";
    ASSERT_EQ(choose_board_file(combo, choose(chosen)), 1);
    EXPECT_TRUE(port.boxes.empty());
    EXPECT_EQ(combo.items, std::vector<std::wstring>{chosen});
    EXPECT_EQ(combo.selection, 0);
    EXPECT_EQ(g_settings.xml_path_file_name, chosen);
    EXPECT_EQ(store.string(L"ComboPathFilename00"), chosen);
    for (int i = 1; i < kRecentPathCount; ++i) {
        const std::wstring name = L"ComboPathFilename" + std::wstring(i < 10 ? L"0" : L"") +
                                  std::to_wstring(i);
        ASSERT_NE(store.find(name), nullptr) << i;
        EXPECT_EQ(store.string(name), L"") << i;
    }
}

TEST_F(PathListTest, DropFailedPathRemovesTheExactEntryAndKeepsTheOrder) {
    list(4);
    combo.selection = 2;
    g_settings.xml_path_file_name = L"c:\\boards\\b2.brd";  // differs in case only: stays
    EXPECT_EQ(drop_failed_path(combo), 0);
    EXPECT_EQ(combo.items.size(), 4u);

    g_settings.xml_path_file_name = listed(2);
    EXPECT_EQ(drop_failed_path(combo), 1);
    const std::vector<std::wstring> rest{listed(0), listed(1), listed(3)};
    EXPECT_EQ(combo.items, rest);
    EXPECT_EQ(combo.selection, -1);
    EXPECT_EQ(combo.count_text, L"4");  // the count box is left as it was
    EXPECT_EQ(g_settings.recent_paths[2], listed(3));
    EXPECT_EQ(g_settings.recent_paths[3], L"");
    EXPECT_TRUE(store.writes.empty());  // stored at the end of the program

    g_settings.xml_path_file_name.clear();
    EXPECT_EQ(drop_failed_path(combo), 0);
    EXPECT_EQ(combo.items, rest);
}
