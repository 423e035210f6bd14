#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <type_traits>

#include "support/recording_canvas.h"
#include "view/draw_board.h"
#include "view_fixture.h"

namespace tindral::test {
namespace {

using Args = std::vector<int32_t>;

std::vector<Args> args_of(const RecordingCanvas& c, CallKind k) {
    std::vector<Args> out;
    for (const DrawCall& d : c.of(k)) out.push_back(d.args);
    return out;
}

bool near_args(const Args& a, const Args& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::abs(int64_t{a[i]} - b[i]) > 1) return false;
    return true;
}

RecordingCanvas draw_one(const BoardModel& b, const BoardView& v, const Settings& s, size_t i = 0) {
    RecordingCanvas c;
    ElementBox box;
    draw_element(c, b, v, s, i, box);
    return c;
}

TEST(DrawElement, TopElementPrimitivesAndTheLayersThatHideThem) {
    Settings s;
    BoardModel b = sample_board({element(L"R1", 10, 20, 90, kSideTop)});
    BoardView v = unit_view();
    v.scale = 2;
    v.origin_x = 5.5;  // half pixels keep the rotation's rounding noise away from truncation
    v.origin_y = 7.5;
    RecordingCanvas c = draw_one(b, v, s);
    // the straight wire (1,0)-(2,0) at R90 runs from (10,21) to (10,22)
    ASSERT_GE(c.calls.size(), 2u);
    EXPECT_EQ(c.calls[0].args, (Args{25, 49}));
    EXPECT_EQ(c.calls[1].args, (Args{25, 51}));
    // circle (1,0) r 0.5 and hole (1,0) drill 0.6, both about (10,21)
    EXPECT_EQ(args_of(c, CallKind::ellipse), (std::vector<Args>{{24, 48, 26, 50}, {24, 48, 26, 50}}));
    // one arc; not the wire on layer 99; four rectangle edges; the layer-1 polygon (layer 51 is
    // on) closed back to its first vertex; nothing for the polygon without vertices
    EXPECT_EQ(c.count(CallKind::arc), 1u);
    EXPECT_EQ(c.count(CallKind::move_to), 1u + 4u + 1u);
    EXPECT_EQ(c.count(CallKind::line_to), 1u + 4u + 3u);
    EXPECT_EQ(args_of(c, CallKind::line_to).back(), args_of(c, CallKind::move_to).back());

    // polygons follow layer 51 only, holes layer 45 only
    s.set_layer_enabled(51, false);
    s.set_layer_enabled(kLayerPolygon, true);
    EXPECT_EQ(draw_one(b, v, s).count(CallKind::line_to), 1u + 4u);
    s.set_layer_enabled(45, false);
    EXPECT_EQ(draw_one(b, v, s).count(CallKind::ellipse), 1u);
    // clearing the first two groups hides everything on layers below 64
    s.layer_groups[0] = s.layer_groups[1] = 0;
    EXPECT_TRUE(draw_one(b, v, s).calls.empty());
    s.set_layer_enabled(kLayerOff, true);
    EXPECT_EQ(draw_one(b, v, s).count(CallKind::line_to), 1u);
}

TEST(DrawElement, ArcOfAQuarterTurnTruncatesToTheKnownSquare) {
    Settings s;
    BoardModel b = sample_board({element(L"R1", 0, 0, 0, kSideTop)}, only_wires({wire(0, 0, 1, 1, 90)}));
    RecordingCanvas c;
    ElementBox box;
    draw_element(c, b, unit_view(), s, 0, box);
    // r a little above 1 and the centre a little off (0,1): truncation gives 0 0 2 2
    EXPECT_EQ(args_of(c, CallKind::arc), (std::vector<Args>{{0, 0, 2, 2, 0, 0, 1, 1}}));
    EXPECT_EQ(box, (ElementBox{0, 0, 2, 2}));  // E1 and E1 + (2r, 2r)
}

// Arc (0,0)-(10,10) then wire to (20,10): it bulges as its curve says and meets the wire.
TEST(DrawElement, ArcDirectionFollowsSideViewAndCurveSign) {
    Settings s;
    s.show_bottom_side = 1;
    const auto arc_of = [&](uint32_t side, double rotation, double curve, bool bottom_only) {
        BoardModel b = sample_board({element(L"X", 50, 50, rotation, side)},
                                    only_wires({wire(0, 0, 10, 10, curve), wire(10, 10, 20, 10)}));
        BoardView v = unit_view(200);
        v.bottom_only = bottom_only;
        const RecordingCanvas c = draw_one(b, v, s);
        EXPECT_EQ(c.count(CallKind::arc), 1u);
        const Args a = c.of(CallKind::arc)[0].args;
        // start, end, centre of the box, and where the straight wire starts
        return std::tuple{Args{a[4], a[5]}, Args{a[6], a[7]}, Args{(a[0] + a[2]) / 2, (a[1] + a[3]) / 2},
                          c.of(CallKind::move_to)[0].args};
    };
    struct Case {
        uint32_t side;
        double rotation, curve;
        bool bottom_only;
        Args from, to, centre;
    };
    const Case cases[] = {
        {kSideTop, 0, 90, false, {50, 50}, {60, 60}, {50, 60}},       // top: E1 to E2
        {kSideTop, 0, -90, false, {60, 60}, {50, 50}, {60, 50}},      // negative: E2 to E1
        {kSideBottom, 180, 90, false, {40, 60}, {50, 50}, {50, 60}},  // bottom: mirrored, E2 to E1
        {kSideBottom, 180, -90, false, {50, 50}, {40, 60}, {40, 50}},
        {kSideBottom, 270, 90, false, {60, 60}, {50, 50}, {60, 50}},  // MR90 turns with the lines
        {kSideBottom, 180, 90, true, {150, 50}, {160, 60}, {150, 60}},  // bottom only: E1 to E2
        {kSideBottom, 180, -90, true, {160, 60}, {150, 50}, {160, 50}},
    };
    for (const Case& k : cases) {
        const auto [from, to, centre, wire_start] = arc_of(k.side, k.rotation, k.curve, k.bottom_only);
        const std::string what = testing::PrintToString(std::tuple{k.side, k.rotation, k.curve, k.bottom_only});
        EXPECT_TRUE(near_args(from, k.from)) << what << testing::PrintToString(from);
        EXPECT_TRUE(near_args(to, k.to)) << what << testing::PrintToString(to);
        EXPECT_TRUE(near_args(centre, k.centre)) << what << testing::PrintToString(centre);
        // E2 is the package point (10,10), where the straight wire begins
        EXPECT_TRUE(near_args((k.curve > 0) == (k.side == kSideTop || k.bottom_only) ? to : from, wire_start))
            << what;
    }
}

// A mirrored element is rigid: every primitive lands where its wires put that point.
TEST(DrawElement, EveryPrimitiveOfABottomElementFollowsItsOutline) {
    Settings s;
    s.show_bottom_side = 1;
    PackageRec p = only_wires({wire(1, 0, 2, 0)});
    p.circles = {circle_at(1, 0, 0.5)};
    p.polygons = {PolygonRec{0, kLayerPolygon, {{1, 0}, {2, 0}, {2, 1}}}};
    p.holes = {HoleRec{1, 0, 1}};
    for (double rotation : {180.0, 270.0}) {
        BoardModel b = sample_board({element(L"B", 10, 20, rotation, kSideBottom)}, p);
        BoardView v = unit_view();
        v.scale = 10;
        v.origin_x = v.origin_y = 0.5;
        const RecordingCanvas c = draw_one(b, v, s);
        const Args wire_start = c.of(CallKind::move_to)[0].args;
        // MR0: (1,0) -> (9,20); MR90: (1,0) -> (10,21)
        EXPECT_EQ(wire_start, rotation == 180.0 ? (Args{90, 200}) : (Args{100, 210}));
        for (const Args& e : args_of(c, CallKind::ellipse))
            EXPECT_TRUE(near_args({(e[0] + e[2]) / 2, (e[1] + e[3]) / 2}, wire_start)) << rotation;
        EXPECT_EQ(c.count(CallKind::ellipse), 2u);
        EXPECT_TRUE(near_args(c.of(CallKind::move_to)[1].args, wire_start)) << rotation;
    }
}

TEST(DrawElement, HolesSitAtEachElementsOwnRotation) {
    Settings s;
    PackageRec p;
    p.name = "PKG";
    p.holes = {HoleRec{2, 0, 1}};
    // the placed centre in the shared package is the last element's (R0); A is at R90
    BoardModel b = sample_board({element(L"A", 20, 20, 90, kSideTop), element(L"B", 50, 20, 0, kSideTop)}, p);
    BoardView v = unit_view();
    v.origin_x = v.origin_y = 0.25;
    RecordingCanvas c;
    draw_elements(c, b, v, s);
    EXPECT_EQ(args_of(c, CallKind::ellipse), (std::vector<Args>{{19, 21, 20, 22}, {51, 19, 52, 20}}));
}

TEST(DrawElement, BottomOnlyViewMirrorsEveryXAcrossTheAreaWidth) {
    Settings s;
    s.show_top_side = 0;
    s.show_bottom_side = 1;
    PackageRec p = only_wires({wire(1, 0, 4, 2)});
    p.circles = {circle_at(2, 1, 0.5)};
    BoardModel b = sample_board({element(L"B", 30, 40, 180, kSideBottom)}, p);
    BoardView v = unit_view(300);
    v.scale = 3;
    v.origin_x = v.origin_y = 10.25;
    const RecordingCanvas plain = draw_one(b, v, s);
    v.bottom_only = true;
    const RecordingCanvas mirrored = draw_one(b, v, s);
    ASSERT_EQ(plain.calls.size(), 3u);
    ASSERT_EQ(mirrored.calls.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        const Args& a = plain.calls[i].args;
        Args flipped = a;
        for (size_t k = 0; k < a.size(); k += 2) flipped[k] = 300 - a[k];
        EXPECT_TRUE(near_args(mirrored.calls[i].args, flipped)) << i;
    }
}

TEST(DrawElements, PensBySideAndStateAndOneBoxRowPerElement) {
    Settings s;
    s.show_bottom_side = 1;
    // distinct colours, so that a swapped setting shows
    s.color_top_unselected = 1, s.color_top_curr_selection = 2, s.color_top_selected = 3;
    s.color_bottom_unselected = 4, s.color_bottom_curr_selection = 5,
    s.color_bottom_selected = 6;
    BoardModel b = sample_board({element(L"T", 10, 10, 0, kSideTop), element(L"B", 40, 10, 180, kSideBottom),
                                 element(L"G", 70, 10, 0, kSideTop), element(L"N", 90, 10, 0, kSideTop, L"NONE"),
                                 element(L"T2", 10, 40, 0, kSideTop), element(L"B2", 40, 40, 180, kSideBottom),
                                 element(L"B3", 70, 40, 180, kSideBottom)},
                                only_wires({wire(0, 0, 2, 0)}));
    b.marks.assign({1, 2, 3, 0, 2, 0, 1});
    BoardView v = unit_view();
    RecordingCanvas c;
    c.select_pen({PenRole::none, 0xABCDEF});
    draw_elements(c, b, v, s);

    // each line in its element's pen; N has no package and draws nothing
    const std::vector<Pen> expected = {{PenRole::top_current, 2},  {PenRole::bottom_selected, 6},
                                       {PenRole::grey, 0x505050},  {PenRole::top_selected, 3},
                                       {PenRole::bottom_unselected, 4}, {PenRole::bottom_current, 5}};
    const auto lines = c.of(CallKind::line_to);
    ASSERT_EQ(lines.size(), expected.size());
    for (size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i].pen, expected[i]) << i;
    EXPECT_EQ(c.pen(), (Pen{PenRole::none, 0xABCDEF}));  // the caller's pen again

