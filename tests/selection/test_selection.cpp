// The selection file: name, bytes, saving, loading, the older name, files that do not fit.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "selection/selection.h"
#include "selection/selection_file.h"
#include "selection/selection_format.h"
#include "settings/settings.h"
#include "support/box_summary.h"
#include "support/language_guard.h"
#include "support/temp_folder.h"

using namespace tindral;
using States = std::vector<uint32_t>;
namespace fs = std::filesystem;

TEST(SelectionFormat, NameFromTheBoardWithoutItsExtension) {
    std::wstring name;
    ASSERT_TRUE(make_selection_path(L"C:\\b\\board1.brd", name));
    EXPECT_EQ(name, L"C:\\b\\board1.TindralSel");
    // A dot in a folder or at the start of the name is no extension.
    ASSERT_TRUE(make_selection_path(L"C:\\v1.2\\board", name));
    EXPECT_EQ(name, L"C:\\v1.2\\board.TindralSel");
    ASSERT_TRUE(make_selection_path(L"C:\\b\\.brd", name));
    EXPECT_EQ(name, L"C:\\b\\.brd.TindralSel");
    EXPECT_FALSE(make_selection_path(L"C:\\b\\", name));
    // The name may not pass 259 characters.
    const std::wstring folder = L"C:\\" + std::wstring(240, L'f') + L"\\";
    ASSERT_TRUE(make_selection_path(folder + L"abcd.brd", name));
    EXPECT_EQ(name.size(), 259u);
    EXPECT_FALSE(make_selection_path(folder + L"abcde.brd", name));

    // The older name cut five characters, whatever they were.
    ASSERT_TRUE(legacy_selection_path(L"C:\\b\\board1.brd", name));
    EXPECT_EQ(name, L"C:\\b\\board.TindralSel");
    EXPECT_FALSE(legacy_selection_path(L"C:\\b\\x.br", name));

    EXPECT_EQ(encode_states({2, 0x01020304}), std::string("\x02\0\0\0\x04\x03\x02\x01", 8));
    EXPECT_TRUE(fits_board(std::string(12, '\0'), 3));
    EXPECT_FALSE(fits_board(std::string(8, '\0'), 3));
    EXPECT_FALSE(fits_board(std::string(16, '\0'), 3));
    EXPECT_FALSE(holds_marks(std::string(12, '\0')));
    EXPECT_TRUE(holds_marks(std::string("\0\0\0\0\0\0\0\x01", 8)));
}

namespace {

struct SelectionFileTest : ::testing::Test {
    test::RecordingPort port;
    test::TextLanguage english{1};
    test::TempFolder dir;
    BoardModel board = loaded(L"motor1.brd", 3);
    fs::path file = dir.path / "motor1.TindralSel";

    BoardModel loaded(const wchar_t* name, size_t components) {
        BoardModel b;
        b.path = (dir.path / name).wstring();
        b.marks.assign(std::vector<uint32_t>(components, kStateUnselected));
        b.marks.keep();
        b.placement_count = static_cast<uint32_t>(components);
        b.board_loaded = 1;
        return b;
    }
};

const wchar_t kNoData[] = L"Tindral Info|For this file is no data available|42040";
const wchar_t kOverwrite[] = L"Tindral Info|Current selection will be overwritten! \nContinue?|2044";
const wchar_t kOffer[] = L"Tindral Info|There are saved marks for this board. Load them?|2044";

}  // namespace

TEST_F(SelectionFileTest, SavedMarksComeBackAsSelectedWhenTheUserAgrees) {
    EXPECT_EQ(load_selection(board), 1);
    EXPECT_EQ(test::only_box(port), kNoData);  // no question without a file

    board.marks.assign({0, 1, 2});
    ASSERT_EQ(save_selection(board), 1);
    board.marks.assign({2, 0, 1});
    ASSERT_EQ(save_selection(board), 1);  // replaces the protected file, leaves no other
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1);
    EXPECT_EQ(test::TempFolder::read(file), encode_states({2, 0, 1}));
    EXPECT_EQ(board.marks.kept(), (States{2, 0, 1}));

    port.boxes.clear();
    board.marks.assign({0, 2, 0});
    port.answers.push_back(mb::id_no);
    EXPECT_EQ(load_selection(board), 0);
    EXPECT_EQ(test::only_box(port), kOverwrite);
    EXPECT_EQ(board.marks.states(), (States{0, 2, 0}));

    // Every mark comes back as selected, and counts as what the file holds.
    ASSERT_EQ(load_selection(board), 1);
    EXPECT_EQ(board.marks.states(), (States{2, 0, 2}));
    EXPECT_EQ(board.marks.kept(), board.marks.states());
}

TEST_F(SelectionFileTest, TheOlderNameIsReadButNeverWritten) {
    const fs::path legacy = dir.write("motor.TindralSel", encode_states({0, 1, 2}));
    ASSERT_EQ(offer_saved_marks(board), 1);
    EXPECT_EQ(test::only_box(port), kOffer);
    EXPECT_EQ(board.marks.states(), (States{0, 2, 2}));

    // It may belong to another board of the folder: a save goes to this board's own name.
    board.marks.assign({2, 0, 0});
    ASSERT_EQ(save_selection(board), 1);
    EXPECT_EQ(test::TempFolder::read(file), encode_states({2, 0, 0}));
    EXPECT_EQ(test::TempFolder::read(legacy), encode_states({0, 1, 2}));
    board.marks.assign({0, 0, 0});
    ASSERT_EQ(load_selection(board), 1);  // the own file wins now
    EXPECT_EQ(board.marks.states(), (States{2, 0, 0}));
}

