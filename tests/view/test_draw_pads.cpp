// Pads on the canvas: outlines, the pin-1 dot, sides and the pad switch.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "support/board_folders.h"
#include "support/recording_canvas.h"
#include "view/draw_board.h"
#include "view/pad_outline.h"
#include "view_fixture.h"

namespace tindral::test {
namespace {

struct Bounds {
    double min_x = 1e9, max_x = -1e9, min_y = 1e9, max_y = -1e9;
};

Bounds bounds_of(const std::vector<Point>& pts) {
    Bounds b;
    for (const Point& p : pts) {
        b.min_x = std::min(b.min_x, p.x), b.max_x = std::max(b.max_x, p.x);
        b.min_y = std::min(b.min_y, p.y), b.max_y = std::max(b.max_y, p.y);
    }
    return b;
}

void expect_bounds(const Bounds& b, double x0, double x1, double y0, double y1) {
    EXPECT_NEAR(b.min_x, x0, 1e-9);
    EXPECT_NEAR(b.max_x, x1, 1e-9);
    EXPECT_NEAR(b.min_y, y0, 1e-9);
    EXPECT_NEAR(b.max_y, y1, 1e-9);
}

PadRec pad(PadShape shape, double dx, double dy, double rot = 0, double roundness = 0) {
    PadRec p;
    p.shape = shape, p.dx = dx, p.dy = dy, p.rot = rot, p.roundness = roundness;
    return p;
}

// Distance of p from the segment a-b.
double from_segment(Point p, Point a, Point b) {
    const double vx = b.x - a.x, vy = b.y - a.y;
    const double len2 = vx * vx + vy * vy;
    const double t = len2 > 0 ? std::clamp(((p.x - a.x) * vx + (p.y - a.y) * vy) / len2, 0.0, 1.0) : 0;
    return std::hypot(p.x - a.x - t * vx, p.y - a.y - t * vy);
}

TEST(PadOutline, EveryShapeWithItsRotationRoundnessAndShift) {
    PadRec r = pad(PadShape::rectangle, 2, 1, 90);
    r.x = 5, r.y = 5;
    PadOutline o = pad_outline(r, 4);
    EXPECT_FALSE(o.circle);
    EXPECT_EQ(o.points.size(), 4u);
    expect_bounds(bounds_of(o.points), 4.5, 5.5, 4, 6);  // turned a quarter: long side upright

    // Full roundness is a stadium: every point half the width from the middle segment.
    o = pad_outline(pad(PadShape::rectangle, 2, 1, 0, 100), 4);
    ASSERT_GT(o.points.size(), 8u);
    for (const Point& p : o.points) EXPECT_NEAR(from_segment(p, {-0.5, 0}, {0.5, 0}), 0.5, 1e-9);
    EXPECT_EQ(pad_outline(pad(PadShape::oval, 2, 1), 4).points.size(), o.points.size());

    // Half roundness: the corners cut, the sides' middles kept.
    o = pad_outline(pad(PadShape::rectangle, 2, 1, 0, 50), 4);
    expect_bounds(bounds_of(o.points), -1, 1, -0.5, 0.5);
    for (const Point& p : o.points) EXPECT_LT(std::fabs(p.x) + std::fabs(p.y), 1.5 - 0.05);
    // Roundness beyond the file's range is held at full.
    EXPECT_DOUBLE_EQ(pad_corner_radius(pad(PadShape::rectangle, 2, 1, 0, 250)), 0.5);

    // A regular octagon: eight equal edges.
    o = pad_outline(pad(PadShape::octagon, 1.6, 1.6), 4);
    ASSERT_EQ(o.points.size(), 8u);
    for (size_t i = 0; i < 8; ++i) {
        const Point a = o.points[i], b = o.points[(i + 1) % 8];
        EXPECT_NEAR(std::hypot(a.x - b.x, a.y - b.y), 1.6 * std::tan(3.14159265358979 / 8), 1e-9) << i;
    }

    PadRec round = pad(PadShape::oval, 1.3, 1.3);
    round.x = 2, round.y = 3;
    o = pad_outline(round, 4);
    EXPECT_TRUE(o.circle);
    EXPECT_DOUBLE_EQ(o.radius, 0.65);
    EXPECT_DOUBLE_EQ(o.centre.x, 2);
    EXPECT_DOUBLE_EQ(o.centre.y, 3);

    // Offset, turned a quarter: the drill at (5, 0) in the middle of the lower round end.
    PadRec offset = pad(PadShape::oval, 2.8, 1.4, 90);
    offset.x = 5, offset.shift = 0.7;
    expect_bounds(bounds_of(pad_outline(offset, 4).points), 4.3, 5.7, -0.7, 2.1);
    offset.mirror = true;  // reaches the other way
    expect_bounds(bounds_of(pad_outline(offset, 4).points), 4.3, 5.7, -2.1, 0.7);

    EXPECT_EQ(quarter_steps(0.5), 1);
    EXPECT_EQ(quarter_steps(1000), 8);
}

constexpr double kScale = 10;

BoardView view10() {
    BoardView v = unit_view(400);
    v.scale = kScale;
    v.area_height = 300;
    return v;
}

std::vector<DrawCall> pad_calls(const RecordingCanvas& c) {
    std::vector<DrawCall> out;
    for (const DrawCall& d : c.calls)
        if (d.pen.role == PenRole::pad) out.push_back(d);
    return out;
}

// The centre of each pin-1 dot, in logical pixels.
std::vector<Point> dots(const RecordingCanvas& c) {
    std::vector<Point> out;
    for (const DrawCall& d : c.of(CallKind::filled_ellipse))
        out.push_back({(d.args[0] + d.args[2]) / 2.0, (d.args[1] + d.args[3]) / 2.0});
    return out;
}

bool has_near(const std::vector<Point>& pts, Point p) {
    return std::any_of(pts.begin(), pts.end(),
                       [&](const Point& q) { return std::fabs(q.x - p.x) <= 1 && std::fabs(q.y - p.y) <= 1; });
}

TEST(DrawPads, OwnBoardPinOneDotsSidesAndTheSwitch) {
    BoardModel b;
    ASSERT_TRUE(load_board_file(own_board(L"p1-pads.brd"), b));
    Settings s = kDefaultSettings;
    s.show_top_side = 1, s.show_bottom_side = 0;
    BoardView v = view10();

    RecordingCanvas top;
    draw_elements(top, b, v, s);
    const std::vector<DrawCall> pads = pad_calls(top);
    ASSERT_FALSE(pads.empty());
    for (const DrawCall& d : pads) EXPECT_EQ(d.pen.colour, s.color_pads);
    // One dot per part shown, on its pin 1: R1's pad "1" left of its centre, R2's (turned a
    // quarter) below it, U1's first pad "A" since it has no "1".
    std::vector<Point> at = dots(top);
    ASSERT_EQ(at.size(), 3u);
    EXPECT_TRUE(has_near(at, {108, 80}));
    EXPECT_TRUE(has_near(at, {260, 68}));
    EXPECT_TRUE(has_near(at, {70, 200}));
    // U1: a square, a circle for the round pad and one per drill, both ovals as outlines.
    EXPECT_EQ(top.count(CallKind::ellipse), 1u + 5u);
    // The pen of each element's outline is back after its pads.
    for (size_t i = 1; i < top.calls.size(); ++i) {
        if (top.calls[i - 1].pen.role == PenRole::pad && top.calls[i].kind == CallKind::move_to &&
            top.calls[i].pen.role != PenRole::pad) {
            EXPECT_EQ(top.calls[i].pen.role, PenRole::top_unselected);
        }
    }
    const std::vector<ElementBox> boxes_on = v.boxes;

    // Both sides: the mirrored R3 gets its pads and its dot, its pin 1 mirrored to the right.
    s.show_bottom_side = 1;
    RecordingCanvas both;
    draw_elements(both, b, v, s);
    at = dots(both);
    ASSERT_EQ(at.size(), 4u);
    EXPECT_TRUE(has_near(at, {312, 200}));

    // Pads off: not one pad call, everything else as before, the boxes unchanged.
    s.show_bottom_side = 0;
    s.show_pads = 0;
    RecordingCanvas off;
    draw_elements(off, b, v, s);
    EXPECT_TRUE(pad_calls(off).empty());
    EXPECT_EQ(off.count(CallKind::filled_ellipse), 0u);
    std::vector<DrawCall> rest;
    for (const DrawCall& d : top.calls)
        if (d.pen.role != PenRole::pad) rest.push_back(d);
    ASSERT_EQ(rest.size(), off.calls.size());
    for (size_t i = 0; i < rest.size(); ++i) EXPECT_EQ(rest[i].args, off.calls[i].args) << i;
    ASSERT_EQ(v.boxes.size(), boxes_on.size());
    for (size_t i = 0; i < boxes_on.size(); ++i) {
        EXPECT_EQ(v.boxes[i].min_x, boxes_on[i].min_x);
        EXPECT_EQ(v.boxes[i].max_y, boxes_on[i].max_y);
    }
}

// A package with an smd on each copper side, placed on the top or mirrored to the bottom.
BoardModel two_sided(uint32_t side, double rotation) {
    PackageRec p = only_wires({wire(-3, -3, 3, -3)});
    PadRec front = pad(PadShape::rectangle, 1, 1);
    front.name = L"1", front.x = -2, front.sides = kPadTop;
    PadRec back = pad(PadShape::rectangle, 1, 1);
    back.name = L"2", back.x = 2, back.sides = kPadBottom;
    p.pads = {front, back};
    return sample_board({element(L"X1", 10, 10, rotation, side)}, p);
}

// The x of the pad outlines' corners drawn, in logical pixels.
std::vector<int32_t> pad_xs(const RecordingCanvas& c) {
    std::vector<int32_t> xs;
    for (const DrawCall& d : pad_calls(c))
        if (d.kind == CallKind::move_to || d.kind == CallKind::line_to) xs.push_back(d.args[0]);
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    return xs;
}

TEST(DrawPads, EachPadOnTheSideItEndsUpOn) {
    Settings s = kDefaultSettings;
    const BoardView v = view10();
    ElementBox box;

    // A top part with the top side shown: its top pad only, with the dot.
    const BoardModel top = two_sided(kSideTop, 0);
    s.show_top_side = 1, s.show_bottom_side = 0;
    RecordingCanvas c1;
    draw_element(c1, top, v, s, 0, box);
    EXPECT_EQ(pad_xs(c1), (std::vector<int32_t>{75, 85}));
    EXPECT_EQ(c1.count(CallKind::filled_ellipse), 1u);

    // Both sides: both pads.
    s.show_bottom_side = 1;
    RecordingCanvas c2;
    draw_element(c2, top, v, s, 0, box);
    EXPECT_EQ(pad_xs(c2), (std::vector<int32_t>{75, 85, 115, 125}));

    // Mirrored to the bottom: the front pad is under the board now, at the mirrored place; with
    // only the top shown the part is not drawn, with only the bottom its former back pad is
    // hidden.
    const BoardModel bottom = two_sided(kSideBottom, 180);
    s.show_top_side = 0, s.show_bottom_side = 1;
    BoardView vb = v;
    vb.bottom_only = true;
    RecordingCanvas c3;
    draw_element(c3, bottom, vb, s, 0, box);
    // board x 12 (mirrored -2), seen from below across the 400 pixel area: 275 to 285; the
    // back pad would be at 315 to 325
    const std::vector<int32_t> xs = pad_xs(c3);
    ASSERT_FALSE(xs.empty());
    for (int32_t x : xs) EXPECT_TRUE(std::abs(x - 275) <= 1 || std::abs(x - 285) <= 1) << x;
    EXPECT_EQ(c3.count(CallKind::filled_ellipse), 1u);
}

TEST(DrawPads, PinOneDotStaysInsideItsPad) {
    PackageRec p = only_wires({wire(-3, -3, 3, -3)});
    PadRec small = pad(PadShape::rectangle, 0.3, 0.6);
    small.name = L"1";
    p.pads = {small};
    const BoardModel b = sample_board({element(L"X1", 10, 10, 0, kSideTop)}, p);
    Settings s = kDefaultSettings;
    for (double scale : {2.0, 10.0, 100.0}) {
        SCOPED_TRACE(scale);
        BoardView v = view10();
        v.scale = scale;
        RecordingCanvas c;
        ElementBox box;
        draw_element(c, b, v, s, 0, box);
        const std::vector<DrawCall> d = c.of(CallKind::filled_ellipse);
        ASSERT_EQ(d.size(), 1u);
        const double width = std::fabs(double(d[0].args[2]) - d[0].args[0]);
        EXPECT_LE(width, 0.3 * scale + 1);  // never wider than the pad
        if (0.3 * scale >= 4) {
            EXPECT_GE(width, 3);  // and to be seen where the pad can be
        }
    }
}

bool same_calls(const std::vector<DrawCall>& a, const std::vector<DrawCall>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].kind != b[i].kind || !(a[i].pen == b[i].pen) || a[i].args != b[i].args) return false;
    return true;
}