    ASSERT_EQ(v.boxes.size(), b.elements.size());
    EXPECT_EQ(v.boxes[0], (ElementBox{10, 10, 12, 10}));
    for (size_t i = 0; i < v.boxes.size(); ++i) EXPECT_EQ(v.boxes[i].empty(), i == 3) << i;

    // hidden sides draw nothing and keep empty rows; the table is rebuilt, not appended to
    s.show_top_side = 0;
    draw_elements(c, b, v, s);
    ASSERT_EQ(v.boxes.size(), b.elements.size());
    EXPECT_TRUE(v.boxes[0].empty());
    EXPECT_FALSE(v.boxes[1].empty());
}

TEST(PaintBoard, PlainDrawingWithoutSidesAndNothingBeforeALoad) {
    Settings s;
    BoardModel b = sample_board({element(L"T", 10, 10, 0, kSideTop)}, only_wires({wire(0, 0, 2, 0)}));
    b.plain_wires = {wire(0, 0, 5, 0)};
    take_plain_extent(b);
    BoardView v = unit_view();
    s.show_top_side = 0;
    RecordingCanvas none;
    paint_board(none, b, v, s);
    EXPECT_EQ(none.count(CallKind::line_to), 1u);
    EXPECT_TRUE(v.boxes[0].empty());

    b.board_loaded = 0;
    RecordingCanvas unloaded;
    paint_board(unloaded, b, v, s);
    EXPECT_TRUE(unloaded.calls.empty());
}

