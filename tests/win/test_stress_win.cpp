// The stress run of tests/wine/stress.sh: a generated 50 000-element board through the whole
// program with the real windows (load, a header click on every column, choosing rows by click
// and by Space, the selection file saved, cleared and loaded, the BOM filled, sorted and printed,
// the sides switched). Every step is checked on all rows and timed; the times and the memory
// figures go to stdout as "stress: <name> <number>" lines. The list's marks after a selection
// load and side switches are also checked on a small board with the other tests.

#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "../../resources/resource.h"
#include "model/board_model.h"
#include "print/print_job.h"
#include "shell/app_win.h"
#include "shell/board_paint_win.h"
#include "shell/keyboard_hook_win.h"
#include "shell/print_device_win.h"
#include "support/synthetic_board.h"
#include "support/temp_folder.h"
#include "view/board_view.h"
#include "win/support/app_windows_win.h"
#include "win/support/metafile_printer_win.h"

using namespace tindral;
using tindral::test::list_cell;

namespace {

constexpr int kElements = 50000;
constexpr int kClickedRows = 1000;  // chosen by a click on the list
constexpr int kSpaceRows = 100;     // chosen by Space on a selected row
constexpr int kColumns = 11;
constexpr int kIndexColumn = 10;
constexpr LPARAM kKeyDown = 1;
constexpr LPARAM kKeyUp = static_cast<LPARAM>(0xC0000001u);

double now_ms() {
    LARGE_INTEGER freq, t;
    QueryPerformanceFrequency(&freq);
    QueryPerformanceCounter(&t);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

// Runs one step of the program; prints how long it took when report is set.
template <typename F>
void timed(bool report, const std::string& name, F&& step) {
    const double t0 = now_ms();
    step();
    if (!report) return;
    std::printf("stress: %s-ms %.1f\n", name.c_str(), now_ms() - t0);
    std::fflush(stdout);
}

void print_memory(const char* when) {
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    if (!K32GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc)) {
        std::printf("stress: memory-%s unknown (error %lu)\n", when, GetLastError());
        return;
    }
    const double mb = 1024.0 * 1024.0;
    std::printf("stress: working-set-mb-%s %.1f\n", when, pmc.WorkingSetSize / mb);
    std::printf("stress: peak-working-set-mb-%s %.1f\n", when, pmc.PeakWorkingSetSize / mb);
    std::printf("stress: pagefile-mb-%s %.1f\n", when, pmc.PagefileUsage / mb);
    std::printf("stress: peak-pagefile-mb-%s %.1f\n", when, pmc.PeakPagefileUsage / mb);
    std::fflush(stdout);
}

int item_count(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

// The columns that hold numbers and sort as numbers; the others sort as text.
bool number_column(int column) {
    return column == 4 || column == 5 || column == 6 || column == 8 || column == 9 || column == 10;
}

// -1, 0 or 1 for two cells of a column: numbers by value, texts code unit by code unit
// (wchar_t is an unsigned 16-bit unit here, so the string order is the ordinal one).
int compare_cells(const std::wstring& a, const std::wstring& b, bool numbers) {
    if (numbers) {
        const double x = std::wcstod(a.c_str(), nullptr), y = std::wcstod(b.c_str(), nullptr);
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    return a < b ? -1 : (a > b ? 1 : 0);
}

// The component (Index column) of every row of the main list, in row order.
std::vector<int> row_components() {
    std::vector<int> out(static_cast<size_t>(item_count(app_windows().list_main)));
    for (size_t r = 0; r < out.size(); ++r)
        out[r] = std::stoi(list_cell(app_windows().list_main, static_cast<int>(r), kIndexColumn));
    return out;
}

// The first row that is out of the column's order (equal cells ordered by Index), or -1.
int first_row_out_of_order(int column, const std::vector<int>& components) {
    std::wstring before = list_cell(app_windows().list_main, 0, column);
    for (size_t r = 1; r < components.size(); ++r) {
        const std::wstring cell = list_cell(app_windows().list_main, static_cast<int>(r), column);
        const int c = compare_cells(before, cell, number_column(column));
        if (c > 0 || (c == 0 && components[r - 1] >= components[r])) return static_cast<int>(r);
        before = cell;
    }
    return -1;
}

// The components a side choice shows, in model order.
std::vector<int> shown_components(bool top, bool bottom) {
    std::vector<int> out;
    for (size_t i = 0; i < app_session().board.elements.size(); ++i) {
        const bool is_top = app_session().board.elements[i].side == kSideTop;
        if (is_top ? top : bottom) out.push_back(static_cast<int>(i));
    }
    return out;
}

// The counter line for these states, composed here from its English words.
std::wstring expected_counter(const std::vector<uint32_t>& states) {
    int placed = 0, top = 0, bottom = 0, placed_top = 0, placed_bottom = 0;
    for (size_t i = 0; i < app_session().board.elements.size(); ++i) {
        const bool is_top = app_session().board.elements[i].side == kSideTop;
        (is_top ? top : bottom) += 1;
        if (states[i] != kStateUnselected) {
            ++placed;
            (is_top ? placed_top : placed_bottom) += 1;
        }
    }
    const auto n = [](int v) { return std::to_wstring(v); };
    return L"  Placed: Total " + n(placed) + L" of " + n(top + bottom) + L"     TOP " + n(placed_top) +
           L" of " + n(top) + L"     BOTTOM " + n(placed_bottom) + L" of " + n(bottom);
}

// Rows whose mark (image 1) does not match their component's state.
int rows_with_wrong_mark(const std::vector<int>& components, const std::vector<uint32_t>& states) {
    int wrong = 0;
    for (size_t r = 0; r < components.size(); ++r) {
        const bool marked = states[components[r]] != kStateUnselected;
        wrong += (test::list_image(app_windows().list_main, static_cast<int>(r)) == 1) != marked;
    }
    return wrong;
}

// The rows of the main list in a list-view state (selected or focused).
std::vector<int> rows_in_state(UINT state) {
    std::vector<int> out;
    const int n = item_count(app_windows().list_main);
    for (int r = 0; r < n; ++r)
        if (SendMessageW(app_windows().list_main, LVM_GETITEMSTATE, r, state) & state) out.push_back(r);
    return out;
}

// Images as the states say; the list's one highlight (selected and focused) on a marked row,
// none when no shown row is marked.
void expect_marks(const std::vector<int>& components, const std::vector<uint32_t>& states) {
    EXPECT_EQ(rows_with_wrong_mark(components, states), 0);
    bool any_marked = false;
    for (int c : components) any_marked = any_marked || states[c] != kStateUnselected;
    const std::vector<int> selected = rows_in_state(LVIS_SELECTED);
    EXPECT_EQ(rows_in_state(LVIS_FOCUSED), selected);
    ASSERT_EQ(selected.size(), any_marked ? 1u : 0u);
    if (any_marked) {
        EXPECT_NE(states[components[selected[0]]], kStateUnselected);
    }
}

// Little-endian 32-bit values of a file.
std::vector<uint32_t> file_states(const std::filesystem::path& file) {
    const std::string bytes = test::TempFolder::read(file);
    std::vector<uint32_t> states(bytes.size() / 4);
    for (size_t i = 0; i < states.size(); ++i)
        for (int b = 3; b >= 0; --b)
            states[i] = states[i] << 8 | static_cast<unsigned char>(bytes[4 * i + b]);
    return states;
}

class Stress : public test::AppWindowsTest {
protected:
    void SetUp() override {
        test::AppWindowsTest::SetUp();
        app_session().settings.show_top_side = 1;
        app_session().settings.show_bottom_side = 1;
        app_session().settings.leave_selected = 1;
        app_session().settings.printer_selection_mode = 1;
        ShowWindow(app_windows().hwnd_board, SW_SHOW);
        ShowWindow(app_windows().hwnd_main, SW_SHOW);
    }

    static void menu(HWND window, unsigned id) {
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    }
    static void select_row(int row) {
        LVITEMW item{};
        item.stateMask = item.state = LVIS_SELECTED;
        SendMessageW(app_windows().list_main, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    }

    // The side choice switched through the board window's toolbar commands; the rows must be
    // those of the shown sides, sorted as before, with their marks.
    void switch_sides(const char* name, bool top, bool bottom) {
        timed(report_, std::string("sides-") + name, [&] {
            const Settings& settings = app_session().settings;
            HWND board = app_windows().hwnd_board;
            if ((settings.show_top_side != 0) != top) menu(board, IDM_TOP_SIDE);
            if ((settings.show_bottom_side != 0) != bottom) menu(board, IDM_BOTTOM_SIDE);
            UpdateWindow(app_windows().hwnd_layout);
            UpdateWindow(app_windows().list_main);
        });
        SCOPED_TRACE(name);
        const std::vector<int> rows = row_components();
        std::vector<int> sorted_rows = rows;
        std::sort(sorted_rows.begin(), sorted_rows.end());
        EXPECT_EQ(sorted_rows, shown_components(top, bottom));
        const int sort_col = static_cast<int>(app_session().settings.sort_col);
        EXPECT_EQ(first_row_out_of_order(sort_col, rows), -1);
        expect_marks(rows, app_session().board.marks.states());
        size_t drawn = 0;
        for (const ElementBox& b : app_session().view.boxes) drawn += !b.empty();
        EXPECT_EQ(drawn, rows.size());
    }

    test::TempFolder dir_;
    bool report_ = false;  // step times on stdout
};

// The list's highlight after a selection load and side switches: a row highlighted before the
// load that the file leaves unmarked loses it, and it lands on a marked row.
TEST_F(Stress, SelectionLoadAndSideSwitchesKeepOneHighlightOnAMarkedRow) {
    BoardModel& model = app_session().board;
    const std::filesystem::path board = dir_.write("board.brd", test::synthetic_board(300));
    test::load_through_combo(board.wstring());
    ASSERT_EQ(model.board_loaded, 1u);
    const std::vector<int> rows = row_components();
    for (int row : {10, 20, 30}) notify(app_windows().list_main, NM_CLICK, row, 0);
    menu(app_windows().hwnd_main, IDM_SAVE_SELECTION);
    click(app_windows().button_clear);
    ASSERT_EQ(row_components(), rows);  // the refill keeps the order
    notify(app_windows().list_main, NM_CLICK, 40, 0);
    ASSERT_EQ(rows_in_state(LVIS_SELECTED), std::vector<int>{40});

    menu(app_windows().hwnd_main, IDM_LOAD_SELECTION);  // answered Yes
    std::vector<uint32_t> expected(model.elements.size(), kStateUnselected);
    for (int row : {10, 20, 30}) expected[rows[row]] = kStateSelected;
    EXPECT_EQ(model.marks.states(), expected);
    expect_marks(rows, expected);
    EXPECT_EQ(SendMessageW(app_windows().list_main, LVM_GETITEMSTATE, 40, LVIS_SELECTED | LVIS_FOCUSED), 0);
    switch_sides("top-only", true, false);
    switch_sides("bottom-only", false, true);
    switch_sides("both", true, true);

    // A file without marks takes the highlight away from the row chosen before the load.
    click(app_windows().button_clear);
    menu(app_windows().hwnd_main, IDM_SAVE_SELECTION);
    notify(app_windows().list_main, NM_CLICK, 50, 0);
    ASSERT_EQ(rows_in_state(LVIS_SELECTED), std::vector<int>{50});
    menu(app_windows().hwnd_main, IDM_LOAD_SELECTION);
    EXPECT_EQ(port_.boxes.size(), 2u);  // the question of each load
    EXPECT_EQ(model.marks.states(), std::vector<uint32_t>(model.elements.size(), kStateUnselected));
    expect_marks(row_components(), model.marks.states());
}

TEST_F(Stress, DISABLED_FiftyThousandElementsThroughTheWholeProgram) {
    BoardModel& model = app_session().board;
    report_ = true;
    print_memory("before");
    const std::filesystem::path board = dir_.path / "board.brd";
    timed(report_, "generate", [&] { dir_.write("board.brd", test::synthetic_board(kElements)); });

    // Load through the Load button, with the first paint of the drawing area.
    timed(report_, "load", [&] {
        test::load_through_combo(board.wstring());
        UpdateWindow(app_windows().hwnd_layout);
        UpdateWindow(app_windows().list_main);
    });
    ASSERT_EQ(model.board_loaded, 1u);
    ASSERT_TRUE(port_.boxes.empty()) << port_.boxes[0].text.c_str();
    ASSERT_EQ(model.elements.size(), static_cast<size_t>(kElements));
    ASSERT_EQ(item_count(app_windows().list_main), kElements);
    const size_t n = model.elements.size();

    // A header click on every column, the Group column last: the order a user works in.
    for (int column : {0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 9}) {
        timed(report_, "sort-column-" + std::to_string(column), [&] {
            notify(app_windows().list_main, LVN_COLUMNCLICK, -1, column);
            UpdateWindow(app_windows().list_main);
        });
        SCOPED_TRACE(column);
        EXPECT_EQ(app_session().settings.sort_col, static_cast<uint32_t>(column));
        const std::vector<int> rows = row_components();
        std::vector<int> sorted_rows = rows;
        std::sort(sorted_rows.begin(), sorted_rows.end());
        EXPECT_EQ(sorted_rows, shown_components(true, true));  // each row once
        EXPECT_EQ(first_row_out_of_order(column, rows), -1);
    }
    std::vector<int> rows = row_components();

    // Rows chosen by a click spread over the list, then by Space on a selected row. With
    // "Leave selected" on, every choice but the last ends selected.
    std::vector<uint32_t> expected(n, kStateUnselected);
    int last = -1, last_row = -1;
    const auto chose = [&](int row) {
        if (last >= 0) expected[last] = kStateSelected;
        last = rows[row];
        last_row = row;
        expected[last] = kStateCurrent;
    };
    const int step = static_cast<int>(n) / (kClickedRows + kSpaceRows);
    timed(report_, "choose-" + std::to_string(kClickedRows) + "-by-click", [&] {
        for (int i = 0; i < kClickedRows; ++i) {
            notify(app_windows().list_main, NM_CLICK, i * step, 0);
            chose(i * step);
        }
    });
    timed(report_, "choose-" + std::to_string(kSpaceRows) + "-by-space", [&] {
        for (int i = kClickedRows; i < kClickedRows + kSpaceRows; ++i) {
            select_row(i * step + 1);
            KeyboardHook(HC_ACTION, VK_SPACE, kKeyDown);
            KeyboardHook(HC_ACTION, VK_SPACE, kKeyUp);
            chose(i * step + 1);
        }
    });
    EXPECT_TRUE(port_.boxes.empty());
    EXPECT_EQ(model.marks.states(), expected);
    EXPECT_EQ(test::window_text(app_windows().static_counter), expected_counter(expected));
    expect_marks(rows, expected);
    EXPECT_EQ(rows_in_state(LVIS_SELECTED), std::vector<int>{last_row});

    // The selection file: saved, the marks cleared, loaded back.
    const std::filesystem::path file = dir_.path / "board.TindralSel";
    timed(report_, "save-selection", [&] { menu(app_windows().hwnd_main, IDM_SAVE_SELECTION); });
    EXPECT_TRUE(port_.boxes.empty());
    EXPECT_EQ(file_states(file), expected);
    timed(report_, "clear-selection", [&] {
        click(app_windows().button_clear);
        UpdateWindow(app_windows().list_main);
    });
    rows = row_components();
    EXPECT_EQ(model.marks.states(), std::vector<uint32_t>(n, kStateUnselected));
    EXPECT_EQ(rows_with_wrong_mark(rows, model.marks.states()), 0);
    EXPECT_TRUE(rows_in_state(LVIS_SELECTED).empty());
    EXPECT_EQ(first_row_out_of_order(9, rows), -1);
    timed(report_, "load-selection", [&] {
        menu(app_windows().hwnd_main, IDM_LOAD_SELECTION);  // answered Yes
        UpdateWindow(app_windows().list_main);
    });
    ASSERT_EQ(port_.boxes.size(), 1u);
    EXPECT_EQ(port_.boxes[0].text, L"Current selection will be overwritten! \nContinue?");
    port_.boxes.clear();
    expected[last] = kStateSelected;  // the saved current one comes back as selected
    EXPECT_EQ(model.marks.states(), expected);
    expect_marks(rows, expected);
    EXPECT_EQ(test::window_text(app_windows().static_counter), expected_counter(expected));

    // The BOM: one row per package and value over both sides, the library of the first.
    timed(report_, "bom-fill", [&] {
        click(app_windows().button_bom);
        UpdateWindow(app_windows().list_bom);
    });
    std::map<std::pair<std::wstring, std::wstring>, std::pair<std::wstring, int>> groups;
    std::vector<std::vector<std::wstring>> first_order;
    for (const ElementRec& e : model.elements) {
        auto [it, added] = groups.try_emplace({e.package, e.value}, e.library, 0);
        ++it->second.second;
        if (added) first_order.push_back({e.library, e.package, e.value});
    }
    test::Rows bom = test::list_rows(app_windows().list_bom, 4);
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
        timed(report_, "bom-sort-column-" + std::to_string(column), [&] {
            notify(app_windows().list_bom, LVN_COLUMNCLICK, -1, column);
            UpdateWindow(app_windows().list_bom);
        });
        const test::Rows sorted = test::list_rows(app_windows().list_bom, 4);
        ASSERT_EQ(sorted.size(), bom.size());
        for (size_t r = 1; r < sorted.size(); ++r)
            EXPECT_LE(compare_cells(sorted[r - 1][column], sorted[r][column], column == 3), 0)
                << column << " " << r;
    }

    // The BOM printed as the Print button does, onto a metafile in place of a printer.
    const test::Rows printed_rows = test::list_rows(app_windows().list_bom, 4);
    test::MetafilePrinter printer;
    int printed = 0;
    timed(report_, "bom-print", [&] { printed = print_bom_list(printer); });
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

    // The sides switched through the board window's toolbar, each with a repaint.
    switch_sides("top-only", true, false);
    switch_sides("bottom-only", false, true);
    switch_sides("both", true, true);
    print_memory("after");
}

}  // namespace
