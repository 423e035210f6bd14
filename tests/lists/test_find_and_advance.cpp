// The bench flow on its own: find filter, place-and-next, found outline, keeping parts in view.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board/utf8.h"
#include "lists/find_filter.h"
#include "lists/list_rows.h"
#include "selection/marks.h"
#include "support/recording_canvas.h"
#include "view/board_view.h"
#include "view/found_outline.h"

using namespace tindral;

namespace {

ElementRec part(const wchar_t* name, const wchar_t* package, const wchar_t* value) {
    ElementRec e;
    e.name = wide_to_utf8(name);
    e.library = "LIB";
    e.package = wide_to_utf8(package);
    e.value = wide_to_utf8(value);
    return e;
}

BoardModel board_of(std::vector<ElementRec> elements) {
    BoardModel b = make_empty_board();
    b.elements = std::move(elements);
    b.board_loaded = 1;
    return b;
}

}  // namespace

TEST(FindFilter, MatchesNameValueOrPackageWithoutCaseAndKeepsTheOrder) {
    const BoardModel b = board_of({part(L"R1", L"R0603", L"10k"), part(L"C12", L"C0805", L"2.2\u00B5F"),
                                   part(L"U3", L"SOIC-8", L"ATtiny85"), part(L"R20", L"R0805", L"4\u03A97"),
                                   part(L"\u00C4RGER", L"X", L"")});
    const std::vector<size_t> rows = {4, 3, 2, 1, 0};  // an order of the user's sort
    EXPECT_EQ(filter_rows(b, rows, L""), rows);
    EXPECT_EQ(filter_rows(b, rows, L"r"), (std::vector<size_t>{4, 3, 0}));     // names and packages
    EXPECT_EQ(filter_rows(b, rows, L"0805"), (std::vector<size_t>{3, 1}));     // packages
    EXPECT_EQ(filter_rows(b, rows, L"TINY"), (std::vector<size_t>{2}));        // values, any case
    EXPECT_EQ(filter_rows(b, rows, L"\u00B5f"), (std::vector<size_t>{1}));     // micro sign kept
    EXPECT_EQ(filter_rows(b, rows, L"4\u03C97"), (std::vector<size_t>{3}));    // Greek small omega
    EXPECT_EQ(filter_rows(b, rows, L"\u00E4rg"), (std::vector<size_t>{4}));    // Latin-1 umlaut
    EXPECT_TRUE(filter_rows(b, rows, L"zz").empty());
    // Library and index are not searched; only what the Name, Value and Package cells show.
    EXPECT_TRUE(filter_rows(b, rows, L"LIB").empty());
}

TEST(FindFilter, MatchFlagsAreEmptyWithoutTextAndOnePerElementWithIt) {
    const BoardModel b = board_of({part(L"R1", L"R0603", L"1k"), part(L"C1", L"C0603", L"1u")});
    EXPECT_TRUE(find_matches(b, L"").empty());
    EXPECT_EQ(find_matches(b, L"c0"), (std::vector<uint8_t>{0, 1}));
    EXPECT_EQ(fold_case(L"AZ\u00C0\u00DE\u00D7\u0100\u0139\u0178\u017D\u0391\u2126"),
              L"az\u00E0\u00FE\u00D7\u0101\u013A\u00FF\u017E\u03B1\u03C9");
}

