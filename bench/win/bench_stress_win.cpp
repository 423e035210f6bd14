// A generated 50 000-element board through the whole program with the real windows: load, a
// header click on every column, rows chosen by click and by Space, the sides switched, Reset
// selection and the selection file loaded -- each step timed (medians) at few and at many rows
// marked, and checked on every row after it (rows, order, marks, the one highlight, the counter
// line), then the BOM filled, sorted and printed. The checks prove that a faster step still
// shows the same.

#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "../../resources/resource.h"
#include "board/utf8.h"
#include "model/board_model.h"
#include "print/print_job.h"
#include "shell/app_win.h"
#include "shell/keyboard_hook_win.h"
#include "shell/print_device_win.h"
#include "support/synthetic_board.h"
#include "support/temp_folder.h"
#include "view/board_view.h"
#include "win/bench_figures_win.h"
#include "win/support/app_windows_win.h"
#include "win/support/main_list_checks_win.h"
#include "win/support/metafile_printer_win.h"

using namespace tindral;
using namespace tindral::test;
using bench::figure;
using bench::timed;

namespace {

constexpr int kElements = 50000;
constexpr int kFewRows = 10;        // chosen by click while few are marked, and as many by Space
constexpr int kClickedRows = 1000;  // chosen by click towards many marked
constexpr int kSpaceRows = 100;     // chosen by Space on a selected row, with many marked
constexpr LPARAM kKeyDown = 1;
constexpr LPARAM kKeyUp = static_cast<LPARAM>(0xC0000001u);
constexpr double kLoadTarget = 500, kStepTarget = 100, kChoiceTarget = 10;

void print_memory(const char* when) {
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    if (!K32GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc)) {
        std::printf("memory %s: unknown (error %lu)\n", when, GetLastError());
        return;
    }
    const double mb = 1024.0 * 1024.0;
    std::printf("memory %s: working set %.1f MB (peak %.1f), pagefile %.1f MB (peak %.1f)\n", when,
                pmc.WorkingSetSize / mb, pmc.PeakWorkingSetSize / mb, pmc.PagefileUsage / mb,
                pmc.PeakPagefileUsage / mb);
    std::fflush(stdout);
}

class Stress : public MarkingTest {
protected:
    void SetUp() override {
        MarkingTest::SetUp();
        app_session().settings.printer_selection_mode = 1;
    }

