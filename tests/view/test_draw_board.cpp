#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>

#include "support/recording_canvas.h"
#include "support/recording_port.h"
#include "support/settings_guard.h"
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

bool near_args(const Args& a, const Args& b, int32_t tolerance = 1) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::abs(int64_t{a[i]} - b[i]) > tolerance) return false;
    return true;
}

PackageRec only(std::vector<WireRec> wires, std::vector<CircleRec> circles = {}) {
    PackageRec p;
    p.name = L"PKG";
    p.wires = std::move(wires);
    p.circles = std::move(circles);
    return p;
}

WireRec wire(double x1, double y1, double x2, double y2, double curve = 0, int32_t layer = kLayerOutline) {
    WireRec w;
    w.x1 = x1, w.y1 = y1, w.x2 = x2, w.y2 = y2, w.curve = curve, w.layer = layer;
    return w;
}

TEST(DrawElement, TopElementPrimitivesLandWherePlacementAndMappingPutThem) {
    SettingsGuard settings;
    BoardModel b = sample_board({element(L"R1", 10, 20, 90, kSideTop)});
    BoardView v = unit_view();
    v.scale = 2;
    v.origin_x = 5.5;  // half pixels keep the rotation's rounding noise away from truncation
    v.origin_y = 7.5;
    RecordingCanvas c;
    ElementBox box;
    draw_element(c, b, v, g_settings, 0, box);

    // the straight wire (1,0)-(2,0) at R90 runs from (10,21) to (10,22)
    ASSERT_FALSE(c.calls.empty());
    EXPECT_EQ(c.calls[0].kind, CallKind::move_to);
    EXPECT_EQ(c.calls[0].args, (Args{25, 49}));
    EXPECT_EQ(c.calls[1].kind, CallKind::line_to);
    EXPECT_EQ(c.calls[1].args, (Args{25, 51}));
    // circle (1,0) r 0.5 and hole (1,0) drill 0.6, both about (10,21)
    EXPECT_EQ(args_of(c, CallKind::ellipse), (std::vector<Args>{{24, 48, 26, 50}, {24, 48, 26, 50}}));
    // one arc; the wire on layer 99 is not drawn; the rectangle's four edges; the polygon
    // (layer 1, drawn because layer 51 is on) closed back to its first vertex; the empty one not
    EXPECT_EQ(c.count(CallKind::arc), 1u);
    EXPECT_EQ(c.count(CallKind::move_to), 1u + 4u + 1u);
    EXPECT_EQ(c.count(CallKind::line_to), 1u + 4u + 3u);
    const auto lines = args_of(c, CallKind::line_to);
    const auto moves = args_of(c, CallKind::move_to);
    EXPECT_EQ(lines.back(), moves.back());  // polygon closed
}

TEST(DrawElement, LayersDecideWhatIsDrawnPolygonsByLayer51AndHolesByLayer45) {
    SettingsGuard settings;
    BoardModel b = sample_board({element(L"R1", 10, 20, 0, kSideTop)});
    const BoardView v = unit_view();
    const auto draw = [&] {
        RecordingCanvas c;
        ElementBox box;
        draw_element(c, b, v, g_settings, 0, box);
        return c;
    };

    // polygon on layer 1: drawn for layer 51 whatever layer 1 says
    g_settings.set_layer_enabled(kLayerPolygon, false);
    EXPECT_EQ(draw().count(CallKind::line_to), 1u + 4u + 3u);
    g_settings.set_layer_enabled(51, false);
    g_settings.set_layer_enabled(kLayerPolygon, true);
    EXPECT_EQ(draw().count(CallKind::line_to), 1u + 4u);

    // holes have no layer of their own: layer 45 alone decides
    EXPECT_EQ(draw().count(CallKind::ellipse), 2u);
    g_settings.set_layer_enabled(45, false);
    EXPECT_EQ(draw().count(CallKind::ellipse), 1u);

    // clearing the first two groups hides everything on layers below 64
    g_settings.layer_groups[0] = g_settings.layer_groups[1] = 0;
    EXPECT_TRUE(draw().calls.empty());
    g_settings.set_layer_enabled(kLayerOff, true);  // layer 99 is in group 3
    EXPECT_EQ(draw().count(CallKind::line_to), 1u);
}

