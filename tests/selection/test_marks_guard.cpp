// Marks, the questions before they are dropped, and file faults: no marks lost, user told.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "selection/marks.h"
#include "selection/marks_guard.h"
#include "selection/selection.h"
#include "selection/selection_file.h"
#include "selection/selection_format.h"
#include "support/box_summary.h"
#include "support/language_guard.h"
#include "support/temp_folder.h"

using namespace tindral;
using States = std::vector<uint32_t>;
namespace fs = std::filesystem;

namespace {

// Error codes as Windows gives them; the recording port shows any code as "system text N".
constexpr uint32_t kErrorPathNotFound = 3;
constexpr uint32_t kErrorAccessDenied = 5;
constexpr uint32_t kErrorDiskFull = 112;

// A write failing as a full disk or refused folder does (target kept), or a vanishing file.
class FailingSelectionFiles : public PlatformSelectionFiles {
public:
    FailingSelectionFiles() { previous_ = set_selection_files(this); }
    ~FailingSelectionFiles() override { set_selection_files(previous_); }
    FailingSelectionFiles(const FailingSelectionFiles&) = delete;
    FailingSelectionFiles& operator=(const FailingSelectionFiles&) = delete;

    bool exists(const std::wstring& path) override {
        const bool there = PlatformSelectionFiles::exists(path);
        if (there && vanish_after_check) {
            std::error_code ec;
            fs::permissions(path, fs::perms::owner_write, fs::perm_options::add, ec);
            fs::remove(path, ec);
        }
        return there;
    }

    SelectionWriteResult write(const std::wstring& path, const std::wstring& temp_path,
                               const std::string& bytes) override {
        ++writes;
        if (write_fault) return *write_fault;
        return PlatformSelectionFiles::write(path, temp_path, bytes);
    }

    std::optional<SelectionWriteResult> write_fault;  // every write fails so, touching nothing
    bool vanish_after_check = false;  // a file found by exists() is deleted at once
    int writes = 0;

private:
    SelectionFiles* previous_ = nullptr;
};

const wchar_t kSaveFirst[] =
    L"Tindral Info|The marks have changed since they were last saved. Save them first?|2043";
const wchar_t kExitAnyway[] =
    L"Tindral Warning|The marks could not be saved. Exit without saving them?|2134";

struct MarksGuard : ::testing::Test {
    Settings settings;
    test::RecordingPort port;
    test::TextLanguage english{1};
    test::TempFolder dir;
    BoardModel board;
    fs::path file = dir.path / "drive.TindralSel";

    MarksGuard() {
        board.path = (dir.path / "drive.brd").wstring();
        board.marks.assign({2, 0, 0, 0});
        board.marks.keep();
        board.selection_file_ours = true;
        board.placement_count = 4;
        board.board_loaded = 1;
        dir.write("drive.TindralSel", encode_states(board.marks.states()));
        settings.save_selections_on_exit = 1;
    }
};

}  // namespace

TEST(MarkStates, LoadedStatesComeBackSelectedAndOnlyWhenTheyFit) {
    Marks m;
    m.reset(3);
    m.assign({1, 0, 0});
    EXPECT_FALSE(m.apply_loaded({2, 2}));  // a file for another board
    EXPECT_FALSE(m.apply_loaded({2, 2, 2, 2}));
    EXPECT_EQ(m.states(), (States{1, 0, 0}));
    EXPECT_TRUE(m.unsaved());

    EXPECT_TRUE(m.apply_loaded({0, 1, 7}));
    EXPECT_EQ(m.states(), (States{0, 2, 2}));
    EXPECT_EQ(m.kept(), m.states());
    EXPECT_FALSE(m.unsaved());
}

TEST(MarkStates, ResetForgetsTheCurrentOneButNotWhatIsOnDisk) {
    Marks m;
    m.reset(2);
    m.apply_loaded({2, 0});
    int32_t last_row = -1;
    m.toggle(1, 0, true, last_row);
    m.settle_previous(1, true);
    ASSERT_EQ(m.previous_current(), 1);

    m.reset(3);
    EXPECT_EQ(m.states(), (States{0, 0, 0}));
    EXPECT_EQ(m.previous_current(), -1);
    EXPECT_EQ(m.kept(), (States{2, 0}));
    EXPECT_TRUE(m.unsaved());  // the loaded mark would be lost
}

TEST(MarkStates, APreviousComponentNoLongerCurrentIsLeftAlone) {
    Marks m;
    m.reset(2);
    int32_t last_row = -1;
    m.toggle(0, 0, true, last_row);
    m.settle_previous(0, true);
    m.clear();  // the marks were removed meanwhile
    m.assign({2, 0});
    EXPECT_EQ(m.settle_previous(1, true), -1);
    EXPECT_EQ(m.states(), (States{2, 0}));
    EXPECT_EQ(m.previous_current(), -1);  // the unselected choice leaves no previous one
}

TEST(MarksChanged, OnlyAMarkGainedOrLostCounts) {
    EXPECT_FALSE(marks_changed({0, 1, 2}, {0, 2, 2}));  // current or selected: marked alike
    EXPECT_TRUE(marks_changed({0, 1, 2}, {0, 0, 2}));
    EXPECT_TRUE(marks_changed({0, 0, 0}, {2, 0, 0}));
    EXPECT_TRUE(marks_changed({0, 2}, {}));  // nothing kept yet: every mark is new
    EXPECT_FALSE(marks_changed({0, 0}, {}));
}

