// The selection file is read-only and hidden between uses, and a save still replaces it.

#include <windows.h>

#include <gtest/gtest.h>

#include "selection/selection.h"
#include "settings/settings.h"
#include "support/recording_port.h"
#include "support/settings_guard.h"
#include "support/temp_folder.h"

using namespace tindral;

TEST(SelectionFileWin, ProtectedBetweenUsesAndStillReplaced) {
    test::SettingsGuard settings;
    test::RecordingPort port;
    test::TempFolder dir;
    g_settings.xml_path_file_name = (dir.path / "servo.brd").wstring();
    const std::wstring file = (dir.path / "serv.TindralSel").wstring();
    constexpr DWORD kProtected = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;

    for (const std::vector<uint32_t>& states : {std::vector<uint32_t>{2, 0}, {0, 2, 2}}) {
        ASSERT_EQ(save_selection(states), 1);
        const DWORD attributes = GetFileAttributesW(file.c_str());
        ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
        EXPECT_EQ(attributes & kProtected, kProtected);
        EXPECT_EQ(test::TempFolder::read(dir.path / "serv.TindralSel").size(), states.size() * 4);
    }
    std::vector<uint32_t> states(3, 0);
    ASSERT_EQ(load_selection(states), 1);
    EXPECT_EQ(states, (std::vector<uint32_t>{0, 2, 2}));
    EXPECT_EQ(GetFileAttributesW(file.c_str()) & kProtected, kProtected);
    EXPECT_EQ(port.boxes.size(), 1u);  // the overwrite question only
}