TEST(DrawElement, ArcOfAQuarterTurnTruncatesToTheKnownSquare) {
    SettingsGuard settings;
    BoardModel b = sample_board({element(L"R1", 0, 0, 0, kSideTop)}, only({wire(0, 0, 1, 1, 90)}));
    RecordingCanvas c;
    ElementBox box;
    draw_element(c, b, unit_view(), g_settings, 0, box);
    ASSERT_EQ(c.count(CallKind::arc), 1u);
    // r a little above 1 and the centre a little off (0,1): truncation gives 0 0 2 2
    EXPECT_EQ(c.of(CallKind::arc)[0].args, (Args{0, 0, 2, 2, 0, 0, 1, 1}));
    // the box takes E1 and E1 + (2r, 2r)
    EXPECT_EQ(box, (ElementBox{0, 0, 2, 2}));
}

// Each case draws the same package; the arc must run so that it bulges the way the curve says.
TEST(DrawElement, ArcDirectionFollowsSideViewAndCurveSign) {
    SettingsGuard settings;
    g_settings.show_bottom_side = 1;
    const double ex = 50, ey = 50;
    const auto arc_of = [&](uint32_t side, double rotation, double curve, bool bottom_only) {
        BoardModel b = sample_board({element(L"X", ex, ey, rotation, side)},
                                    only({wire(0, 0, 10, 10, curve), wire(10, 10, 20, 10)}));
        BoardView v = unit_view(200);
        v.bottom_only = bottom_only;
        RecordingCanvas c;
        ElementBox box;
        draw_element(c, b, v, g_settings, 0, box);
        EXPECT_EQ(c.count(CallKind::arc), 1u);
        EXPECT_EQ(c.count(CallKind::line_to), 1u);
        // arc, then the straight wire's move and line
        return std::tuple{c.of(CallKind::arc)[0].args, c.of(CallKind::move_to)[0].args,
                          c.of(CallKind::line_to)[0].args};
    };

    // top, c > 0: from E1 (50,50) to E2 (60,60); c < 0: from E2 to E1
    const auto [top_pos, top_move, top_line] = arc_of(kSideTop, 0, 90, false);
    EXPECT_TRUE(near_args({top_pos[4], top_pos[5], top_pos[6], top_pos[7]}, {50, 50, 60, 60}));
    const auto [top_neg, unused1, unused1b] = arc_of(kSideTop, 0, -90, false);
    EXPECT_TRUE(near_args({top_neg[4], top_neg[5], top_neg[6], top_neg[7]}, {60, 60, 50, 50}));
    // the positive arc's centre lies left of the chord (about (50,60)), the negative one right
    EXPECT_NEAR((top_pos[0] + top_pos[2]) / 2.0, 50, 1);
    EXPECT_NEAR((top_pos[1] + top_pos[3]) / 2.0, 60, 1);
    EXPECT_NEAR((top_neg[0] + top_neg[2]) / 2.0, 60, 1);
    EXPECT_NEAR((top_neg[1] + top_neg[3]) / 2.0, 50, 1);

    // bottom (MR0), both sides: the mirror image of the top outline about the element's x,
    // drawn from E2 to E1 for c > 0; its end still meets the straight wire that follows it
    const auto [bot, bot_move, bot_line] = arc_of(kSideBottom, 180, 90, false);
    const auto mx = [&](int32_t x) { return static_cast<int32_t>(2 * ex) - x; };
    EXPECT_TRUE(near_args({bot[4], bot[5], bot[6], bot[7]}, {mx(60), 60, mx(50), 50}));
    EXPECT_NEAR((bot[0] + bot[2]) / 2.0, mx(50), 1);
    EXPECT_NEAR((bot[1] + bot[3]) / 2.0, 60, 1);
    EXPECT_EQ(bot_line[0], mx(top_line[0]));
    const auto [bot_neg, unused2, unused2b] = arc_of(kSideBottom, 180, -90, false);
    EXPECT_TRUE(near_args({bot_neg[4], bot_neg[5], bot_neg[6], bot_neg[7]}, {mx(50), 50, mx(60), 60}));

    // bottom, rotated (MR90): the arc turns with the element like its straight wires do
    const auto [rot, rot_move, rot_line] = arc_of(kSideBottom, 270, 90, false);
    // the straight wire (10,10)-(20,10) begins at E2, where this mirrored arc starts
    EXPECT_TRUE(near_args({rot[4], rot[5]}, rot_move));
    EXPECT_TRUE(near_args({rot[6], rot[7]}, {50, 50}));
    EXPECT_TRUE(near_args({bot[4], bot[5]}, bot_move));
    EXPECT_TRUE(near_args({top_pos[6], top_pos[7]}, top_move));

    // bottom-only view: mirrored twice, so like the top case around the mirrored origin
    const auto [only_pos, unused3, unused3b] = arc_of(kSideBottom, 180, 90, true);
    const int32_t ox = 200 - static_cast<int32_t>(ex);
    EXPECT_TRUE(near_args({only_pos[4], only_pos[5], only_pos[6], only_pos[7]}, {ox, 50, ox + 10, 60}));
    const auto [only_neg, unused4, unused4b] = arc_of(kSideBottom, 180, -90, true);
    EXPECT_TRUE(near_args({only_neg[4], only_neg[5], only_neg[6], only_neg[7]}, {ox + 10, 60, ox, 50}));
}