TEST_F(SelectionFileTest, AFileThatDoesNotFitTheBoardIsNeverApplied) {
    const std::wstring notice = L"Tindral Info|The saved marks do not fit this board (it has been "
                                L"changed). They are not loaded and the file is left as it is:\n" +
                                file.wstring() + L"|42040";
    for (const States& saved : {States{2, 2}, States{2, 2, 2, 2}}) {
        dir.write("motor1.TindralSel", encode_states(saved));
        port.boxes.clear();
        EXPECT_EQ(offer_saved_marks(board), 0);
        EXPECT_EQ(test::only_box(port), notice);
        port.boxes.clear();
        EXPECT_EQ(load_selection(board), 0);
        EXPECT_EQ(test::only_box(port), notice);  // named before any question
        EXPECT_EQ(board.marks.states(), (States{0, 0, 0}));
        EXPECT_EQ(test::TempFolder::read(file), encode_states(saved));
    }
    // Not whole states at all.
    dir.write("motor1.TindralSel", std::string("\x02\0\0\0\x02\0", 6));
    port.boxes.clear();
    EXPECT_EQ(load_selection(board), 0);
    EXPECT_EQ(test::only_box(port), notice);
}

TEST_F(SelectionFileTest, SavedMarksAreOfferedOnceAndKeptWhenDeclined) {
    // A file without marks has nothing to offer or to lose.
    dir.write("motor1.TindralSel", encode_states({0, 0, 0}));
    EXPECT_EQ(offer_saved_marks(board), 0);
    EXPECT_TRUE(port.boxes.empty());

    dir.write("motor1.TindralSel", encode_states({2, 1, 0}));
    BoardModel declined = loaded(L"motor1.brd", 3);
    port.answers = {mb::id_no};
    EXPECT_EQ(offer_saved_marks(declined), 0);
    EXPECT_EQ(test::only_box(port), kOffer);  // Yes is the default: loading changes no file
    EXPECT_EQ(declined.marks.states(), (States{0, 0, 0}));

    // Saving over marks the user did not load asks first; No, the default, keeps them.
    port.boxes.clear();
    port.answers = {mb::id_no};
    declined.marks.assign({0, 0, 2});
    EXPECT_EQ(save_selection(declined), -1);
    EXPECT_EQ(test::only_box(port), L"Tindral Info|This file holds marks that were not loaded. "
                                    L"Replace them?\n" + file.wstring() + L"|2144");
    EXPECT_EQ(test::TempFolder::read(file), encode_states({2, 1, 0}));
    port.boxes.clear();
    ASSERT_EQ(save_selection(declined), 1);  // Yes
    EXPECT_EQ(test::TempFolder::read(file), encode_states({0, 0, 2}));
    port.boxes.clear();
    declined.marks.assign({2, 0, 2});
    ASSERT_EQ(save_selection(declined), 1);  // its own file now: no question
    EXPECT_TRUE(port.boxes.empty());

    // Marks loaded on the offer are the user's to replace.
    port.answers.clear();
    board = loaded(L"motor1.brd", 3);
    ASSERT_EQ(offer_saved_marks(board), 1);
    EXPECT_EQ(board.marks.states(), (States{2, 0, 2}));
    port.boxes.clear();
    board.marks.assign({0, 0, 0});
    ASSERT_EQ(save_selection(board), 1);
    EXPECT_TRUE(port.boxes.empty());
}

TEST_F(SelectionFileTest, FailedSaveKeepsThePreviousMarks) {
    board.marks.assign({2, 0, 2});
    ASSERT_EQ(save_selection(board), 1);
    // A folder where the new file would be written: refused by the system, for root as well.
    fs::create_directories(fs::path(temp_selection_path(file.wstring())) / "inside");
    board.marks.assign({0, 0, 0});
    EXPECT_EQ(save_selection(board), 0);
    EXPECT_EQ(test::TempFolder::read(file), encode_states({2, 0, 2}));
    EXPECT_EQ(board.marks.kept(), (States{2, 0, 2}));  // still unsaved
    const std::wstring shown = test::only_box(port);
    EXPECT_EQ(shown.rfind(L"Tindral Error|system text ", 0), 0u);
    EXPECT_NE(shown.find(L"\nsave_selectione:" + file.wstring() + L"|42040"), std::wstring::npos);

    port.boxes.clear();
    board.path = (dir.path / "a").wstring() + L"\\";
    EXPECT_EQ(save_selection(board), 0);
    EXPECT_EQ(test::only_box(port), L"Tindral Error|No selection file name can be made from this "
                                    L"path (too short or too long):\n" +
                                        board.path + L"|42040");

    // A program that never installed its file operations reports the save as failed.
    port.boxes.clear();
    board.path = (dir.path / "motor1.brd").wstring();
    SelectionFiles* installed = set_selection_files(nullptr);
    EXPECT_EQ(save_selection(board), 0);
    set_selection_files(installed);
    EXPECT_EQ(board.marks.kept(), (States{2, 0, 2}));
    EXPECT_EQ(test::only_box(port).rfind(L"Tindral Error|", 0), 0u);
    EXPECT_EQ(test::TempFolder::read(file), encode_states({2, 0, 2}));
}
