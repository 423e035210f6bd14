// The recent-path list: filling the combo box, choosing a file, dropping a failed one.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/memory_store.h"
#include "settings/path_list.h"
#include "settings/settings.h"
#include "support/box_summary.h"
#include "support/language_guard.h"
#include "support/store_guard.h"
#include "support/temp_folder.h"

using namespace tindral;
using Paths = std::vector<std::wstring>;

namespace {

std::wstring listed(int i) { return L"C:\\boards\\b" + std::to_wstring(i) + L".brd"; }

struct PathListTest : ::testing::Test {
    MemoryStore store;
    test::StoreGuard routed{&store};
    Settings settings = kDefaultSettings;
    test::RecordingPort port;
    test::TextLanguage english{1};
    test::TempFolder dir;
    PathCombo combo;
    int dialogs = 0;

    void list(int n) {
        for (int i = 0; i < n; ++i) settings.recent_paths[i] = listed(i);
        settings.use_filelist = 1;
        fill_path_combo(settings, combo);
    }
    // Chooses path in the file dialog; an empty path cancels it.
    int choose(const std::wstring& path) {
        return choose_board_file(
            settings, combo,
            [&](std::wstring& out) {
                ++dialogs;
                out = path;
                return !path.empty();
            },
            &read_file_start);
    }
};

}  // namespace

TEST_F(PathListTest, FillClosesGapsAndMendsTheLastIndex) {
    settings.recent_paths[0] = listed(0);
    settings.recent_paths[2] = listed(2);
    settings.last_selected_file_index = 1;
    list(0);
    EXPECT_EQ(combo.items, (Paths{listed(0), listed(2)}));
    EXPECT_EQ(settings.recent_paths[1], listed(2));
    EXPECT_EQ(settings.xml_path_file_name, listed(2));
    EXPECT_EQ(combo.selection, 1);
    settings.last_selected_file_index = 7;  // past the paths in use: the first one
    fill_path_combo(settings, combo);
    EXPECT_EQ(combo.selection, 0);
    EXPECT_EQ(settings.xml_path_file_name, listed(0));
}

TEST_F(PathListTest, NewFileGoesOnTopUntilTheListIsFull) {
    const std::wstring fresh =
        dir.write("new.brd", "<?xml version=\"1.0\"?>\n<!DOCTYPE eagle SYSTEM \"eagle.dtd\">").wstring();
    list(14);
    ASSERT_EQ(choose(fresh), 1);
    Paths expected{fresh};
    for (int i = 0; i < 14; ++i) expected.push_back(listed(i));
    EXPECT_EQ(combo.items, expected);
    EXPECT_EQ(settings.recent_paths[14], listed(13));
    EXPECT_EQ(combo.selection, 0);
    EXPECT_EQ(combo.count_text, L"15");
    EXPECT_EQ(store.string(L"ComboPathFilename00"), fresh);

    EXPECT_EQ(choose(fresh), 0);
    EXPECT_EQ(dialogs, 1);  // the warning comes instead of the dialog
    EXPECT_EQ(test::only_box(port), L"Tindral Warning|Max number of entries in path list is "
                                    L"reached.\rPlease delete old entries|2010");
}

TEST_F(PathListTest, PathDifferingOnlyInCaseCountsAsListed) {
    list(3);
    settings.recent_paths[1] = combo.items[1] = L"C:\\\u00C4rger\u0141\u00DE.brd";
    // The file does not exist: a header check would fail and show a box.
    ASSERT_EQ(choose(L"c:\\\u00E4RGER\u0142\u00FE.BRD"), 1);
    EXPECT_TRUE(port.boxes.empty());
    EXPECT_EQ(combo.items.size(), 3u);
    EXPECT_EQ(settings.last_selected_file_index, 1u);
    EXPECT_FALSE(same_path_ignoring_case(L"\u00F7", L"\u00D7"));  // no letters
    // A whole match wins over an item that merely starts with the path.
    EXPECT_EQ(select_path_index({L"C:\\a.brd.old", L"C:\\A.BRD"}, L"c:\\a.brd"), 1);
}

TEST_F(PathListTest, RefusedOrCancelledChoiceKeepsPathAndList) {
    list(2);
    const std::wstring before = settings.xml_path_file_name;
    const std::wstring cases[][2] = {
        {L"", L"boxes shown: 0"},
        {dir.write("notes.brd", "text").wstring(), L"Tindral Warning|Tindral can only handle "
                                                   L"files generated from Eagle Version V6 or V7|2010"},
        {(dir.path / "gone.brd").wstring(), L"Tindral CreateFile is_eagle_version_ok|system text 2|2040"},
    };
    for (const auto& c : cases) {
        port.boxes.clear();
        EXPECT_EQ(choose(c[0]), 0);
        EXPECT_EQ(test::only_box(port), c[1]);
        EXPECT_EQ(settings.xml_path_file_name, before);
        EXPECT_EQ(combo.items, (Paths{listed(0), listed(1)}));
    }
    port.boxes.clear();
    combo.items[1] = L"C:\\" + std::wstring(257, L'x');  // does not fit the path buffer
    EXPECT_EQ(choose(listed(0)), 0);
    EXPECT_EQ(test::only_box(port), L"Tindral Warning|Path / filename too long|2010");
    EXPECT_TRUE(store.writes.empty());
}

TEST_F(PathListTest, WithoutFileListTheChoiceReplacesTheSingleEntry) {
    for (int i = 0; i < 3; ++i) settings.recent_paths[i] = listed(i);
    fill_path_combo(settings, combo);
    ASSERT_EQ(choose(L"E:\\new.brd"), 1);  // no header check in this mode
    EXPECT_EQ(combo.items, Paths{L"E:\\new.brd"});
    for (int i = 0; i < kRecentPathCount; ++i) {
        const std::wstring name = format_text(30, L"ComboPathFilename%02d", i);
        ASSERT_NE(store.find(name), nullptr);
        EXPECT_EQ(store.string(name), i == 0 ? L"E:\\new.brd" : L"") << i;
    }
}

TEST_F(PathListTest, DropFailedPathRemovesTheExactEntryAndKeepsTheOrder) {
    list(4);
    settings.xml_path_file_name = L"c:\\boards\\b2.brd";  // differs in case only: stays
    EXPECT_EQ(drop_failed_path(settings, combo), 0);
    settings.xml_path_file_name = listed(2);
    EXPECT_EQ(drop_failed_path(settings, combo), 1);
    EXPECT_EQ(combo.items, (Paths{listed(0), listed(1), listed(3)}));
    EXPECT_EQ(settings.recent_paths[3], L"");
    EXPECT_EQ(combo.selection, -1);
    EXPECT_TRUE(store.writes.empty());  // stored at the end of the program
}