TEST(DrawElement, BottomOnlyViewMirrorsEveryXAcrossTheAreaWidth) {
    SettingsGuard settings;
    g_settings.show_top_side = 0;
    g_settings.show_bottom_side = 1;
    BoardModel b = sample_board({element(L"B", 30, 40, 180, kSideBottom)},
                                only({wire(1, 0, 4, 2)}, {CircleRec{2, 1, 0.5, 0, kLayerOutline}}));
    const auto draw = [&](bool bottom_only) {
        BoardView v = unit_view(300);
        v.scale = 3;
        v.origin_x = 10.25;
        v.origin_y = 20.25;
        v.bottom_only = bottom_only;
        RecordingCanvas c;
        ElementBox box;
        draw_element(c, b, v, g_settings, 0, box);
        return c;
    };
    const RecordingCanvas plain = draw(false), mirrored = draw(true);
    ASSERT_EQ(plain.calls.size(), mirrored.calls.size());
    ASSERT_EQ(plain.calls.size(), 3u);
    for (size_t i = 0; i < plain.calls.size(); ++i) {
        const Args& a = plain.calls[i].args;
        const Args& m = mirrored.calls[i].args;
        for (size_t k = 0; k < a.size(); ++k) {
            if (k % 2 == 0)
                EXPECT_NEAR(m[k], 300 - a[k], 1) << "call " << i << " arg " << k;
            else
                EXPECT_EQ(m[k], a[k]);
        }
    }
}