    static void menu(HWND window, unsigned id) { SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    // Moved to with the arrow keys: the row is selected and focused.
    static void select_row(int row) {
        LVITEMW item{};
        item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(app_windows().list_main, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    }

    // A row chosen: with "Leave selected" on, the one chosen before ends selected.
    void chose(int row) {
        if (last_ >= 0) expected_[last_] = kStateSelected;
        last_ = rows_[row];
        last_row_ = row;
        expected_[last_] = kStateCurrent;
    }
    // A row is clicked where the user sees it: scrolled into view first, untimed (a click on a
    // row out of sight would also time the scroll and the repaint of the whole list).
    double click_row(int row) {
        HWND list = app_windows().list_main;
        SendMessageW(list, LVM_ENSUREVISIBLE, row, FALSE);
        UpdateWindow(list);
        const double ms = timed([&] { notify(list, NM_CLICK, row, 0); });
        chose(row);
        return ms;
    }
    double space_on_row(int row) {
        select_row(row);
        const double ms = timed([&] {
            KeyboardHook(HC_ACTION, VK_SPACE, kKeyDown);
            KeyboardHook(HC_ACTION, VK_SPACE, kKeyUp);
        });
        chose(row);
        return ms;
    }

    // The side choice switched through the board window's toolbar commands, timed; then the
    // rows of the shown sides are checked.
    double switch_sides(const char* name, bool top, bool bottom) {
        const double ms = timed([&] { test::switch_sides(top, bottom); });
        SCOPED_TRACE(name);
        test::expect_rows_of_sides(top, bottom);
        return ms;
    }

    // The three side switches, then Reset selection and the saved selection loaded back, each
    // timed runs() times with the checks after every step.
    void side_reset_and_load(const std::string& marked) {
        std::vector<double> top, bottom, both, reset, load;
        for (int r = 0; r < bench::runs(); ++r) {
            top.push_back(switch_sides("top-only", true, false));
            bottom.push_back(switch_sides("bottom-only", false, true));
            both.push_back(switch_sides("both", true, true));
        }
        const std::vector<uint32_t> saved = expected_;
        std::vector<uint32_t> loaded = saved;
        for (uint32_t& s : loaded) s = s != kStateUnselected ? kStateSelected : kStateUnselected;
        for (int r = 0; r < bench::runs(); ++r) {
            reset.push_back(timed([&] {
                click(app_windows().button_clear);
                UpdateWindow(app_windows().list_main);
            }));
            const std::vector<uint32_t> none(expected_.size(), kStateUnselected);
            EXPECT_EQ(app_session().board.marks.states(), none);
            expect_marks(rows_, none);
            EXPECT_EQ(window_text(app_windows().static_counter), expected_counter(none));
            load.push_back(timed([&] {
                menu(app_windows().hwnd_main, IDM_LOAD_SELECTION);  // answered Yes
                UpdateWindow(app_windows().list_main);
            }));
            ASSERT_EQ(port_.boxes.size(), 1u);
            EXPECT_EQ(port_.boxes[0].text, L"Current selection will be overwritten! \nContinue?");
            port_.boxes.clear();
            EXPECT_EQ(app_session().board.marks.states(), loaded);
            expect_marks(rows_, loaded);
            EXPECT_EQ(window_text(app_windows().static_counter), expected_counter(loaded));
        }
        expected_ = loaded;
        figure("switch to the top side, " + marked, top, kStepTarget);
        figure("switch to the bottom side, " + marked, bottom, kStepTarget);
        figure("switch to both sides, " + marked, both, kStepTarget);
        figure("Reset selection, " + marked, reset, kStepTarget);
        figure("load the selection, " + marked, load, kStepTarget);
    }

    void save_selection() {
        menu(app_windows().hwnd_main, IDM_SAVE_SELECTION);
        EXPECT_TRUE(port_.boxes.empty());
        EXPECT_EQ(file_states(dir_.path / "board.TindralSel"), expected_);
    }

    std::vector<int> rows_;            // the components of the rows, in row order
    std::vector<uint32_t> expected_;   // the marks the steps should leave
    int last_ = -1, last_row_ = -1;    // the component chosen last, and its row
};

TEST_F(Stress, FiftyThousandElementsThroughTheWholeProgram) {
    BoardModel& model = app_session().board;
    print_memory("before");
    const std::filesystem::path board = dir_.path / "board.brd";
    dir_.write("board.brd", synthetic_board(kElements));

    // Load through the Load button, with the first paint of the drawing area and the list.
    std::vector<double> load;
    for (int r = 0; r < bench::runs(); ++r) {
        load.push_back(timed([&] {
            load_through_combo(board.wstring());
            UpdateWindow(app_windows().hwnd_layout);
            UpdateWindow(app_windows().list_main);
        }));
        ASSERT_EQ(model.board_loaded, 1u);
        ASSERT_TRUE(port_.boxes.empty()) << port_.boxes[0].text.c_str();
        ASSERT_EQ(model.elements.size(), static_cast<size_t>(kElements));
        ASSERT_EQ(item_count(app_windows().list_main), kElements);
    }
    figure("load plus first paint, 50000 parts", load, kLoadTarget);
    const size_t n = model.elements.size();

    // A header click on every column, the Group column last: the order a user works in. Every
    // order is checked on its first round.
    const std::vector<int> columns{0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 9};
    std::map<int, std::vector<double>> sort_ms;
    for (int r = 0; r < bench::runs(); ++r)
        for (int column : columns) {
            sort_ms[column].push_back(timed([&] {
                notify(app_windows().list_main, LVN_COLUMNCLICK, -1, column);
                UpdateWindow(app_windows().list_main);
            }));
            if (r > 0) continue;
            SCOPED_TRACE(column);
            EXPECT_EQ(app_session().settings.sort_col, static_cast<uint32_t>(column));
            const std::vector<int> rows = row_components();
            std::vector<int> sorted_rows = rows;
            std::sort(sorted_rows.begin(), sorted_rows.end());
            EXPECT_EQ(sorted_rows, shown_components(true, true));  // each row once
            EXPECT_EQ(first_row_out_of_order(column, rows), -1);
        }
    for (int column : columns)
        figure("sort by column " + std::to_string(column), sort_ms[column], kStepTarget);
    rows_ = row_components();
    expected_.assign(n, kStateUnselected);

    // Few rows marked: rows chosen by click and by Space, then the side switches, Reset and load.
    const int step = static_cast<int>(n) / (kClickedRows + kSpaceRows);
    std::vector<double> click_few, space_few;
    for (int i = 0; i < kFewRows; ++i) click_few.push_back(click_row(i * step + 2));
    for (int i = kFewRows; i < 2 * kFewRows; ++i) space_few.push_back(space_on_row(i * step + 2));
    EXPECT_TRUE(port_.boxes.empty());
    EXPECT_EQ(model.marks.states(), expected_);
    EXPECT_EQ(window_text(app_windows().static_counter), expected_counter(expected_));
    expect_marks(rows_, expected_);
    EXPECT_EQ(rows_in_state(LVIS_SELECTED), std::vector<int>{last_row_});
    figure("click on a row, 0 to 10 marked", click_few, kChoiceTarget);
    figure("Space on a row, 10 to 20 marked", space_few, kChoiceTarget);
    save_selection();
    side_reset_and_load("20 marked");

    // Many rows marked: a thousand more by click, a hundred by Space.
    std::vector<double> click_many, space_many;
    for (int i = 0; i < kClickedRows; ++i) {
        const double ms = click_row(i * step);
        if (i >= kClickedRows - 100) click_many.push_back(ms);
    }
    for (int i = kClickedRows; i < kClickedRows + kSpaceRows; ++i)
        space_many.push_back(space_on_row(i * step + 1));
    EXPECT_TRUE(port_.boxes.empty());
    EXPECT_EQ(model.marks.states(), expected_);
    EXPECT_EQ(window_text(app_windows().static_counter), expected_counter(expected_));
    expect_marks(rows_, expected_);
    EXPECT_EQ(rows_in_state(LVIS_SELECTED), std::vector<int>{last_row_});
    figure("click on a row, 920 to 1020 marked", click_many, kChoiceTarget);
    figure("Space on a row, 1020 to 1120 marked", space_many, kChoiceTarget);
    save_selection();
    side_reset_and_load("1120 marked");

    // The BOM: one row per package and value over both sides, the library of the first.
    std::vector<double> bom_fill;
    for (int r = 0; r < bench::runs(); ++r)
        bom_fill.push_back(timed([&] {
            click(app_windows().button_bom);
            UpdateWindow(app_windows().list_bom);
        }));
    figure("BOM filled", bom_fill, 0);
    std::map<std::pair<std::wstring, std::wstring>, std::pair<std::wstring, int>> groups;
    std::vector<std::vector<std::wstring>> first_order;
    for (const ElementRec& e : model.elements) {
        const std::wstring library = utf8_to_wide(e.library), package = utf8_to_wide(e.package),
                           value = utf8_to_wide(e.value);
        auto [it, added] = groups.try_emplace({package, value}, library, 0);
        ++it->second.second;
        if (added) first_order.push_back({library, package, value});
    }
    Rows bom = list_rows(app_windows().list_bom, 4);
    ASSERT_EQ(bom.size(), groups.size());
    int total = 0;
    for (size_t r = 0; r < bom.size(); ++r) {
        const auto it = groups.find({bom[r][1], bom[r][2]});
        ASSERT_NE(it, groups.end()) << r;
        EXPECT_EQ(bom[r][0], it->second.first) << r;
        EXPECT_EQ(std::stoi(bom[r][3]), it->second.second) << r;
        EXPECT_EQ(std::vector<std::wstring>(bom[r].begin(), bom[r].begin() + 3), first_order[r]) << r;
        total += std::stoi(bom[r][3]);
    }
    EXPECT_EQ(total, kElements);
    for (int column = 0; column < 4; ++column) {
        std::vector<double> ms;
        ms.push_back(timed([&] {
            notify(app_windows().list_bom, LVN_COLUMNCLICK, -1, column);
            UpdateWindow(app_windows().list_bom);
        }));
        const Rows sorted = list_rows(app_windows().list_bom, 4);
        ASSERT_EQ(sorted.size(), bom.size());
        for (size_t r = 1; r < sorted.size(); ++r)
            EXPECT_LE(compare_cells(sorted[r - 1][column], sorted[r][column], column == 3), 0)
                << column << " " << r;
        figure("BOM sorted by column " + std::to_string(column), ms, 0);
    }

    // The BOM printed as the Print button does, onto a metafile in place of a printer.
    const Rows printed_rows = list_rows(app_windows().list_bom, 4);
    MetafilePrinter printer;
    int printed = 0;
    figure("BOM printed", {timed([&] { printed = print_bom_list(printer); })}, 0);
    EXPECT_EQ(printed, 1);
    EXPECT_TRUE(port_.boxes.empty());
    const auto pages = printer.recorded().pages;
    ASSERT_EQ(static_cast<int>(pages.size()), printer.started);
    ASSERT_GE(pages.size(), 1u);
    EXPECT_LE(pages.size(), printed_rows.size() / 20 + 1);  // at least 20 rows fit on A4
    std::vector<std::wstring> texts;
    for (const auto& p : pages) texts.insert(texts.end(), p.begin(), p.end());
    size_t at = 0;  // every cell in list order, whatever the page furniture around them
    for (const auto& row : printed_rows)
        for (const std::wstring& cell : row) {
            while (at < texts.size() && texts[at] != cell) ++at;
            EXPECT_LT(at, texts.size()) << cell.c_str();
        }
    EXPECT_EQ(pages.back().back(), L"Page  -" + std::to_wstring(pages.size()) + L"-");
    print_memory("after");
}

}  // namespace
