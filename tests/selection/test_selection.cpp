// The selection file: its name, its bytes, saving over an old file and loading it back.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "selection/selection.h"
#include "selection/selection_format.h"
#include "settings/settings.h"
#include "support/language_guard.h"
#include "support/recording_port.h"
#include "support/settings_guard.h"
#include "support/temp_folder.h"

using namespace tindral;
namespace fs = std::filesystem;

TEST(SelectionName, FiveCharactersGiveWayInTheBoardsFolder) {
    std::wstring name;
    ASSERT_TRUE(make_selection_path(L"C:\\b\\board.brd", name));
    EXPECT_EQ(name, L"C:\\b\\boar.TindralSel");
    ASSERT_TRUE(make_selection_path(L"C:\\b\\x.brd", name));
    EXPECT_EQ(name, L"C:\\b\\.TindralSel");
    ASSERT_TRUE(make_selection_path(L"x.brd", name));
    EXPECT_EQ(name, L".TindralSel");

    // The cut would reach into the folder, or there is nothing to cut.
    for (const wchar_t* board : {L"C:\\b\\x.br", L"/tmp/abcd", L"x.br", L""})
        EXPECT_FALSE(make_selection_path(board, name)) << board;

    // The name may take 259 characters, no more.
    const std::wstring folder = L"C:\\" + std::wstring(240, L'f') + L"\\";
    ASSERT_TRUE(make_selection_path(folder + L"abcdefghi", name));  // 253 -> 259
    EXPECT_EQ(name.size(), 259u);
    EXPECT_FALSE(make_selection_path(folder + L"abcdefghij", name));

    const std::wstring temp = temp_selection_path(name);
    EXPECT_EQ(temp.size(), name.size());
    EXPECT_NE(temp, name);
}

TEST(SelectionFormat, LittleEndianStatesInModelOrder) {
    const std::string bytes = encode_states({2, 0, 1, 0x01020304});
    EXPECT_EQ(bytes, std::string("\x02\0\0\0\0\0\0\0\x01\0\0\0\x04\x03\x02\x01", 16));
    std::vector<uint32_t> back(5, 7);
    decode_states(bytes, back);
    EXPECT_EQ(back, (std::vector<uint32_t>{2, 0, 1, 0x01020304, 7}));
    std::vector<uint32_t> fewer(2, 7);
    decode_states(bytes, fewer);
    EXPECT_EQ(fewer, (std::vector<uint32_t>{2, 0}));
}

namespace {

struct SelectionFileTest : ::testing::Test {
    test::SettingsGuard settings;
    test::RecordingPort port;
    test::LanguageGuard english{1};
    test::TempFolder dir;
    fs::path file = dir.path / "motor.TindralSel";

    SelectionFileTest() { g_settings.xml_path_file_name = (dir.path / "motor1.brd").wstring(); }

    std::vector<uint32_t> on_disk() const {
        const std::string bytes = test::TempFolder::read(file);
        std::vector<uint32_t> states(bytes.size() / 4);
        decode_states(bytes, states);
        return states;
    }
    void expect_box(size_t i, const std::wstring& text, const wchar_t* title, unsigned flags) {
        ASSERT_GT(port.boxes.size(), i);
        EXPECT_EQ(port.boxes[i].text, text);
        EXPECT_EQ(port.boxes[i].title, title);
        EXPECT_EQ(port.boxes[i].flags, flags);
        EXPECT_EQ(port.boxes[i].owner, Owner::main);
    }
    size_t files_in_folder() const {
        size_t n = 0;
        for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir.path)) ++n;
        return n;
    }
};

constexpr unsigned kQuestion = 0x2044;
constexpr unsigned kReport = 0x42040;

}  // namespace