TEST(DrawElements, PensFollowSideAndStateAndTheBoxTableHasOneRowPerElement) {
    SettingsGuard settings;
    g_settings.show_bottom_side = 1;
    // distinct colours, so that a swapped setting shows
    g_settings.color_top_unselected = 0x000001;
    g_settings.color_top_curr_selection = 0x000002;
    g_settings.color_top_selected = 0x000003;
    g_settings.color_bottom_unselected = 0x000004;
    g_settings.color_bottom_curr_selection = 0x000005;
    g_settings.color_bottom_selected = 0x000006;
    BoardModel b = sample_board({element(L"T", 10, 10, 0, kSideTop), element(L"B", 40, 10, 180, kSideBottom),
                                 element(L"G", 70, 10, 0, kSideTop), element(L"N", 90, 10, 0, kSideTop, L"NONE"),
                                 element(L"T2", 10, 40, 0, kSideTop), element(L"B2", 40, 40, 180, kSideBottom),
                                 element(L"B3", 70, 40, 180, kSideBottom)},
                                only({wire(0, 0, 2, 0)}));
    b.selection = {1, 2, 3, 0, 2, 0, 1};
    BoardView v = unit_view();
    RecordingCanvas c;
    c.select_pen({PenRole::none, 0xABCDEF});
    draw_elements(c, b, v, g_settings);

    // each element's line in its own pen, in element order; N has no package and draws nothing
    const auto lines = c.of(CallKind::line_to);
    ASSERT_EQ(lines.size(), 6u);
    const std::vector<Pen> expected = {
        {PenRole::top_current, 2},       {PenRole::bottom_selected, 6}, {PenRole::grey, kGreyPenColour},
        {PenRole::top_selected, 3},      {PenRole::bottom_unselected, 4}, {PenRole::bottom_current, 5}};
    for (size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i].pen, expected[i]) << i;
    // the pen selected before is selected again at the end
    EXPECT_EQ(c.pen(), (Pen{PenRole::none, 0xABCDEF}));

    ASSERT_EQ(v.boxes.size(), b.elements.size());
    EXPECT_EQ(v.boxes[0], (ElementBox{10, 10, 12, 10}));
    EXPECT_TRUE(v.boxes[3].empty());
    for (size_t i = 0; i < v.boxes.size(); ++i) {
        if (i != 3) EXPECT_FALSE(v.boxes[i].empty()) << i;
    }

    // redrawing rebuilds the table instead of appending to it
    draw_elements(c, b, v, g_settings);
    EXPECT_EQ(v.boxes.size(), b.elements.size());
}

TEST(DrawElements, HiddenSidesDrawNothingAndKeepEmptyBoxes) {
    SettingsGuard settings;
    BoardModel b = sample_board({element(L"T", 10, 10, 0, kSideTop), element(L"B", 40, 10, 180, kSideBottom)},
                                only({wire(0, 0, 2, 0)}));
    b.plain_wires = {wire(0, 0, 5, 0)};
    take_plain_extent(b);
    BoardView v = unit_view();

    // defaults: top shown, bottom hidden
    RecordingCanvas c;
    draw_elements(c, b, v, g_settings);
    EXPECT_EQ(c.count(CallKind::line_to), 1u);
    EXPECT_FALSE(v.boxes[0].empty());
    EXPECT_TRUE(v.boxes[1].empty());

    // bottom only: top rows empty
    g_settings.show_top_side = 0;
    g_settings.show_bottom_side = 1;
    v.bottom_only = true;
    draw_elements(c, b, v, g_settings);
    EXPECT_TRUE(v.boxes[0].empty());
    EXPECT_FALSE(v.boxes[1].empty());

    // neither side: no element, but the plain drawing is still made
    g_settings.show_bottom_side = 0;
    RecordingCanvas none;
    paint_board(none, b, v, g_settings);
    EXPECT_EQ(none.count(CallKind::line_to), 1u);
    EXPECT_TRUE(v.boxes[0].empty() && v.boxes[1].empty());

    // nothing at all before a board is loaded
    b.board_loaded = 0;
    RecordingCanvas unloaded;
    paint_board(unloaded, b, v, g_settings);
    EXPECT_TRUE(unloaded.calls.empty());
}

