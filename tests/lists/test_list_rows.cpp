#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "board/utf8.h"
#include "lists/bom_date.h"
#include "lists/bom_rows.h"
#include "lists/cell_compare.h"
#include "lists/list_rows.h"
#include "model/grouping.h"
#include "support/language_guard.h"

using namespace tindral;
using test::TextLanguage;

namespace {

ElementRec part(const wchar_t* name, const wchar_t* package, const wchar_t* value, double x,
                uint32_t side = kSideTop, const wchar_t* library = L"lib") {
    ElementRec e;
    e.name = wide_to_utf8(name);
    e.library = wide_to_utf8(library);
    e.package = wide_to_utf8(package);
    e.value = wide_to_utf8(value);
    e.x = x;
    e.y = -x / 4;
    e.rotation = side == kSideTop ? 90 : 180;
    e.side = side;
    return e;
}

std::vector<std::wstring> column_of(const BoardModel& b, const std::vector<size_t>& rows, int c) {
    std::vector<std::wstring> out;
    for (size_t r : rows) out.push_back(list_cell(b.elements[r], r, c));
    return out;
}

}  // namespace

TEST(ListRows, CellTextsAndFormats) {
    BoardModel b;
    b.elements = {part(L"R1", L"0603", L"10k\u03A9", 12.3456),
                  part(L"C1", L"0805", L"1\u00B5F", -3.5, kSideBottom)};
    group_components(b);
    using Cells = std::vector<std::wstring>;
    const auto top = list_row_cells(b.elements[0], 0);
    EXPECT_EQ(Cells(top.begin(), top.end()), (Cells{L"R1", L"lib", L"0603", L"10k\u03A9", L"12.346", L"-3.086",
                                                    L"90.000", L"Top", L"1", L"1000", L"0"}));
    // A bottom component shows its bottom amount; the side text is the same in German.
    TextLanguage de(0);
    const auto bottom = list_row_cells(b.elements[1], 1);
    EXPECT_EQ(Cells(bottom.begin(), bottom.end()), (Cells{L"C1", L"lib", L"0805", L"1\u00B5F", L"-3.500",
                                                          L"0.875", L"180.000", L"Bottom", L"1", L"6001", L"1"}));
    EXPECT_EQ(list_cell(b.elements[0], 0, 11), L"");
    // Counts past the signed 32-bit range stay unsigned.
    b.elements[1].amount_bottom = 4000000000u;
    b.elements[1].group = 0xFFFFFFFFu;
    EXPECT_EQ(list_cell(b.elements[1], 1, kColAmount), L"4000000000");
    EXPECT_EQ(list_cell(b.elements[1], 1, kColGroup), L"4294967295");
    EXPECT_EQ(list_cell(b.elements[1], size_t{1} << 33, kColIndex), L"8589934592");

    // The export's UTF-8 cells are the list's texts, also where the short way for numbers
    // gives up: signs of zero, rounding, values past 1e15, infinity, non-ASCII texts.
    const double xs[] = {-0.0, 0.0005, -0.0005, 2.0005, 999999999999999.9, 1e15, -1e300,
                         HUGE_VAL, -HUGE_VAL, 1.0 / 3};
    for (double x : xs) {
        b.elements.push_back(part(L"😀é", L"p", L"", x, kSideBottom));
        b.elements.back().rotation = -x;
    }
    for (size_t r = 0; r < b.elements.size(); ++r) {
        for (int c = 0; c <= kListColumnCount; ++c) {
            std::string cell = "x";
            append_list_cell_utf8(cell, b.elements[r], r + 7, c);
            EXPECT_EQ(cell, "x" + wide_to_utf8(list_cell(b.elements[r], r + 7, c)))
                << "row " << r << " column " << c;
        }
    }
}

