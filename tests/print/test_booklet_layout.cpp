// The booklet's pages: the parts of each, where long groups break, and what a page draws.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "board/utf8.h"
#include "model/grouping.h"
#include "print/booklet_layout.h"
#include "support/language_guard.h"
#include "support/recording_canvas.h"
#include "view/draw_board.h"
#include "view/view_fixture.h"

namespace tindral::test {
namespace {

ElementRec part(const std::wstring& name, double x, const wchar_t* value, uint32_t side) {
    ElementRec e = element(name.c_str(), x, 0, 0, side);
    e.value = wide_to_utf8(value);
    return e;
}

// 1k: R1 R3 on top, R2 below; 100n: C1 and C10..C29 on top; 10u: C2 on top.
BoardModel booklet_board() {
    std::vector<ElementRec> parts = {part(L"R1", 0, L"1k", kSideTop), part(L"R2", 4, L"1k", kSideBottom),
                                     part(L"C1", 8, L"100n", kSideTop), part(L"R3", 12, L"1k", kSideTop),
                                     part(L"C2", 16, L"10u", kSideTop)};
    for (int i = 10; i < 30; ++i) parts.push_back(part(L"C" + std::to_wstring(i), 4.0 * i, L"100n", kSideTop));
    BoardModel b = sample_board({});
    b.elements = parts;
    place_all_elements(b);
    b.board_width = std::abs(b.extent.max_x - b.extent.min_x);
    b.board_height = std::abs(b.extent.max_y - b.extent.min_y);
    b.marks.assign(std::vector<uint32_t>(b.elements.size(), 0));
    group_components(b);
    return b;
}

std::vector<std::wstring> names_of(const BoardModel& b, const BookletGroup& g) {
    std::vector<std::wstring> out;
    for (size_t i : g.parts) out.push_back(utf8_to_wide(b.elements[i].name));
    return out;
}

TEST(BookletPages, GroupsPerSideInTheOrderOfTheBillOfMaterials) {
    const BoardModel b = booklet_board();
    const std::vector<BookletGroup> both = booklet_groups(b, true, true);
    ASSERT_EQ(both.size(), 4u);
    EXPECT_EQ(names_of(b, both[0]), (std::vector<std::wstring>{L"R1", L"R3"}));
    EXPECT_EQ(both[1].parts.size(), 21u);
    EXPECT_EQ(b.elements[both[1].parts.front()].name, "C1");
    EXPECT_EQ(names_of(b, both[2]), (std::vector<std::wstring>{L"C2"}));
    EXPECT_EQ(both[3].side, kSideBottom);
    EXPECT_EQ(names_of(b, both[3]), (std::vector<std::wstring>{L"R2"}));
    for (size_t g = 0; g < 3; ++g) EXPECT_EQ(both[g].side, kSideTop);

    EXPECT_EQ(booklet_groups(b, true, false).size(), 3u);
    const std::vector<BookletGroup> bottom = booklet_groups(b, false, true);
    ASSERT_EQ(bottom.size(), 1u);
    EXPECT_EQ(names_of(b, bottom[0]), (std::vector<std::wstring>{L"R2"}));
    EXPECT_TRUE(booklet_groups(b, false, false).empty());
}

TEST(BookletPages, LongGroupGoesOnOverTheNextPagesWithItsTitle) {
    TextLanguage english(1);
    const BoardModel b = booklet_board();
    const Booklet booklet = make_booklet(b, true, false, 8);
    // 2 parts, 21 parts (8 + 8 + 5), 1 part.
    ASSERT_EQ(booklet.pages.size(), 5u);
    const std::vector<size_t> firsts = {0, 0, 8, 16, 0}, rows = {2, 8, 8, 5, 1}, groups = {0, 1, 1, 1, 2};
    for (size_t p = 0; p < 5; ++p) {
        EXPECT_EQ(booklet.pages[p].first_row, firsts[p]) << p;
        EXPECT_EQ(booklet.pages[p].rows, rows[p]) << p;
        EXPECT_EQ(booklet.pages[p].group, groups[p]) << p;
    }
    EXPECT_EQ(booklet_title(booklet, 1, L"x.brd"), L"x.brd - Top - Group 2 of 3");
    EXPECT_EQ(booklet_title(booklet, 3, L"x.brd"), L"x.brd - Top - Group 2 of 3 (continued)");
    // The amount stands on the group's first row only, not on its continuation.
    EXPECT_EQ(booklet_row_cells(b, booklet, 1, 0), (std::vector<std::wstring>{L"C1", L"100n", L"PKG", L"21"}));
    EXPECT_EQ(booklet_row_cells(b, booklet, 2, 0), (std::vector<std::wstring>{L"C17", L"100n", L"PKG", L""}));

    TextLanguage german(0);
    EXPECT_EQ(booklet_title(make_booklet(b, false, true, 8), 0, L"x.brd"), L"x.brd - Unten - Gruppe 1 von 1");
}

// The preview, the printer (A4 in 0.01 mm, its 5 mm font) and the SVG pages break alike.
TEST(BookletPages, EveryPageSizeOfOneShapeHoldsTheSameRows) {
    const PageFrame printer = booklet_frame(21000, 29700);
    EXPECT_EQ(printer.text_height, 500);
    const size_t rows = booklet_rows_per_page(printer);
    EXPECT_GE(rows, 10u);
    for (int32_t scale : {2, 5, 10, 20}) {
        SCOPED_TRACE(scale);
        EXPECT_EQ(booklet_rows_per_page(booklet_frame(210 * scale, 297 * scale)), rows);
    }
    EXPECT_EQ(booklet_rows_per_page(booklet_frame(1, 1)), 1u);  // never none
}

class BookletDrawing : public ::testing::Test {
protected:
    void SetUp() override { board_ = booklet_board(); }