TEST_F(MarksGuard, ExitSavesOnlyMarksChangedInThisRun) {
    // Unchanged marks: the file is already right, or holds marks the user never loaded.
    board.selection_file_ours = false;
    board.marks.assign({0, 0, 0, 0});
    board.marks.keep();
    EXPECT_TRUE(save_marks_before_exit(board, settings));
    EXPECT_TRUE(port.boxes.empty());
    EXPECT_EQ(test::TempFolder::read(file), encode_states({2, 0, 0, 0}));

    // Without the automatic save, changed marks are not dropped unasked: Cancel stays, No ends
    // without a write.
    board.marks.assign({0, 0, 2, 0});
    settings.save_selections_on_exit = 0;
    port.answers = {mb::id_cancel};
    EXPECT_FALSE(save_marks_before_exit(board, settings));
    EXPECT_EQ(test::only_box(port), kSaveFirst);
    port.answers = {mb::id_no};
    EXPECT_TRUE(save_marks_before_exit(board, settings));
    EXPECT_EQ(test::TempFolder::read(file), encode_states({2, 0, 0, 0}));
    port.boxes.clear();

    // Marks made now would replace marks that were not loaded: asked, No keeps the file.
    settings.save_selections_on_exit = 1;
    port.answers = {mb::id_no};
    EXPECT_TRUE(save_marks_before_exit(board, settings));
    EXPECT_EQ(port.boxes.size(), 1u);
    EXPECT_EQ(test::TempFolder::read(file), encode_states({2, 0, 0, 0}));
    port.answers = {mb::id_yes};
    EXPECT_TRUE(save_marks_before_exit(board, settings));
    EXPECT_EQ(test::TempFolder::read(file), encode_states({0, 0, 2, 0}));
}

// Every way the program saves, against every fault of the file system.
TEST_F(MarksGuard, NoFaultLosesMarksOnDiskOrInMemory) {
    struct Fault {
        const char* name;
        SelectionWriteResult result;
        const wchar_t* shown;  // the start of the error box
    };
    const Fault faults[] = {
        {"disk full", {SelectionWriteStatus::write_failed, kErrorDiskFull},
         L"Tindral WriteFile|system text 112"},
        {"access denied", {SelectionWriteStatus::replace_failed, kErrorAccessDenied},
         L"Tindral Error|system text 5\nsave_selectione:"},
        {"folder gone", {SelectionWriteStatus::create_failed, kErrorPathNotFound},
         L"Tindral Error|system text 3\nsave_selectione:"},
    };
    struct Way {
        const char* name;
        std::vector<int> answers;  // to the boxes in their order
        const wchar_t* question;   // asked around the failed write, nullptr for none
        std::function<bool()> run;  // true when the program went on as if saved
    };
    const Way ways[] = {
        {"save first, then drop", {mb::id_yes}, kSaveFirst, [&] { return may_drop_marks(board); }},
        {"exit, then stay", {mb::id_ok, mb::id_no}, kExitAnyway,
         [&] { return save_marks_before_exit(board, settings); }},
        {"save command", {}, nullptr, [&] { return save_selection(board) == 1; }},
    };
    const States changed{2, 2, 0, 1};
    for (const Fault& f : faults)
        for (const Way& w : ways) {
            SCOPED_TRACE(std::string(f.name) + ", " + w.name);
            FailingSelectionFiles files;
            files.write_fault = f.result;
            board.marks.assign(changed);
            port.boxes.clear();
            port.answers.assign(w.answers.begin(), w.answers.end());
            EXPECT_FALSE(w.run());
            EXPECT_EQ(files.writes, 1);
            EXPECT_EQ(board.marks.states(), changed);
            EXPECT_TRUE(marks_unsaved(board));
            EXPECT_EQ(test::TempFolder::read(file), encode_states({2, 0, 0, 0}));
            bool told = false, asked = false;
            for (const test::ShownBox& b : port.boxes) {
                told = told || (b.title + L"|" + b.text).rfind(f.shown, 0) == 0;
                asked = asked || (w.question && b.title + L"|" + b.text + L"|" +
                                                    format_text(20, L"%X", b.flags) == w.question);
            }
            EXPECT_TRUE(told);
            EXPECT_EQ(asked, w.question != nullptr);
            EXPECT_EQ(port.boxes.size(), w.question ? 2u : 1u);
        }
}

TEST_F(MarksGuard, AFileGoneBetweenCheckAndUseLosesNothing) {
    // Gone between the look for marks of another run and the write: the write makes it anew.
    FailingSelectionFiles files;
    files.vanish_after_check = true;
    board.selection_file_ours = false;
    board.marks.assign({0, 0, 0, 2});
    EXPECT_EQ(save_selection(board), 1);
    EXPECT_TRUE(port.boxes.empty());
    EXPECT_EQ(test::TempFolder::read(file), encode_states({0, 0, 0, 2}));

    // Gone between the check and the read of Load selection: told, the marks stay as they are.
    EXPECT_EQ(load_selection(board), 0);
    EXPECT_EQ(port.boxes.size(), 1u);
    EXPECT_NE(port.boxes[0].text.find(L"\nload_selection:" + file.wstring()), std::wstring::npos);
    EXPECT_EQ(board.marks.states(), (States{0, 0, 0, 2}));
}