TEST_F(SelectionFileTest, SavedMarksComeBackWithTheCurrentOneAsSelected) {
    ASSERT_EQ(save_selection({0, 1, 2, 0, 2}), 1);
    EXPECT_EQ(on_disk(), (std::vector<uint32_t>{0, 1, 2, 0, 2}));
    // Saving again replaces the file, which is protected between uses.
    ASSERT_EQ(save_selection({2, 0, 0, 1}), 1);
    EXPECT_EQ(on_disk(), (std::vector<uint32_t>{2, 0, 0, 1}));
    EXPECT_EQ(files_in_folder(), 1u);
    EXPECT_TRUE(port.boxes.empty());

    std::vector<uint32_t> states{0, 2, 1, 0, 1, 0};
    ASSERT_EQ(load_selection(states), 1);
    // The four saved states, and beyond the file's end the old ones, marked as selected.
    EXPECT_EQ(states, (std::vector<uint32_t>{2, 0, 0, 2, 2, 0}));
    ASSERT_EQ(port.boxes.size(), 1u);
    expect_box(0, L"Current selection will be overwritten! \nContinue?", L"Tindral Info", kQuestion);
    // Loading leaves the file in place for the next load.
    EXPECT_EQ(on_disk(), (std::vector<uint32_t>{2, 0, 0, 1}));
}

TEST_F(SelectionFileTest, DeclinedMissingOrForeignFilesChangeNothing) {
    std::vector<uint32_t> states{1, 0, 2};
    const std::vector<uint32_t> before = states;

    EXPECT_EQ(load_selection(states), 1);
    expect_box(0, L"For this file is no data available", L"Tindral Info", kReport);
    EXPECT_EQ(port.boxes.size(), 1u);  // no question without a file

    ASSERT_EQ(save_selection({2, 2, 2}), 1);
    port.answers.push_back(mb::id_no);
    EXPECT_EQ(load_selection(states), 0);
    EXPECT_EQ(states, before);

    // Six bytes are no whole states: not a file of ours.
    dir.write("motor.TindralSel", std::string("\x02\0\0\0\x02\0", 6));
    EXPECT_EQ(load_selection(states), 1);
    expect_box(3, L"For this file is no data available", L"Tindral Info", kReport);
    EXPECT_EQ(states, before);
    EXPECT_EQ(port.boxes.size(), 4u);
}

TEST_F(SelectionFileTest, FailedSaveKeepsThePreviousMarks) {
    ASSERT_EQ(save_selection({2, 0, 2}), 1);
    // A folder where the new file would be written: the operating system refuses it, root or not.
    const fs::path temp = temp_selection_path(file.wstring());
    fs::create_directories(temp / "inside");
    EXPECT_EQ(save_selection({0, 0, 0, 0}), 0);
    EXPECT_EQ(on_disk(), (std::vector<uint32_t>{2, 0, 2}));
    ASSERT_EQ(port.boxes.size(), 1u);
    const std::wstring& text = port.boxes[0].text;
    EXPECT_EQ(text.rfind(L"system text ", 0), 0u);
    EXPECT_NE(text.find(L"\nsave_selectione:" + file.wstring()), std::wstring::npos);
    EXPECT_EQ(port.boxes[0].title, L"Tindral Error");
    EXPECT_EQ(port.boxes[0].flags, kReport);

    // The file itself is a folder: loading cannot open it.
    fs::remove_all(temp);
    fs::permissions(file, fs::perms::owner_all, fs::perm_options::add);
    fs::remove(file);
    fs::create_directories(file);
    std::vector<uint32_t> states{1};
    EXPECT_EQ(load_selection(states), 0);
    ASSERT_EQ(port.boxes.size(), 3u);
    EXPECT_NE(port.boxes[2].text.find(L"\nload_selection:" + file.wstring()), std::wstring::npos);
    EXPECT_EQ(port.boxes[2].title, L"Tindral Error");
    EXPECT_EQ(states, std::vector<uint32_t>{1});
}

TEST_F(SelectionFileTest, BoardPathWithoutRoomForTheNameIsReported) {
    g_settings.xml_path_file_name = (dir.path / "a.br").wstring();
    std::vector<uint32_t> states{1};
    EXPECT_EQ(save_selection(states), 0);
    EXPECT_EQ(load_selection(states), 0);
    ASSERT_EQ(port.boxes.size(), 2u);
    expect_box(1,
               L"No selection file name can be made from this path (too short or too long):\n" +
                   g_settings.xml_path_file_name,
               L"Tindral Error", kReport);
    EXPECT_EQ(files_in_folder(), 0u);
}