// The full paint keeps pad outlines and turns from element to element; every element must still
// come out as it does drawn alone (which keeps nothing), whatever the paint before drew at
// another scale or from another board.
TEST(DrawPads, AFullPaintDrawsEveryElementAsItIsDrawnAlone) {
    BoardModel b;
    ASSERT_TRUE(load_board_file(own_board(L"p1-pads.brd"), b));
    Settings s = kDefaultSettings;
    s.show_top_side = 1, s.show_bottom_side = 1;
    BoardView v = view10();
    const auto expect_alike = [&](const char* state) {
        SCOPED_TRACE(state);
        RecordingCanvas full;
        draw_elements(full, b, v, s);
        RecordingCanvas alone;
        for (size_t i = 0; i < b.elements.size(); ++i) {
            alone.select_pen(part_pen(b, i, s));
            ElementBox box;
            draw_element(alone, b, v, s, i, box);
            EXPECT_EQ(v.boxes[i], box) << i;
        }
        EXPECT_FALSE(full.calls.empty());
        EXPECT_TRUE(same_calls(full.calls, alone.calls));
        return full.calls;
    };
    const std::vector<DrawCall> first = expect_alike("as loaded");
    v.scale *= 4;  // more steps on the rounded corners
    expect_alike("zoomed in");
    v.scale /= 4;
    PackageRec& smd = b.libraries[0].packages[0].pads.size() == 2 ? b.libraries[0].packages[0]
                                                                  : b.libraries[0].packages[1];
    smd.pads[0].roundness = 100;
    smd.pads[0].dx *= 2;
    b.elements[1].rotation = 45;  // R1 turns; R2 still at a quarter
    EXPECT_FALSE(same_calls(expect_alike("pads and a turn changed"), first));
}

}  // namespace
}  // namespace tindral::test
