// The selection file: its name, its bytes, saving over an old file and loading it back.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "selection/selection.h"
#include "selection/selection_format.h"
#include "settings/settings.h"
#include "support/box_summary.h"
#include "support/language_guard.h"
#include "support/settings_guard.h"
#include "support/temp_folder.h"

using namespace tindral;
using States = std::vector<uint32_t>;
namespace fs = std::filesystem;

TEST(SelectionFormat, NameInTheBoardsFolderAndLittleEndianStates) {
    std::wstring name;
    ASSERT_TRUE(make_selection_path(L"C:\\b\\x.brd", name));
    EXPECT_EQ(name, L"C:\\b\\.TindralSel");
    // The cut would reach into the folder, or the name would pass 259 characters.
    const std::wstring folder = L"C:\\" + std::wstring(240, L'f') + L"\\";
    EXPECT_FALSE(make_selection_path(L"C:\\b\\x.br", name));
    EXPECT_FALSE(make_selection_path(folder + L"abcdefghij", name));
    ASSERT_TRUE(make_selection_path(folder + L"abcdefghi", name));
    EXPECT_EQ(name.size(), 259u);

    EXPECT_EQ(encode_states({2, 0x01020304}), std::string("\x02\0\0\0\x04\x03\x02\x01", 8));
}

namespace {

struct SelectionFileTest : ::testing::Test {
    test::SettingsGuard settings;
    test::RecordingPort port;
    test::LanguageGuard english{1};
    test::TempFolder dir;
    fs::path file = dir.path / "motor.TindralSel";

    SelectionFileTest() { g_settings.xml_path_file_name = (dir.path / "motor1.brd").wstring(); }
};

const wchar_t kNoData[] = L"Tindral Info|For this file is no data available|42040";

}  // namespace

TEST_F(SelectionFileTest, SavedMarksComeBackAsSelectedWhenTheUserAgrees) {
    States states{1, 0, 2};
    EXPECT_EQ(load_selection(states), 1);
    EXPECT_EQ(test::only_box(port), kNoData);  // no question without a file

    ASSERT_EQ(save_selection({0, 1, 2, 0, 2}), 1);
    ASSERT_EQ(save_selection({2, 0, 0, 1}), 1);  // replaces the protected file, leaves no other
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1);
    port.boxes.clear();
    port.answers.push_back(mb::id_no);
    EXPECT_EQ(load_selection(states), 0);
    EXPECT_EQ(test::only_box(port),
              L"Tindral Info|Current selection will be overwritten! \nContinue?|2044");
    EXPECT_EQ(states, (States{1, 0, 2}));

    // Beyond the file's end the old states stay; every mark comes back as selected.
    states = {0, 2, 1, 0, 1, 0};
    ASSERT_EQ(load_selection(states), 1);
    EXPECT_EQ(states, (States{2, 0, 0, 2, 2, 0}));

    // Six bytes are no whole states: not a file of ours.
    dir.write("motor.TindralSel", std::string("\x02\0\0\0\x02\0", 6));
    port.boxes.clear();
    EXPECT_EQ(load_selection(states), 1);
    EXPECT_EQ(port.boxes.size(), 2u);
    EXPECT_EQ(states, (States{2, 0, 0, 2, 2, 0}));
}

TEST_F(SelectionFileTest, FailedSaveKeepsThePreviousMarks) {
    ASSERT_EQ(save_selection({2, 0, 2}), 1);
    // A folder where the new file would be written: refused by the system, for root as well.
    fs::create_directories(fs::path(temp_selection_path(file.wstring())) / "inside");
    EXPECT_EQ(save_selection({0, 0, 0, 0}), 0);
    EXPECT_EQ(test::TempFolder::read(file), std::string("\x02\0\0\0\0\0\0\0\x02\0\0\0", 12));
    const std::wstring shown = test::only_box(port);
    EXPECT_EQ(shown.rfind(L"Tindral Error|system text ", 0), 0u);
    EXPECT_NE(shown.find(L"\nsave_selectione:" + file.wstring() + L"|42040"), std::wstring::npos);

    port.boxes.clear();
    g_settings.xml_path_file_name = (dir.path / "a.br").wstring();
    EXPECT_EQ(save_selection({1}), 0);
    EXPECT_EQ(test::only_box(port), L"Tindral Error|No selection file name can be made from this "
                                    L"path (too short or too long):\n" +
                                        g_settings.xml_path_file_name + L"|42040");
}
