// The list's marks after a selection load and side switches on a small board: the checks the
// 50 000-element run of the Windows benchmark (bench/win/) makes at every step.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "../../resources/resource.h"
#include "model/board_model.h"
#include "shell/app_win.h"
#include "support/synthetic_board.h"
#include "support/temp_folder.h"
#include "view/board_view.h"
#include "win/support/app_windows_win.h"
#include "win/support/main_list_checks_win.h"

using namespace tindral;
using namespace tindral::test;

namespace {

using ListMarks = test::MarkingTest;

// The list's highlight after a selection load and side switches: a row highlighted before the
// load that the file leaves unmarked loses it, and it lands on a marked row.
TEST_F(ListMarks, SelectionLoadAndSideSwitchesKeepOneHighlightOnAMarkedRow) {
    BoardModel& model = app_session().board;
    const std::filesystem::path board = dir_.write("board.brd", test::synthetic_board(300));
    test::load_through_combo(board.wstring());
    ASSERT_EQ(model.board_loaded, 1u);
    const std::vector<int> rows = row_components();
    for (int row : {10, 20, 30}) notify(app_windows().list_main, NM_CLICK, row, 0);
    menu(IDM_SAVE_SELECTION);
    click(app_windows().button_clear);
    ASSERT_EQ(row_components(), rows);  // the refill keeps the order
    notify(app_windows().list_main, NM_CLICK, 40, 0);
    ASSERT_EQ(rows_in_state(LVIS_SELECTED), std::vector<int>{40});

    menu(IDM_LOAD_SELECTION);  // answered Yes
    std::vector<uint32_t> expected(model.elements.size(), kStateUnselected);
    for (int row : {10, 20, 30}) expected[rows[row]] = kStateSelected;
    EXPECT_EQ(model.marks.states(), expected);
    expect_marks(rows, expected);
    EXPECT_EQ(SendMessageW(app_windows().list_main, LVM_GETITEMSTATE, 40, LVIS_SELECTED | LVIS_FOCUSED), 0);
    for (const auto [top, bottom] : {std::pair{true, false}, {false, true}, {true, true}}) {
        SCOPED_TRACE(std::to_string(top) + std::to_string(bottom));
        switch_sides(top, bottom);
        expect_rows_of_sides(top, bottom);
    }

    // A file without marks takes the highlight away from the row chosen before the load.
    click(app_windows().button_clear);
    menu(IDM_SAVE_SELECTION);
    notify(app_windows().list_main, NM_CLICK, 50, 0);
    ASSERT_EQ(rows_in_state(LVIS_SELECTED), std::vector<int>{50});
    menu(IDM_LOAD_SELECTION);
    EXPECT_EQ(port_.boxes.size(), 2u);  // the question of each load
    EXPECT_EQ(model.marks.states(), std::vector<uint32_t>(model.elements.size(), kStateUnselected));
    expect_marks(row_components(), model.marks.states());
}

}  // namespace