TEST(DrawPlain, WiresArcsCirclesAndHolesInTheTopUnselectedPen) {
    Settings s;
    BoardModel b;
    b.plain_wires = {wire(0, 0, 10, 0), wire(0, 0, 10, 10, 90), wire(0, 0, 1, 1, 0, kLayerOff)};
    b.plain_circles = {circle_at(20, 20, 5)};
    b.plain_holes = {HoleRec{30, 30, 4}};
    take_plain_extent(b);
    BoardView v = unit_view(100);
    v.origin_x = v.origin_y = 0.5;

    RecordingCanvas c;
    draw_plain(c, b, v, s);
    for (const DrawCall& d : c.calls) EXPECT_EQ(d.pen.role, PenRole::top_unselected);
    EXPECT_EQ(args_of(c, CallKind::line_to), (std::vector<Args>{{10, 0}}));
    ASSERT_EQ(c.count(CallKind::arc), 1u);  // a curved plain wire is an arc too
    const Args a = c.of(CallKind::arc)[0].args;
    EXPECT_TRUE(near_args({a[4], a[5], a[6], a[7]}, {0, 0, 10, 10}));
    EXPECT_EQ(args_of(c, CallKind::ellipse), (std::vector<Args>{{15, 15, 25, 25}, {28, 28, 32, 32}}));

    // mirrored in the bottom-only view, the arc then running the other way
    v.bottom_only = true;
    RecordingCanvas m;
    draw_plain(m, b, v, s);
    EXPECT_EQ(args_of(m, CallKind::line_to), (std::vector<Args>{{89, 0}}));
    const Args ma = m.of(CallKind::arc)[0].args;
    EXPECT_TRUE(near_args({ma[4], ma[5], ma[6], ma[7]}, {89, 10, 99, 0}));
    EXPECT_EQ(args_of(m, CallKind::ellipse)[0], (Args{84, 15, 74, 25}));

    s.set_layer_enabled(45, false);
    RecordingCanvas no_holes;
    draw_plain(no_holes, b, v, s);
    EXPECT_EQ(no_holes.count(CallKind::ellipse), 1u);
}

