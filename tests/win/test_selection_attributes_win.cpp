// The selection file is read-only and hidden between uses.

#include <windows.h>

#include <gtest/gtest.h>

#include "selection/selection.h"
#include "settings/settings.h"
#include "support/recording_port.h"
#include "support/settings_guard.h"
#include "support/temp_folder.h"

using namespace tindral;

TEST(SelectionFileWin, ProtectedAfterEverySaveAndLoad) {
    test::SettingsGuard settings;
    test::RecordingPort port;
    test::TempFolder dir;
    g_settings.xml_path_file_name = (dir.path / "servo.brd").wstring();
    const std::wstring file = (dir.path / "serv.TindralSel").wstring();
    const auto is_protected = [&] {
        const DWORD a = GetFileAttributesW(file.c_str());
        return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_READONLY) && (a & FILE_ATTRIBUTE_HIDDEN);
    };
    std::vector<uint32_t> states{2, 0};
    ASSERT_EQ(save_selection(states), 1);
    EXPECT_TRUE(is_protected());
    ASSERT_EQ(save_selection(states), 1);
    ASSERT_EQ(load_selection(states), 1);
    EXPECT_TRUE(is_protected());
}
