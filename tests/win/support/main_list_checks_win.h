#pragma once
// What the main list shows, read back and compared with the model: rows, order, marks, highlight,
// counter line, and the states of a selection file.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cwchar>
#include <filesystem>
#include <string>
#include <vector>

#include "../../../resources/resource.h"
#include "model/board_model.h"
#include "view/board_view.h"
#include "selection/marks.h"
#include "shell/app_win.h"
#include "support/temp_folder.h"
#include "win/support/app_windows_win.h"

namespace tindral::test {

inline int item_count(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

// -1, 0 or 1 for two cells: numbers by value, texts by UTF-16 unit (wchar_t's order here).
inline int compare_cells(const std::wstring& a, const std::wstring& b, bool numbers) {
    if (numbers) {
        const double x = std::wcstod(a.c_str(), nullptr), y = std::wcstod(b.c_str(), nullptr);
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    return a < b ? -1 : (a > b ? 1 : 0);
}

// The component (Index column) of every row of the main list, in row order.
inline std::vector<int> row_components() {
    std::vector<int> out(static_cast<size_t>(item_count(app_windows().list_main)));
    for (size_t r = 0; r < out.size(); ++r)
        out[r] = std::stoi(list_cell(app_windows().list_main, static_cast<int>(r), 10));  // Index
    return out;
}

// The first row out of the column's order (ties by Index), or -1; columns 4-10 but 7 are numbers.
inline int first_row_out_of_order(int column, const std::vector<int>& components) {
    const bool numbers = column >= 4 && column != 7;
    std::wstring before = list_cell(app_windows().list_main, 0, column);
    for (size_t r = 1; r < components.size(); ++r) {
        const std::wstring cell = list_cell(app_windows().list_main, static_cast<int>(r), column);
        const int c = compare_cells(before, cell, numbers);
        if (c > 0 || (c == 0 && components[r - 1] >= components[r])) return static_cast<int>(r);
        before = cell;
    }
    return -1;
}

// The components a side choice shows, in model order.
inline std::vector<int> shown_components(bool top, bool bottom) {
    std::vector<int> out;
    for (size_t i = 0; i < app_session().board.elements.size(); ++i) {
        const bool is_top = app_session().board.elements[i].side == kSideTop;
        if (is_top ? top : bottom) out.push_back(static_cast<int>(i));
    }
    return out;
}

// The counter line for these states, composed here from its English words.
inline std::wstring expected_counter(const std::vector<uint32_t>& states) {
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

// The rows of the main list in a list-view state (selected or focused).
inline std::vector<int> rows_in_state(UINT state) {
    std::vector<int> out;
    const int n = item_count(app_windows().list_main);
    for (int r = 0; r < n; ++r)
        if (SendMessageW(app_windows().list_main, LVM_GETITEMSTATE, r, state) & state) out.push_back(r);
    return out;
}

// Images as the states say; the one highlight (selected and focused) on a marked row, if any.
inline void expect_marks(const std::vector<int>& components, const std::vector<uint32_t>& states) {
    int wrong = 0;
    bool any_marked = false;
    for (size_t r = 0; r < components.size(); ++r) {
        const bool marked = states[components[r]] != kStateUnselected;
        wrong += (list_image(app_windows().list_main, static_cast<int>(r)) == 1) != marked;
        any_marked = any_marked || marked;
    }
    EXPECT_EQ(wrong, 0);
    const std::vector<int> selected = rows_in_state(LVIS_SELECTED);
    EXPECT_EQ(rows_in_state(LVIS_FOCUSED), selected);
    ASSERT_EQ(selected.size(), any_marked ? 1u : 0u);
    if (any_marked) {
        EXPECT_NE(states[components[selected[0]]], kStateUnselected);
    }
}

// The real windows shown with both sides and "Leave selected" on; dir_ takes the board.
class MarkingTest : public AppWindowsTest {
protected:
    void SetUp() override {
        AppWindowsTest::SetUp();
        app_session().settings.show_bottom_side = 1;
        ShowWindow(app_windows().hwnd_board, SW_SHOW);
        ShowWindow(app_windows().hwnd_main, SW_SHOW);
    }
};

// The side choice switched through the board window's toolbar commands, drawn and listed.
inline void switch_sides(bool top, bool bottom) {
    const Settings& settings = app_session().settings;
    HWND board = app_windows().hwnd_board;
    const auto command = [&](unsigned id) { SendMessageW(board, WM_COMMAND, MAKEWPARAM(id, 0), 0); };
    if ((settings.show_top_side != 0) != top) command(IDM_TOP_SIDE);
    if ((settings.show_bottom_side != 0) != bottom) command(IDM_BOTTOM_SIDE);
    UpdateWindow(app_windows().hwnd_layout);
    UpdateWindow(app_windows().list_main);
}

// After a side switch: the shown sides' rows, sorted as before, with their marks, each drawn.
inline void expect_rows_of_sides(bool top, bool bottom) {
    const std::vector<int> rows = row_components();
    std::vector<int> sorted_rows = rows;
    std::sort(sorted_rows.begin(), sorted_rows.end());
    EXPECT_EQ(sorted_rows, shown_components(top, bottom));
    EXPECT_EQ(first_row_out_of_order(static_cast<int>(app_session().settings.sort_col), rows), -1);
    expect_marks(rows, app_session().board.marks.states());
    size_t drawn = 0;
    for (const ElementBox& b : app_session().view.boxes) drawn += !b.empty();
    EXPECT_EQ(drawn, rows.size());
}

// Little-endian 32-bit values of a file.
inline std::vector<uint32_t> file_states(const std::filesystem::path& file) {
    const std::string bytes = TempFolder::read(file);
    std::vector<uint32_t> states(bytes.size() / 4);
    for (size_t i = 0; i < states.size(); ++i)
        for (int b = 3; b >= 0; --b)
            states[i] = states[i] << 8 | static_cast<unsigned char>(bytes[4 * i + b]);
    return states;
}

}  // namespace tindral::test