TEST(ListRows, TextColumnsSortOrdinallyNumberColumnsNumerically) {
    BoardModel b;
    b.elements = {part(L"A", L"p", L"22p", 10), part(L"B", L"p", L"1k", 9),
                  part(L"C", L"p", L"10k", 100), part(L"D", L"p", L"Z", -1),
                  part(L"E", L"p", L"a", 9)};
    std::vector<size_t> rows = {4, 3, 2, 1, 0};
    sort_list_rows(rows, b, kColValue);
    EXPECT_EQ(column_of(b, rows, kColValue),
              (std::vector<std::wstring>{L"10k", L"1k", L"22p", L"Z", L"a"}));
    sort_list_rows(rows, b, kColX);
    // 9.000 before 10.000; equal X keeps Index order (B before E).
    EXPECT_EQ(rows, (std::vector<size_t>{3, 1, 4, 0, 2}));
    sort_list_rows(rows, b, kColIndex);
    EXPECT_EQ(rows, (std::vector<size_t>{0, 1, 2, 3, 4}));

    EXPECT_EQ(compare_list_cells(L"9.000", L"10.000", kColX), -1);
    EXPECT_EQ(compare_list_cells(L"9.000", L"10.000", kColName), 1);
    EXPECT_EQ(compare_list_cells(L"-2.5", L"-10", kColY), 1);
    EXPECT_EQ(compare_list_cells(L"1e3", L"999", kColGroup), 1);
    EXPECT_EQ(compare_list_cells(L"x", L"0", kColAmount), 0);  // no number reads as 0
    EXPECT_EQ(compare_list_rows(b, 1, 4, kColX), 0);
    EXPECT_EQ(compare_list_rows(b, 1, 4, kColName), -1);
}

TEST(ListRows, SortByKeysMatchesTheCellComparisonOnEveryColumn) {
    // The sort makes each row's key once; the order must stay the one the cell comparison and
    // the Index tie-break give: ties, signs, fractions, non-BMP texts and long texts.
    const std::wstring head(99, L'v');
    BoardModel b;
    b.elements = {part(L"R10", L"p", L"\U0001F600", 2.5), part(L"R9", L"q", L"\uFF01", -2.5),
                  part(L"C1", L"p", (head + L"b").c_str(), 0), part(L"C1", L"p", (head + L"a").c_str(), -0.0),
                  part(L"U1", L"q", L"10k", 1e6, kSideBottom), part(L"R10", L"p", L"1k", 2.5),
                  part(L"", L"p", L"", -1e-4, kSideBottom), part(L"X", L"q", L"10k", 0.0005)};
    group_components(b);
    for (int column = 0; column < kListColumnCount; ++column) {
        std::vector<size_t> rows = {7, 5, 3, 1, 0, 2, 4, 6};
        std::vector<size_t> expected = {0, 1, 2, 3, 4, 5, 6, 7};
        std::stable_sort(expected.begin(), expected.end(), [&](size_t x, size_t y) {
            return compare_list_rows(b, x, y, column) < 0;
        });
        sort_list_rows(rows, b, column);
        EXPECT_EQ(rows, expected) << "column " << column;
    }
}

TEST(ListRows, OrdinalCompareUsesUtf16UnitsAndTheFirst99) {
    // U+FF01 is above every surrogate unit, U+1F600 is a surrogate pair (0xD83D ...).
    EXPECT_EQ(compare_cell_text(L"\uFF01", L"\U0001F600"), 1);
    EXPECT_EQ(compare_cell_text(L"B", L"a"), -1);
    EXPECT_EQ(compare_cell_text(L"ab", L"abc"), -1);
    const std::wstring head(99, L'x');
    EXPECT_EQ(compare_cell_text(head + L"a", head + L"b"), 0);
    EXPECT_EQ(compare_cell_text(head.substr(1) + L"a", head.substr(1) + L"b"), -1);
}