TEST(DrawElement, HolesSitAtEachElementsOwnRotation) {
    SettingsGuard settings;
    g_settings.show_bottom_side = 1;
    PackageRec p;
    p.name = L"PKG";
    HoleRec h;
    h.x = 2, h.y = 0, h.drill = 1;
    p.holes = {h};
    // the package is shared; the element placed last rotates by 0, the first by 90
    BoardModel b = sample_board({element(L"A", 20, 20, 90, kSideTop), element(L"B", 50, 20, 0, kSideTop),
                                 element(L"C", 80, 20, 180, kSideBottom)},
                                p);
    BoardView v = unit_view();
    v.origin_x = v.origin_y = 0.25;
    RecordingCanvas c;
    draw_elements(c, b, v, g_settings);
    // A: R90 (2,0) -> (0,2) about (20,20); B: (52,20); C: bottom MR0, mirrored to (78,20)
    EXPECT_EQ(args_of(c, CallKind::ellipse),
              (std::vector<Args>{{19, 21, 20, 22}, {51, 19, 52, 20}, {77, 19, 78, 20}}));
}

// A mirrored element is one rigid picture: whatever the primitive, a package-local point lands
// where the straight wires put it, at MR0 and at MR90 alike.
TEST(DrawElement, EveryPrimitiveOfABottomElementFollowsItsOutline) {
    SettingsGuard settings;
    g_settings.show_bottom_side = 1;
    PackageRec p = only({wire(1, 0, 2, 0)}, {CircleRec{1, 0, 0.5, 0, kLayerOutline}});
    PolygonRec poly;
    poly.vertices = {{1, 0}, {2, 0}, {2, 1}};
    p.polygons = {poly};
    HoleRec h;
    h.x = 1, h.y = 0, h.drill = 1;
    p.holes = {h};
    for (double rotation : {180.0, 270.0}) {
        BoardModel b = sample_board({element(L"B", 10, 20, rotation, kSideBottom)}, p);
        BoardView v = unit_view();
        v.scale = 10;
        v.origin_x = v.origin_y = 0.5;
        RecordingCanvas c;
        ElementBox box;
        draw_element(c, b, v, g_settings, 0, box);
        const Args wire_start = c.of(CallKind::move_to)[0].args;
        // MR0: (1,0) -> (9,20); MR90: (1,0) -> (10,21)
        EXPECT_EQ(wire_start, rotation == 180.0 ? (Args{90, 200}) : (Args{100, 210}));
        const auto ellipses = args_of(c, CallKind::ellipse);
        ASSERT_EQ(ellipses.size(), 2u);
        for (const Args& e : ellipses) {
            EXPECT_NEAR((e[0] + e[2]) / 2.0, wire_start[0], 1) << rotation;
            EXPECT_NEAR((e[1] + e[3]) / 2.0, wire_start[1], 1) << rotation;
        }
        EXPECT_TRUE(near_args(c.of(CallKind::move_to)[1].args, wire_start)) << rotation;
    }
}

TEST(DrawPlain, PlainWiresCirclesAndHolesInTheTopUnselectedPen) {
    SettingsGuard settings;
    BoardModel b;
    b.plain_wires = {wire(0, 0, 10, 0), wire(0, 0, 10, 10, 90), wire(0, 0, 1, 1, 0, kLayerOff)};
    b.plain_circles = {CircleRec{20, 20, 5, 0, kLayerOutline}};
    HoleRec hole;
    hole.x = 30, hole.y = 30, hole.drill = 4;
    b.plain_holes = {hole};
    take_plain_extent(b);
    BoardView v = unit_view(100);
    v.origin_x = v.origin_y = 0.5;

    RecordingCanvas c;
    draw_plain(c, b, v, g_settings);
    for (const DrawCall& d : c.calls) EXPECT_EQ(d.pen.role, PenRole::top_unselected);
    EXPECT_EQ(args_of(c, CallKind::move_to), (std::vector<Args>{{0, 0}}));
    EXPECT_EQ(args_of(c, CallKind::line_to), (std::vector<Args>{{10, 0}}));
    // a curved plain wire is an arc, as in a package
    ASSERT_EQ(c.count(CallKind::arc), 1u);
    const Args a = c.of(CallKind::arc)[0].args;
    EXPECT_TRUE(near_args({a[4], a[5], a[6], a[7]}, {0, 0, 10, 10}));
    EXPECT_EQ(args_of(c, CallKind::ellipse), (std::vector<Args>{{15, 15, 25, 25}, {28, 28, 32, 32}}));

    // mirrored in the bottom-only view, the arc then running the other way
    v.bottom_only = true;
    RecordingCanvas m;
    draw_plain(m, b, v, g_settings);
    EXPECT_EQ(args_of(m, CallKind::line_to), (std::vector<Args>{{89, 0}}));
    const Args ma = m.of(CallKind::arc)[0].args;
    EXPECT_TRUE(near_args({ma[4], ma[5], ma[6], ma[7]}, {89, 10, 99, 0}));
    EXPECT_EQ(args_of(m, CallKind::ellipse)[0], (Args{84, 15, 74, 25}));

    g_settings.set_layer_enabled(45, false);
    RecordingCanvas no_holes;
    draw_plain(no_holes, b, v, g_settings);
    EXPECT_EQ(no_holes.count(CallKind::ellipse), 1u);
}

