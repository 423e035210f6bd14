#include "lists/list_rows.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "board/utf8.h"
#include "lists/cell_compare.h"
#include "text/format.h"
#include "text/lang.h"

namespace tindral {

namespace {

// The list reads and writes cells through buffers of this size.
constexpr size_t kCellBuffer = 100;

const wchar_t* side_word(uint32_t side) {
    return text(side != kSideTop ? TXT_CELL_BOTTOM : TXT_CELL_TOP);
}

}  // namespace

bool is_number_column(int column) {
    switch (column) {
        case kColX: case kColY: case kColRotation: case kColAmount: case kColGroup: case kColIndex:
            return true;
        default:
            return false;
    }
}

std::wstring side_cell_text(uint32_t side) { return side_word(side); }

bool is_count_column(int column) {
    return column == kColAmount || column == kColGroup || column == kColIndex;
}

bool count_cell_value(const ElementRec& e, size_t index, int column, uint64_t& value) {
    switch (column) {
        case kColAmount: value = e.side != kSideTop ? e.amount_bottom : e.amount_top; return true;
        case kColGroup: value = e.group; return true;
        case kColIndex: value = index; return true;
        default: return false;
    }
}

std::wstring list_cell(const ElementRec& e, size_t index, int column) {
    // Unsigned, without flags or width: "%d" writes the plain decimal digits, as these do
    // without the formatter's parsing (three cells of every row).
    if (uint64_t count = 0; count_cell_value(e, index, column, count)) return std::to_wstring(count);
    switch (column) {
        case kColName: return utf8_to_wide(e.name);
        case kColLibrary: return utf8_to_wide(e.library);
        case kColPackage: return utf8_to_wide(e.package);
        case kColValue: return utf8_to_wide(e.value);
        case kColX: return format_text(kCellBuffer, L"%3.3f", e.x);
        case kColY: return format_text(kCellBuffer, L"%3.3f", e.y);
        case kColRotation: return format_text(kCellBuffer, L"%3.3f", e.rotation);
        case kColSide: return side_cell_text(e.side);
        default: return {};
    }
}

namespace {

// "%3.3f" as list_cell writes it. Every finite value of a board's size has at least five
// characters, so the width never pads, and the formatter's digits are to_chars' fixed digits.
void append_fixed3(std::string& out, double v) {
    if (!std::isfinite(v) || std::fabs(v) >= 1e15) {
        append_wide_as_utf8(out, format_text(kCellBuffer, L"%3.3f", v));
        return;
    }
    if (std::signbit(v)) out += '-';
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, std::fabs(v),
                                   std::chars_format::fixed, 3).ptr;
    out.append(digits, end);
}

void append_decimal(std::string& out, uint64_t n) {
    char digits[24];
    out.append(digits, std::to_chars(digits, digits + sizeof digits, n).ptr);
}

}  // namespace

void append_list_cell_utf8(std::string& out, const ElementRec& e, size_t index, int column) {
    if (uint64_t count = 0; count_cell_value(e, index, column, count)) {
        append_decimal(out, count);
        return;
    }
    switch (column) {
        case kColName: out += e.name; return;
        case kColLibrary: out += e.library; return;
        case kColPackage: out += e.package; return;
        case kColValue: out += e.value; return;
        case kColX: append_fixed3(out, e.x); return;
        case kColY: append_fixed3(out, e.y); return;
        case kColRotation: append_fixed3(out, e.rotation); return;
        case kColSide: append_wide_as_utf8(out, side_word(e.side)); return;
        default: return;
    }
}

std::array<std::wstring, kListColumnCount> list_row_cells(const ElementRec& e, size_t index) {
    std::array<std::wstring, kListColumnCount> cells;
    for (int c = 0; c < kListColumnCount; ++c) cells[c] = list_cell(e, index, c);
    return cells;
}

bool side_is_shown(uint32_t side, bool show_top, bool show_bottom) {
    return (side == kSideTop && show_top) || (side == kSideBottom && show_bottom);
}

std::vector<size_t> shown_list_rows(const BoardModel& board, bool show_top, bool show_bottom) {
    std::vector<size_t> rows;
    for (size_t i = 0; i < board.elements.size(); ++i)
        if (board.elements[i].populated && side_is_shown(board.elements[i].side, show_top, show_bottom))
            rows.push_back(i);
    return rows;
}

int compare_list_cells(const std::wstring& a, const std::wstring& b, int column) {
    return is_number_column(column) ? compare_cell_number(a, b) : compare_cell_text(a, b);
}

int compare_list_rows(const BoardModel& board, size_t a, size_t b, int column) {
    return compare_list_cells(list_cell(board.elements[a], a, column),
                              list_cell(board.elements[b], b, column), column);
}

void sort_list_rows(std::vector<size_t>& rows, const BoardModel& board, int column) {
    // Each row's key is made once, as the comparison of its cell would read it; ties keep the
    // Index order, so sorting by (key, row) is the stable sort of the header click.
    if (is_count_column(column) && board.elements.size() <= UINT32_MAX) {
        // The 32-bit number the cell shows and the row as one integer.
        std::vector<uint64_t> keyed;
        keyed.reserve(rows.size());
        for (size_t r : rows) {
            uint64_t count = 0;
            count_cell_value(board.elements[r], r, column, count);
            keyed.push_back(count << 32 | r);
        }
        std::sort(keyed.begin(), keyed.end());
        for (size_t i = 0; i < keyed.size(); ++i)
            rows[i] = static_cast<size_t>(keyed[i] & 0xFFFFFFFFu);
        return;
    }
    if (is_number_column(column)) {
        std::vector<std::pair<double, size_t>> keyed;
        keyed.reserve(rows.size());
        for (size_t r : rows) {
            uint64_t count = 0;
            const double key = count_cell_value(board.elements[r], r, column, count)
                                   ? static_cast<double>(count)
                                   : cell_sort_number(list_cell(board.elements[r], r, column));
            keyed.emplace_back(key, r);
        }
        std::sort(keyed.begin(), keyed.end());
        for (size_t i = 0; i < keyed.size(); ++i) rows[i] = keyed[i].second;
        return;
    }
    std::vector<std::pair<std::u16string, size_t>> keyed;
    keyed.reserve(rows.size());
    for (size_t r : rows) keyed.emplace_back(cell_sort_text(list_cell(board.elements[r], r, column)), r);
    std::sort(keyed.begin(), keyed.end());
    for (size_t i = 0; i < keyed.size(); ++i) rows[i] = keyed[i].second;
}

std::wstring placed_counter_text(const MarkCounts& c) {
    return format_text(260, L"%s %d %s %d     %s %d %s %d     %s %d %s %d",
                       text(TXT_PLACED_TOTAL), c.marked, text(TXT_OF), c.total,
                       text(TXT_STATUS_TOP), c.marked_top, text(TXT_OF), c.top,
                       text(TXT_STATUS_BOTTOM), c.marked_bottom, text(TXT_OF), c.bottom);
}

std::wstring placed_counter_text(const BoardModel& board) {
    return placed_counter_text(board.marks.count(board.elements));
}

}  // namespace tindral