// Drawing gets the marks read-only: a redraw cannot settle or change any of them.
static_assert(std::is_same_v<decltype(&redraw_element),
                             void (*)(Canvas&, const BoardModel&, const BoardView&, const Settings&,
                                      size_t, int32_t)>);
static_assert(std::is_same_v<decltype(&draw_elements),
                             void (*)(Canvas&, const BoardModel&, BoardView&, const Settings&)>);

TEST(RedrawElement, DrawsTheDemotedComponentThenTheChosenOneInTheirStates) {
    Settings s;
    BoardModel b = sample_board({element(L"A", 10, 10, 0, kSideTop), element(L"B", 40, 10, 0, kSideTop)},
                                only_wires({wire(0, 0, 2, 0)}));
    BoardView v = unit_view();
    for (uint32_t leave : {1u, 0u}) {
        s.leave_selected = leave;
        b.marks.reset(2);
        int32_t last_row = -1;
        b.marks.toggle(0, 0, leave != 0, last_row);
        b.marks.settle_previous(0, leave != 0);
        b.marks.toggle(1, 1, leave != 0, last_row);  // A was current; the list has just made B current
        const int32_t demoted = b.marks.settle_previous(1, leave != 0);
        EXPECT_EQ(demoted, 0);
        const std::vector<uint32_t> before = b.marks.states();
        RecordingCanvas c;
        redraw_element(c, b, v, s, 1, demoted);
        EXPECT_EQ(b.marks.states(), before);
        const auto lines = c.of(CallKind::line_to);
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0].pen.role, leave ? PenRole::top_selected : PenRole::top_unselected);
        EXPECT_EQ(lines[0].args, (Args{12, 10}));
        EXPECT_EQ(lines[1].pen.role, PenRole::top_current);
        // choosing B again keeps it current and touches nobody else
        RecordingCanvas again;
        redraw_element(again, b, v, s, 1, b.marks.settle_previous(1, leave != 0));
        EXPECT_EQ(again.count(CallKind::line_to), 1u);
    }
}

TEST(DrawHelpers, FarZoomStaysInsideThe32BitRange) {
    EXPECT_EQ(to_logical(-2.9), -2);
    EXPECT_EQ(to_logical(1e12), 2147483647);
    EXPECT_EQ(to_logical(-1e12), -2147483647 - 1);
    EXPECT_EQ(to_logical(std::nan("")), 0);

    Settings s;
    BoardModel b = sample_board({element(L"A", 10, 10, 0, kSideTop)}, only_wires({wire(0, 0, 2, 0, 90)}));
    BoardView v = unit_view();
    v.scale = 1e11;
    RecordingCanvas c;
    draw_elements(c, b, v, s);
    EXPECT_EQ(c.count(CallKind::arc), 1u);
    EXPECT_EQ(v.boxes[0].max_x, 2147483647);
}

}  // namespace
}  // namespace tindral::test
