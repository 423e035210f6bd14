// Where the time of a side switch, of Reset selection and of a click goes at 50 000 parts: the
// parts of each step timed one by one, in the order the program runs them (medians).

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/board_commands_win.h"
#include "shell/board_window_win.h"
#include "shell/layout_area_win.h"
#include "shell/main_list_win.h"
#include "support/synthetic_board.h"
#include "support/temp_folder.h"
#include "win/bench_figures_win.h"
#include "win/support/app_windows_win.h"
#include "win/support/main_list_checks_win.h"

using namespace tindral;
using bench::figure;
using bench::timed;

namespace {

using StepParts = test::MarkingTest;

TEST_F(StepParts, SideSwitchResetAndClickAtFiftyThousand) {
    test::load_through_combo(dir_.write("board.brd", test::synthetic_board(50000)).wstring());
    ASSERT_EQ(app_session().board.board_loaded, 1u);
    UpdateWindow(app_windows().hwnd_layout);
    UpdateWindow(app_windows().list_main);
    const int sort_col = static_cast<int>(app_session().settings.sort_col);
    HWND list = app_windows().list_main;
    // Some marks, so that showing them has work to do.
    for (int row = 0; row < 50000; row += 50) choose_main_row(row, true);

    std::vector<double> fill, marks, sort, list_paint, area, clear;
    for (int r = 0; r < bench::runs(); ++r) {
        fill.push_back(timed([] { fill_component_list(false); }));
        marks.push_back(timed([] { show_row_marks(); }));
        sort.push_back(timed([&] { sort_component_list(sort_col); }));
        list_paint.push_back(timed([&] { UpdateWindow(list); }));
        area.push_back(timed([] { redraw_area(); }));
    }
    figure("side switch part: list filled", fill, 0);
    figure("side switch part: marks shown", marks, 0);
    figure("side switch part: sorted by the group", sort, 0);
    figure("side switch part: list painted", list_paint, 0);
    figure("side switch part: board area painted", area, 0);

    // The control's own moves of the selection and the focus are timed bare, from one row to
    // another with the one before still selected: the cost the program avoids by clearing it.
    std::vector<double> click, selection, focus, list_repaint, element;
    for (int r = 0; r < 3 * bench::runs(); ++r) {
        const int row = 7 + 50 * r;
        const uint32_t c = static_cast<uint32_t>(row_component(row));
        click.push_back(timed([&] { toggle_row_selection(c, row); }));
        selection.push_back(timed([&] {
            LVITEMW item{};
            item.stateMask = item.state = LVIS_SELECTED;
            SendMessageW(list, LVM_SETITEMSTATE, row + 3, reinterpret_cast<LPARAM>(&item));
        }));
        focus.push_back(timed([&] {
            LVITEMW item{};
            item.stateMask = item.state = LVIS_FOCUSED;
            SendMessageW(list, LVM_SETITEMSTATE, row + 3, reinterpret_cast<LPARAM>(&item));
        }));
        list_repaint.push_back(timed([&] {
            InvalidateRect(list, nullptr, TRUE);
            UpdateWindow(list);
        }));  // the whole list, as a click repainted it before
        element.push_back(timed([&] { redraw_element(c); }));
    }
    figure("click part: marks, the row's image and highlight, counter", click, 0);
    figure("click part (bare control): the selection moved", selection, 0);
    figure("click part (bare control): the focus moved", focus, 0);
    figure("click part: whole list repainted", list_repaint, 0);
    figure("click part: element redrawn", element, 0);

    for (int r = 0; r < bench::runs(); ++r)
        clear.push_back(timed([] { redraw_layout_area(); }));
    figure("Reset part: board area painted", clear, 0);
}

}  // namespace