TEST(ListRows, CounterLineInBothLanguages) {
    BoardModel b;
    b.elements = {part(L"R1", L"p", L"v", 0), part(L"R2", L"p", L"v", 0),
                  part(L"R3", L"p", L"v", 0, kSideBottom)};
    b.marks.assign({2, 0, 1});
    {
        TextLanguage en(1);
        EXPECT_EQ(placed_counter_text(b),
                  L"  Placed: Total 2 of 3     TOP 1 of 2     BOTTOM 1 of 1");
    }
    TextLanguage de(0);
    b.marks.assign({});  // before the states are made, nothing counts as placed
    EXPECT_EQ(placed_counter_text(b),
              L"  Best\u00FCckt: Gesamt 0 von 3     Oben 0 von 2     Unten 0 von 1");
}

TEST(BomRows, OneRowPerPairOverBothSidesInFirstOrder) {
    BoardModel b;
    b.elements = {part(L"R1", L"0603", L"10k", 0, kSideTop, L"rcl"),
                  part(L"C1", L"0603", L"100n", 0, kSideBottom, L"rcl"),
                  part(L"R2", L"0603", L"10k", 0, kSideBottom, L"other"),
                  part(L"R3", L"0603", L"10K", 0),
                  part(L"C2", L"0603", L"100n", 0)};
    const auto rows = bom_rows(b);
    std::vector<std::wstring> cells;
    for (const BomRow& r : rows)
        cells.push_back(bom_cell(r, 0) + L"|" + bom_cell(r, 1) + L"|" + bom_cell(r, 2) + L"|" + bom_cell(r, 3) +
                        L"|" + std::to_wstring(r.first));
    EXPECT_EQ(cells,
              (std::vector<std::wstring>{L"rcl|0603|10k|2|0", L"rcl|0603|100n|2|1", L"lib|0603|10K|1|3"}));
    EXPECT_TRUE(bom_rows(BoardModel{}).empty());
}

TEST(BomRows, SortedAsTheListsCompareCells) {
    const auto values = [](const std::vector<BomRow>& rows) {
        std::string out;
        for (const BomRow& r : rows) out += r.value + " ";
        return out;
    };
    std::vector<BomRow> sorted = {{"x", "9", "a", 10, 0}, {"y", "10", "b", 9, 1},
                                  {"z", "p", "c", 10, 2}};
    sort_bom_rows(sorted, 3);  // numeric, and stable for the two tens
    EXPECT_EQ(values(sorted), "b a c ");
    sort_bom_rows(sorted, 1);  // as text "10" comes before "9"
    EXPECT_EQ(values(sorted), "b a c ");
    sort_bom_rows(sorted, 0);
    EXPECT_EQ(values(sorted), "a b c ");
    sort_bom_rows(sorted, 4);  // no such column: all equal, the order stays
    EXPECT_EQ(values(sorted), "a b c ");

    // UTF-16 order, not the UTF-8 bytes': U+1F600 (a surrogate pair, 0xD83D...) before U+FF21.
    const std::string fullwidth_a = "\xEF\xBC\xA1", face = "\xF0\x9F\x98\x80";
    std::vector<BomRow> wide = {{"l", "p", fullwidth_a, 1, 0}, {"l", "p", face, 1, 1}};
    sort_bom_rows(wide, 2);
    EXPECT_EQ(wide[0].value, face);
}

namespace {
LocalTime fixed_time() { return LocalTime{2026, 3, 7, 9, 5}; }
}  // namespace

TEST(BomRows, DateLineFromTheClockSeam) {
    const ClockSource previous = set_clock_source(fixed_time);
    EXPECT_EQ(bom_date_text(local_time_now()), L"07.03.2026  09:05");
    set_clock_source(previous);
    const LocalTime now = local_time_now();
    EXPECT_GE(now.year, 2020);
    EXPECT_GE(now.month, 1);
    EXPECT_LE(now.month, 12);
    EXPECT_EQ(bom_date_text(LocalTime{987, 12, 31, 23, 59}), L"31.12. 987  23:59");
}
