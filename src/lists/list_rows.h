#pragma once
// The main component list without its window: the eleven columns, the text of every cell, which
// components a side choice shows, and the order of a header click. The list view shows exactly
// what these functions give. Also the counter line of placed components under the list.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/board_model.h"

namespace tindral {

enum MainListColumn : int {
    kColName = 0,
    kColLibrary = 1,
    kColPackage = 2,
    kColValue = 3,
    kColX = 4,
    kColY = 5,
    kColRotation = 6,
    kColSide = 7,
    kColAmount = 8,
    kColGroup = 9,
    kColIndex = 10,
};
constexpr int kListColumnCount = 11;

// True for the columns that sort numerically (X, Y, Rotation, Amount, Group, Index).
bool is_number_column(int column);

// "Top" for side 0, "Bottom" for any other side.
std::wstring side_cell_text(uint32_t side);

// The text of one cell of the row of element index (its model index). Columns outside 0..10
// give an empty text.
std::wstring list_cell(const ElementRec& element, size_t index, int column);
std::array<std::wstring, kListColumnCount> list_row_cells(const ElementRec& element, size_t index);
// Amount, Group and Index: cells that show a count.
bool is_count_column(int column);
// The number an Amount, Group or Index cell shows: its text is that number's plain decimal
// digits, which the cell comparison reads back exactly. False for the other columns.
bool count_cell_value(const ElementRec& element, size_t index, int column, uint64_t& value);
// The same text as list_cell, in UTF-8, appended to out: an export of 50 000 rows then makes no
// wide text per cell.
void append_list_cell_utf8(std::string& out, const ElementRec& element, size_t index, int column);

// Whether a component of this side has a row: side 0 when the top is shown, side 1000 when the
// bottom is shown.
bool side_is_shown(uint32_t side, bool show_top, bool show_bottom);

// The model indices of the rows of a fill, in model order: the parts fitted in the variant shown.
std::vector<size_t> shown_list_rows(const BoardModel& board, bool show_top, bool show_bottom);

// The comparison of a header click on one column: -1, 0 or 1 for the cells of two rows.
int compare_list_cells(const std::wstring& a, const std::wstring& b, int column);
int compare_list_rows(const BoardModel& board, size_t a, size_t b, int column);

// Sorts rows (model indices) as the list does after a header click on column: by Index first,
// then by the column, so rows with equal cells keep the order of their Index.
void sort_list_rows(std::vector<size_t>& rows, const BoardModel& board, int column);

// The counter line in the current language; "placed" counts the marked components.
std::wstring placed_counter_text(const MarkCounts& counts);
std::wstring placed_counter_text(const BoardModel& board);

}  // namespace tindral