    // The calls of one element drawn alone, to count what the page drew for each part.
    size_t calls_per_part() {
        RecordingCanvas c;
        BoardView v = unit_view();
        ElementBox box;
        draw_element(c, board_, v, settings_, 0, box);
        return c.calls.size();
    }

    TextLanguage english_{1};
    BoardModel board_;
    Settings settings_;
    const PageFrame frame_ = booklet_frame(2100, 2970);
    const int32_t x_ = 5000, y_ = -3000;  // where the page lies on the canvas
};

TEST_F(BookletDrawing, GroupInTheCurrentPenTheOthersGreyAllInsideTheDrawingArea) {
    const Booklet booklet = make_booklet(board_, true, true, booklet_rows_per_page(frame_));
    RecordingCanvas c;
    draw_booklet_page(c, board_, settings_, booklet, 0, frame_, x_, y_, L"x.brd");  // 1k on top

    const size_t per_part = calls_per_part();
    ASSERT_GT(per_part, 0u);
    size_t current = 0, grey = 0;
    for (const DrawCall& call : c.calls) {
        if (call.pen.role == PenRole::top_current) ++current;
        else if (call.pen.role == PenRole::grey) ++grey;
        else EXPECT_EQ(call.pen, (Pen{PenRole::none, 0})) << static_cast<int>(call.kind);
        if (call.pen.role == PenRole::none) continue;
        // The drawing keeps to the page's upper part, inside the side margins.
        for (size_t k = 0; k < call.args.size(); k += 2) {
            EXPECT_GE(call.args[k], x_ + frame_.width / 20);
            EXPECT_LE(call.args[k], x_ + frame_.width - frame_.width / 20);
            EXPECT_GE(call.args[k + 1], y_ + frame_.height * 2 / 5);
            EXPECT_LE(call.args[k + 1], y_ + frame_.height);
        }
    }
    EXPECT_EQ(current, 2 * per_part);  // R1 and R3
    EXPECT_EQ(grey, 22 * per_part);    // the other parts on top; R2 below is not drawn
    EXPECT_EQ(c.pen(), Pen{});         // the canvas's pen given back

    // The bottom page: R2 in the bottom side's current pen, nothing of the top.
    RecordingCanvas bottom;
    draw_booklet_page(bottom, board_, settings_, booklet, booklet.pages.size() - 1, frame_, 0, 0, L"x.brd");
    size_t bottom_current = 0;
    for (const DrawCall& call : bottom.calls) {
        bottom_current += call.pen.role == PenRole::bottom_current;
        EXPECT_NE(call.pen.role, PenRole::top_current);
        EXPECT_NE(call.pen.role, PenRole::grey);  // no other part on the bottom
    }
    EXPECT_EQ(bottom_current, per_part);
}

TEST_F(BookletDrawing, TitleColumnsAndOneRowWithItsBoxPerPart) {
    const Booklet booklet = make_booklet(board_, true, false, 8);
    RecordingCanvas c;
    draw_booklet_page(c, board_, settings_, booklet, 2, frame_, x_, y_, L"x.brd");  // C17..C24 go on

    std::vector<std::wstring> texts;
    for (const DrawCall& call : c.of(CallKind::text)) texts.push_back(call.text);
    std::vector<std::wstring> expected = {L"x.brd - Top - Group 2 of 3 (continued)", L"Name", L"Value",
                                          L"Package", L"Amount"};
    for (int i = 17; i < 25; ++i)
        for (const std::wstring& cell : {L"C" + std::to_wstring(i), std::wstring(L"100n"), std::wstring(L"PKG"), std::wstring()})
            expected.push_back(cell);
    EXPECT_EQ(texts, expected);

    // Rows go down the page, one text height apart at least, and the last stays above the foot.
    const std::vector<DrawCall> text_calls = c.of(CallKind::text);
    for (size_t r = 1; r < 8; ++r)
        EXPECT_LE(text_calls[5 + 4 * r].args[1], text_calls[5 + 4 * (r - 1)].args[1] - frame_.text_height);
    EXPECT_GT(text_calls.back().args[1] - frame_.text_height, y_);

    // In ink: the rule under the column titles and a closed square per row at the right.
    std::vector<DrawCall> ink;
    for (const DrawCall& call : c.calls)
        if (call.pen.role == PenRole::none && call.kind != CallKind::text) ink.push_back(call);
    ASSERT_EQ(ink.size(), 2u + 8u * 5u);
    for (size_t r = 0; r < 8; ++r) {
        const DrawCall& start = ink[2 + 5 * r];
        ASSERT_EQ(start.kind, CallKind::move_to);
        EXPECT_EQ(ink[2 + 5 * r + 4].args, start.args);  // closed
        int32_t min_x = start.args[0], max_x = start.args[0], min_y = start.args[1], max_y = start.args[1];
        for (size_t k = 1; k < 5; ++k) {
            min_x = std::min(min_x, ink[2 + 5 * r + k].args[0]);
            max_x = std::max(max_x, ink[2 + 5 * r + k].args[0]);
            min_y = std::min(min_y, ink[2 + 5 * r + k].args[1]);
            max_y = std::max(max_y, ink[2 + 5 * r + k].args[1]);
        }
        EXPECT_EQ(max_x - min_x, frame_.text_height);
        EXPECT_EQ(max_y - min_y, frame_.text_height);
        EXPECT_LE(max_x, x_ + frame_.width);
        EXPECT_EQ(max_y, text_calls[5 + 4 * r].args[1]);  // beside its row
    }
}

TEST_F(BookletDrawing, LongCellsAreCutToTheirColumn) {
    board_.elements[2].value = std::string(80, 'V');  // C1 alone in its group now
    group_components(board_);
    const Booklet booklet = make_booklet(board_, true, false, 8);
    RecordingCanvas c;
    size_t page = 0;
    while (booklet.groups[booklet.pages[page].group].parts.front() != 2) ++page;
    draw_booklet_page(c, board_, settings_, booklet, page, frame_, 0, 0, L"x.brd");
    const std::vector<DrawCall> texts = c.of(CallKind::text);
    ASSERT_GE(texts.size(), 7u);
    const std::wstring& value = texts[6].text;
    EXPECT_LT(value.size(), 30u);
    EXPECT_EQ(value.back(), L'\u2026');
    // Its column ends where the next begins.
    const int32_t room = texts[7].args[0] - texts[6].args[0];
    EXPECT_LE(static_cast<int32_t>(value.size()) * frame_.text_height / 2, room);
}

}  // namespace
}  // namespace tindral::test
