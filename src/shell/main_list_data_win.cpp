#include "shell/main_list_data_win.h"

#include <algorithm>
#include <string>
#include <utility>

#include "lists/cell_compare.h"
#include "lists/list_rows.h"
#include "model/board_model.h"
#include "shell/app_win.h"

namespace tindral {

namespace {

MainListRows& rows() { return app_windows().main_rows; }

void index_rows() {
    MainListRows& r = rows();
    std::fill(r.row_of.begin(), r.row_of.end(), -1);
    for (size_t row = 0; row < r.components.size(); ++row)
        if (r.components[row] < r.row_of.size()) r.row_of[r.components[row]] = static_cast<int32_t>(row);
}

const ElementRec* element_of(int32_t c) {
    const BoardModel& board = app_session().board;
    if (c < 0 || static_cast<size_t>(c) >= board.elements.size()) return nullptr;
    return &board.elements[static_cast<size_t>(c)];
}

// Case-blind comparison of the first n characters, cut to the shorter text: the control's own
// rule for typed letters.
bool starts_alike(const std::wstring& cell, const wchar_t* typed) {
    const int n = std::min(static_cast<int>(cell.size()), lstrlenW(typed));
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, cell.c_str(), n, typed, n) ==
           CSTR_EQUAL;
}

bool same_text(const std::wstring& cell, const wchar_t* typed) {
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, cell.c_str(),
                          static_cast<int>(cell.size()), typed, -1) == CSTR_EQUAL;
}

// The order of a header click, as sort_list_rows gives it (by the column's cells, equal cells by
// index), with each cell read once and a number column's numbers read once instead of at every
// comparison.
template <typename Key>
void sort_keyed(std::vector<size_t>& order, const BoardModel& board, int column,
                Key (*key_of)(const std::wstring&)) {
    std::vector<std::pair<Key, size_t>> keyed;
    keyed.reserve(order.size());
    for (size_t c : order) keyed.emplace_back(key_of(list_cell(board.elements[c], c, column)), c);
    std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        if (a.first < b.first) return true;
        if (b.first < a.first) return false;
        return a.second < b.second;
    });
    for (size_t i = 0; i < keyed.size(); ++i) order[i] = keyed[i].second;
}

// Only the first code units of a cell take part; wchar_t holds UTF-16 units here, so the
// string order is the ordinal one.
static_assert(sizeof(wchar_t) == 2, "cells compare as UTF-16 code units");
std::wstring text_key(const std::wstring& cell) { return cell.substr(0, kCellCompareUnits); }
double number_key(const std::wstring& cell) { return cell_number(cell.substr(0, kCellCompareUnits)); }

}  // namespace

void set_main_rows(const std::vector<size_t>& components, size_t element_count) {
    MainListRows& r = rows();
    r.components.assign(components.begin(), components.end());
    r.images.assign(element_count, static_cast<uint8_t>(kImageUnmarked));
    r.row_of.assign(element_count, -1);
    index_rows();
}

void sort_main_rows(int column) {
    MainListRows& r = rows();
    const BoardModel& board = app_session().board;
    std::vector<size_t> order(r.components.begin(), r.components.end());
    const bool all_known = std::all_of(order.begin(), order.end(),
                                       [&](size_t c) { return c < board.elements.size(); });
    // Rows without an element (none after a fill) only keep the order of their index.
    if (!all_known)
        std::sort(order.begin(), order.end());
    else if (is_count_column(column))
        sort_list_rows(order, board, column);  // by the number the cell shows
    else if (is_number_column(column))
        sort_keyed(order, board, column, &number_key);
    else
        sort_keyed(order, board, column, &text_key);
    r.components.assign(order.begin(), order.end());
    index_rows();
}

size_t main_row_count() { return rows().components.size(); }

int32_t main_row_component(int row) {
    const MainListRows& r = rows();
    if (row < 0 || static_cast<size_t>(row) >= r.components.size()) return -1;
    return static_cast<int32_t>(r.components[static_cast<size_t>(row)]);
}

int main_component_row(uint32_t component) {
    const MainListRows& r = rows();
    return component < r.row_of.size() ? r.row_of[component] : -1;
}

int main_row_image(int row) {
    const int32_t c = main_row_component(row);
    if (c < 0 || static_cast<size_t>(c) >= rows().images.size()) return kImageUnmarked;
    return rows().images[static_cast<size_t>(c)];
}

bool store_main_row_image(int row, int image) {
    const int32_t c = main_row_component(row);
    if (c < 0 || static_cast<size_t>(c) >= rows().images.size()) return false;
    uint8_t& stored = rows().images[static_cast<size_t>(c)];
    if (stored == image) return false;
    stored = static_cast<uint8_t>(image);
    return true;
}

void set_main_row_image(int row, int image) {
    if (store_main_row_image(row, image))
        SendMessageW(app_windows().list_main, LVM_REDRAWITEMS, row, row);
}

void give_main_row(NMLVDISPINFOW* info) {
    LVITEMW& item = info->item;
    const int32_t c = main_row_component(item.iItem);
    const ElementRec* e = element_of(c);
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
        const std::wstring cell = e ? list_cell(*e, static_cast<size_t>(c), item.iSubItem) : L"";
        lstrcpynW(item.pszText, cell.c_str(), item.cchTextMax);
    }
    if (item.mask & LVIF_IMAGE) item.iImage = main_row_image(item.iItem);
    if (item.mask & LVIF_PARAM) item.lParam = c;
}

int find_main_row(const NMLVFINDITEMW* find) {
    const LVFINDINFOW& f = find->lvfi;
    if (!(f.flags & (LVFI_STRING | LVFI_PARTIAL)) || !f.psz) return -1;
    const int n = static_cast<int>(main_row_count());
    const int start = find->iStart >= 0 && find->iStart < n ? find->iStart : 0;
    const int span = (f.flags & LVFI_WRAP) ? n : n - start;
    for (int k = 0; k < span; ++k) {
        const int row = (start + k) % n;
        const int32_t c = main_row_component(row);
        const ElementRec* e = element_of(c);
        if (!e) continue;
        const std::wstring name = list_cell(*e, static_cast<size_t>(c), kColName);
        if ((f.flags & LVFI_PARTIAL) ? starts_alike(name, f.psz) : same_text(name, f.psz)) return row;
    }
    return -1;
}

}  // namespace tindral