TEST(PlaceAndNext, ThePlacedPartIsSelectedTheNextCurrentWhateverBothWere) {
    Marks m;
    m.reset(4);
    EXPECT_EQ(m.current(), -1);
    ASSERT_TRUE(m.advance(-1, 0));  // a run starts: nothing placed yet
    EXPECT_EQ(m.states(), (std::vector<uint32_t>{kStateCurrent, 0, 0, 0}));
    EXPECT_EQ(m.current(), 0);
    // Stepping onto a part placed before keeps it marked (a toggle would take the mark off).
    m.assign({kStateCurrent, kStateSelected, 0, 0});
    ASSERT_TRUE(m.advance(0, 1));
    EXPECT_EQ(m.states(), (std::vector<uint32_t>{kStateSelected, kStateCurrent, 0, 0}));
    EXPECT_EQ(m.current(), 1);
    // The choice settles the previous part no more: it is already placed.
    EXPECT_EQ(m.settle_previous(1, false), -1);
    // Out of range: nothing changes.
    EXPECT_FALSE(m.advance(1, 4));
    EXPECT_FALSE(m.advance(7, 2));
    EXPECT_EQ(m.states(), (std::vector<uint32_t>{kStateSelected, kStateCurrent, 0, 0}));
    // The last part of a run is placed with no next one; then nothing is current.
    ASSERT_TRUE(m.place(1));
    EXPECT_EQ(m.current(), -1);
    EXPECT_FALSE(m.place(4));
    EXPECT_EQ(m.count(std::vector<ElementRec>(4)).marked, 2u);
}

TEST(FoundOutline, ARectangleClearOfEveryFoundPartThatDrewSomething) {
    BoardView v;
    const ElementBox drawn{10, 20, 30, 40}, at_edge{INT32_MIN, 0, 5, INT32_MAX};
    v.boxes = {drawn, ElementBox{}, drawn, at_edge};
    test::RecordingCanvas none;
    outline_found(none, v, {});
    EXPECT_TRUE(none.calls.empty());

    test::RecordingCanvas c;
    outline_found(c, v, {1, 1, 0, 1});  // the second drew nothing, the third is not found
    ASSERT_EQ(c.count(test::CallKind::move_to), 2u);
    ASSERT_EQ(c.count(test::CallKind::line_to), 8u);
    const auto moves = c.of(test::CallKind::move_to);
    EXPECT_EQ(moves[0].args, (std::vector<int32_t>{7, 17}));
    const auto lines = c.of(test::CallKind::line_to);
    EXPECT_EQ(lines[1].args, (std::vector<int32_t>{33, 43}));
    EXPECT_EQ(lines[0].pen, (Pen{PenRole::found, kFoundPenColour}));
    // At the 32-bit edge the outline stops at the edge instead of wrapping round.
    EXPECT_EQ(moves[1].args, (std::vector<int32_t>{INT32_MIN, -3}));
    EXPECT_EQ(lines[5].args, (std::vector<int32_t>{8, INT32_MAX}));
    EXPECT_EQ(c.pen(), Pen{});  // the pen before is back
}

TEST(KeepInView, APartOutsideTheAreaIsCentredAndOneInsideLeftAlone) {
    BoardModel b = board_of({});
    b.board_width = 100, b.board_height = 50;
    b.extent.min_x = 0, b.extent.min_y = 0;
    BoardView v;
    v.area_width = 400, v.area_height = 200;
    fit_view(v, b, 400, 200, FitKind::load);
    const BoardView fitted = v;
    EXPECT_FALSE(centre_on_box(v, b, {10, 10, 50, 40}));  // inside
    EXPECT_FALSE(centre_on_box(v, b, ElementBox{}));  // drew nothing: nowhere to go
    EXPECT_EQ(v.origin_x, fitted.origin_x);

    // Partly off to the right and above: its middle comes to the area's middle.
    ASSERT_TRUE(centre_on_box(v, b, {380, 190, 420, 230}));
    EXPECT_DOUBLE_EQ(v.origin_x, fitted.origin_x - 200);
    EXPECT_DOUBLE_EQ(v.origin_y, fitted.origin_y - 110);
    EXPECT_DOUBLE_EQ(v.scale, fitted.scale);  // the zoom stays

    // In the mirrored bottom-only view the board moves the other way in board terms, and the
    // box still lands in the middle on the screen.
    BoardView m = fitted;
    m.bottom_only = true;
    const double before = logical_x(m, 10);
    ASSERT_TRUE(centre_on_box(m, b, {-60, 80, -20, 120}));
    EXPECT_DOUBLE_EQ(logical_x(m, 10) - before, 200 - (-40));
}
