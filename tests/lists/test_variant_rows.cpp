// A variant choice on list, BOM, counter and drawing; the marks stay one per element.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board/utf8.h"
#include "lists/bom_rows.h"
#include "lists/list_rows.h"
#include "model/variants.h"
#include "selection/selection_format.h"
#include "support/board_folders.h"
#include "support/recording_canvas.h"
#include "view/draw_board.h"
#include "../view/view_fixture.h"

namespace tindral::test {
namespace {

BoardModel v1() {
    BoardModel b;
    EXPECT_TRUE(load_board_file(own_board(L"v1-variants.brd"), b));
    return b;
}

// "name value amount" of the rows of both sides in the default order.
std::vector<std::wstring> rows_of(const BoardModel& b) {
    std::vector<size_t> rows = shown_list_rows(b, true, true);
    sort_list_rows(rows, b, kColGroup);
    std::vector<std::wstring> out;
    for (size_t r : rows)
        out.push_back(list_cell(b.elements[r], r, kColName) + L" " + list_cell(b.elements[r], r, kColValue) +
                      L" " + list_cell(b.elements[r], r, kColAmount));
    return out;
}

std::vector<std::wstring> bom_of(const BoardModel& b) {
    std::vector<std::wstring> out;
    for (const BomRow& r : bom_rows(b))
        out.push_back(utf8_to_wide(r.package + " " + r.value + " ") + bom_cell(r, 3));
    return out;
}

using Texts = std::vector<std::wstring>;

TEST(VariantRows, ListBomAndCounterFollowTheChosenVariant) {
    BoardModel b = v1();
    ASSERT_EQ(b.chosen_variant, 0);
    // proto: R2 not fitted; C1 and C2 are one group of two.
    EXPECT_EQ(rows_of(b), (Texts{L"R1 10k 1", L"C1 100nF 2", L"C2 100nF 0", L"U1 LM358 1"}));
    EXPECT_EQ(bom_of(b), (Texts{L"R0603 10k 1", L"C0805 100nF 2", L"SO8 LM358 1"}));
    MarkCounts c = b.marks.count(b.elements);
    EXPECT_EQ(c.total, 4u);
    EXPECT_EQ(c.top, 3u);
    EXPECT_EQ(c.bottom, 1u);

    choose_variant(b, find_variant(b, L"full"));
    // C2's 1uF makes it a group of its own, in the list and the BOM.
    EXPECT_EQ(rows_of(b), (Texts{L"R1 10k 2", L"R2 10k 0", L"C1 100nF 1", L"C2 1uF 1", L"U1 LM358 1"}));
    EXPECT_EQ(bom_of(b), (Texts{L"R0603 10k 2", L"C0805 100nF 1", L"C0805 1uF 1", L"SO8 LM358 1"}));
    EXPECT_EQ(b.marks.count(b.elements).total, 5u);

    choose_variant(b, find_variant(b, L"lite"));
    EXPECT_EQ(rows_of(b), (Texts{L"R1 10k 2", L"R2 10k 0", L"C2 100nF 1"}));  // C2's own value again
    EXPECT_EQ(bom_of(b), (Texts{L"R0603 10k 2", L"C0805 100nF 1"}));
    c = b.marks.count(b.elements);
    EXPECT_EQ(c.total, 3u);
    EXPECT_EQ(c.bottom, 0u);

    // Back to the file's current one: as loaded.
    choose_variant(b, b.current_variant);
    EXPECT_EQ(rows_of(b), (Texts{L"R1 10k 1", L"C1 100nF 2", L"C2 100nF 0", L"U1 LM358 1"}));
    // A name the board does not have is -1: the element's own attributes, as without variants.
    EXPECT_EQ(find_variant(b, L"Full"), -1);
}

TEST(VariantRows, MarksStayPerElementAndCountOnlyFittedParts) {
    BoardModel b = v1();
    int32_t last_row = -1;
    b.marks.toggle(0, 0, true, last_row);  // R1
    b.marks.toggle(2, 1, true, last_row);  // C1
    b.marks.toggle(4, 3, true, last_row);  // U1
    const std::string saved = encode_states(b.marks.states());
    EXPECT_EQ(placed_counter_text(b), L"  Placed: Total 3 of 4     TOP 2 of 3     BOTTOM 1 of 1");

    choose_variant(b, find_variant(b, L"lite"));  // C1 and U1 out: their marks wait
    EXPECT_EQ(placed_counter_text(b), L"  Placed: Total 1 of 3     TOP 1 of 3     BOTTOM 0 of 0");
    EXPECT_EQ(encode_states(b.marks.states()), saved);
    EXPECT_EQ(b.marks.size(), 5u);
    choose_variant(b, find_variant(b, L"full"));
    EXPECT_EQ(placed_counter_text(b), L"  Placed: Total 3 of 5     TOP 2 of 4     BOTTOM 1 of 1");
    EXPECT_EQ(encode_states(b.marks.states()), saved);
}

TEST(VariantDrawing, PartsNotFittedGreyAndNotClickable) {
    Settings s;
    BoardModel b = sample_board({element(L"R1", 10, 20, 0, kSideTop), element(L"R2", 40, 20, 0, kSideTop)});
    b.elements[1].own_populated = false;
    choose_variant(b, -1);
    b.marks.assign({kStateSelected, kStateSelected});  // even a marked part stays grey
    BoardView v = unit_view();
    RecordingCanvas c;
    draw_elements(c, b, v, s);
    ASSERT_EQ(v.boxes.size(), 2u);
    EXPECT_FALSE(v.boxes[0].empty());
    EXPECT_TRUE(v.boxes[1].empty());  // hit_test cannot find it
    size_t grey = 0, other = 0;
    for (const DrawCall& d : c.calls) (d.pen.role == PenRole::grey ? grey : other)++;
    // Both outlines are drawn alike, one grey, one in the top side's "selected" pen.
    EXPECT_GT(grey, 0u);
    EXPECT_EQ(grey, other);
    for (const DrawCall& d : c.calls) {
        if (d.pen.role != PenRole::grey) {
            EXPECT_EQ(d.pen.role, PenRole::top_selected);
        }
    }
    EXPECT_EQ(part_pen(b, 1, s).colour, kGreyPenColour);
    // A click on R1's middle finds it; the same spot of R2, 30 mm to the right, finds nothing.
    const int32_t x = (v.boxes[0].min_x + v.boxes[0].max_x) / 2;
    const int32_t up = (v.boxes[0].min_y + v.boxes[0].max_y) / 2;
    EXPECT_EQ(hit_test(v.boxes, x, 200 - up, 200), std::vector<uint32_t>{0});
    EXPECT_TRUE(hit_test(v.boxes, x + 30, 200 - up, 200).empty());
}

}  // namespace
}  // namespace tindral::test