TEST(RedrawElement, SettlesThePreviousCurrentComponentByLeaveSelected) {
    SettingsGuard settings;
    BoardModel b = sample_board({element(L"A", 10, 10, 0, kSideTop), element(L"B", 40, 10, 0, kSideTop)},
                                only({wire(0, 0, 2, 0)}));
    BoardView v = unit_view();

    for (uint32_t leave : {1u, 0u}) {
        g_settings.leave_selected = leave;
        b.selection = {1, 1};  // A was current; the list has just made B current
        v.previous_current = 0;
        RecordingCanvas c;
        EXPECT_TRUE(redraw_element(c, b, v, g_settings, 1));
        EXPECT_EQ(b.selection[0], leave ? 2u : 0u);
        EXPECT_EQ(b.selection[1], 1u);
        const auto lines = c.of(CallKind::line_to);
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0].pen.role, leave ? PenRole::top_selected : PenRole::top_unselected);
        EXPECT_EQ(lines[0].args, (Args{12, 10}));
        EXPECT_EQ(lines[1].pen.role, PenRole::top_current);
        EXPECT_EQ(lines[1].args, (Args{42, 10}));
        EXPECT_EQ(v.previous_current, 1);

        // choosing B again keeps it current and touches nobody else
        RecordingCanvas again;
        EXPECT_FALSE(redraw_element(again, b, v, g_settings, 1));
        EXPECT_EQ(b.selection[1], 1u);
        EXPECT_EQ(again.count(CallKind::line_to), 1u);
    }

    // an unselected component drawn on its own leaves no previous current component
    b.selection = {2, 0};
    v.previous_current = 0;  // state 2, not current: stays as it is
    RecordingCanvas c;
    EXPECT_FALSE(redraw_element(c, b, v, g_settings, 1));
    EXPECT_EQ(b.selection[0], 2u);
    EXPECT_EQ(v.previous_current, -1);
}

TEST(DrawHelpers, FarZoomStaysInsideThe32BitRange) {
    EXPECT_EQ(to_logical(-2.9), -2);
    EXPECT_EQ(to_logical(2.9), 2);
    EXPECT_EQ(to_logical(1e12), 2147483647);
    EXPECT_EQ(to_logical(-1e12), -2147483647 - 1);
    EXPECT_EQ(to_logical(std::nan("")), 0);

    SettingsGuard settings;
    BoardModel b = sample_board({element(L"A", 10, 10, 0, kSideTop)}, only({wire(0, 0, 2, 0, 90)}));
    BoardView v = unit_view();
    v.scale = 1e11;
    RecordingCanvas c;
    draw_elements(c, b, v, g_settings);
    ASSERT_EQ(c.count(CallKind::arc), 1u);
    EXPECT_EQ(v.boxes[0].max_x, 2147483647);
}

}  // namespace
}  // namespace tindral::test
