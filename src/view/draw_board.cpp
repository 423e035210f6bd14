#include "view/draw_board.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_map>
#include <vector>

#include "model/pads.h"
#include "model/placement.h"
#include "view/pad_outline.h"

namespace tindral {

namespace {

// Single-precision pi/180 and pi, used in double arithmetic: the arcs must land on the same
// pixels as they always have.
constexpr double kRadiansPerDegreeF = 0.01745329238474369;
constexpr double kPiF = 3.1415927410125732;

constexpr int kLayerHoles = 45;
constexpr int kLayerDocu = 51;

int32_t clamp32(int64_t n) {
    return static_cast<int32_t>(std::clamp<int64_t>(n, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

struct Mapped {
    double x, y;
};

Mapped map_point(const BoardView& v, Point p) { return {logical_x(v, p.x), logical_y(v, p.y)}; }

// The points an element's box is widened by, kept unrounded: widening a box by every point
// gives what widening it by the least and greatest x and y gives, since the rounding keeps order.
struct Extent {
    double min_x = std::numeric_limits<double>::infinity();
    double min_y = std::numeric_limits<double>::infinity();
    double max_x = -std::numeric_limits<double>::infinity();
    double max_y = -std::numeric_limits<double>::infinity();

    void add(double x, double y) {
        // a NaN widens nothing
        if (x < min_x) min_x = x;
        if (x > max_x) max_x = x;
        if (y < min_y) min_y = y;
        if (y > max_y) max_y = y;
    }
    void add(Mapped p) { add(p.x, p.y); }
    // A bound moves out only where the points reach past it; one never reached stays.
    void widen(ElementBox& box) const {
        if (max_x > box.max_x) box.max_x = to_logical(max_x);
        if (min_x < box.min_x) box.min_x = to_logical(min_x);
        if (max_y > box.max_y) box.max_y = to_logical(max_y);
        if (min_y < box.min_y) box.min_y = to_logical(min_y);
    }
};

void line(Canvas& c, Mapped a, Mapped b, Extent& box) {
    c.move_to(to_logical(a.x), to_logical(a.y));
    c.line_to(to_logical(b.x), to_logical(b.y));
    box.add(a);
    box.add(b);
}

// The square of radius r around a board point, as an ellipse.
void circle(Canvas& c, const BoardView& v, Point centre, double r, Extent& box) {
    const Mapped lo = map_point(v, {centre.x - r, centre.y - r});
    const Mapped hi = map_point(v, {centre.x + r, centre.y + r});
    c.ellipse(to_logical(lo.x), to_logical(lo.y), to_logical(hi.x), to_logical(hi.y));
    box.add(lo);
    box.add(hi);
}

// What a paint keeps from one element to the next, one per thread: a pad outline's room and
// the sines of the last arc's curve (packages repeat their curves). Fetched once per paint or
// element: thread-local storage is slow to reach on MinGW.
struct PaintScratch {
    PadOutline outline;
    // Kept during one full paint only: the pad outlines package by package (a package's pads
    // come out the same for every element at one scale) and the turn of the last angle.
    bool full_paint = false;
    std::unordered_map<const PackageRec*, std::vector<PadOutline>> outlines;
    const PackageRec* last_package = nullptr;  // whose outlines last_outlines holds
    const std::vector<PadOutline>* last_outlines = nullptr;
    TurnMemo turn;
    double curve = std::numeric_limits<double>::quiet_NaN();
    double half_sine = 0, k = 0;
};

PaintScratch& paint_scratch() {
    thread_local PaintScratch scratch;
    return scratch;
}

void draw_element_pads(Canvas& c, const PackageRec& pkg, const BoardView& v, const Settings& s,
                       const ElementRec& e, const StraightEnds& ends, PaintScratch& scratch);

// An arc of curve degrees between the scaled local end points a and b around the logical
// origin (ox, oy). The centre is found for the arc as the package describes it (counter-
// clockwise for a positive curve); mirror flips the local x of everything afterwards, which
// also turns the direction round.
void arc(Canvas& c, double ox, double oy, Point a, Point b, double curve, bool mirror,
         Extent& box, PaintScratch& scratch) {
    if (!(curve == scratch.curve)) {
        scratch.half_sine = std::sin(curve * kRadiansPerDegreeF * 0.5);
        const double h = curve * 0.5 * kPiF / 180;
        scratch.k = std::cos(h) / std::sin(h);
        scratch.curve = curve;
    }
    const double chord = std::sqrt((a.y - b.y) * (a.y - b.y) + (a.x - b.x) * (a.x - b.x));
    const double r = chord / (2 * scratch.half_sine);  // < 0 for c < 0
    const double k = scratch.k;
    double cx = (a.x + b.x - (b.y - a.y) * k) * 0.5;
    const double cy = ((b.x - a.x) * k + a.y + b.y) * 0.5;
    if (mirror) {
        a.x = -a.x;
        b.x = -b.x;
        cx = -cx;
    }
    const int32_t left = to_logical(ox + cx - r);
    const int32_t top = to_logical(oy + cy - r);
    const int32_t right = clamp32(int64_t{left} - to_logical(-2 * r));
    const int32_t bottom = clamp32(int64_t{top} - to_logical(-2 * r));
    const Mapped e1{ox + a.x, oy + a.y};
    const Mapped e2{ox + b.x, oy + b.y};
    const Mapped from = (curve > 0) != mirror ? e1 : e2;
    const Mapped to = (curve > 0) != mirror ? e2 : e1;
    c.arc(left, top, right, bottom, to_logical(from.x), to_logical(from.y), to_logical(to.x),
          to_logical(to.y));
    box.add(e1);
    box.add(e1.x + 2 * r, e1.y + 2 * r);
}

}  // namespace

Pen pen_for(uint32_t side, uint32_t state, const Settings& s) {
    const bool bottom = side == kSideBottom;
    switch (state) {
    case 0:
        return bottom ? Pen{PenRole::bottom_unselected, s.color_bottom_unselected}
                      : Pen{PenRole::top_unselected, s.color_top_unselected};
    case 1:
        return bottom ? Pen{PenRole::bottom_current, s.color_bottom_curr_selection}
                      : Pen{PenRole::top_current, s.color_top_curr_selection};
    case 2:
        return bottom ? Pen{PenRole::bottom_selected, s.color_bottom_selected}
                      : Pen{PenRole::top_selected, s.color_top_selected};
    default:
        return {PenRole::grey, kGreyPenColour};
    }
}

uint32_t element_state(const BoardModel& b, size_t element) { return b.marks.state(element); }

Pen part_pen(const BoardModel& b, size_t element, const Settings& s) {
    const ElementRec& e = b.elements[element];
    if (!e.populated) return {PenRole::grey, kGreyPenColour};
    return pen_for(e.side, element_state(b, element), s);
}

bool side_shown(const ElementRec& e, const Settings& s) {
    if (e.side == kSideBottom) return s.show_bottom_side != 0;
    if (e.side == kSideTop) return s.show_top_side != 0;
    return false;
}

int32_t to_logical(double v) {
    if (std::isnan(v)) return 0;
    if (v >= 2147483647.0) return std::numeric_limits<int32_t>::max();
    if (v <= -2147483648.0) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);  // truncates toward zero
}

void widen_box(ElementBox& box, double x, double y) {
    Extent point;
    point.add(x, y);
    point.widen(box);
}

int draw_plain(Canvas& c, const BoardModel& b, const BoardView& v, const Settings& s) {
    const Pen top = pen_for(kSideTop, 0, s);
    c.select_pen(top);
    Extent unused;
    PaintScratch& scratch = paint_scratch();
    const Mapped origin = map_point(v, {0, 0});
    for (const WireRec& w : b.plain_wires) {
        if (!s.layer_enabled(w.layer)) continue;
        if (w.curve == 0) {
            line(c, map_point(v, {w.placed_x1, w.placed_y1}), map_point(v, {w.placed_x2, w.placed_y2}),
                 unused);
        } else {
            arc(c, origin.x, origin.y, {w.placed_x1 * v.scale, w.placed_y1 * v.scale},
                {w.placed_x2 * v.scale, w.placed_y2 * v.scale}, w.curve, v.bottom_only, unused,
                scratch);
        }
    }
    for (const CircleRec& ci : b.plain_circles) {
        if (s.layer_enabled(ci.layer))
            circle(c, v, {ci.placed_x, ci.placed_y}, ci.placed_radius, unused);
    }
    if (s.layer_enabled(kLayerHoles)) {
        for (const HoleRec& h : b.plain_holes)
            circle(c, v, {h.placed_x, h.placed_y}, h.placed_radius, unused);
    }
    c.select_pen(top);
    return 1;
}

namespace {

int draw_one_element(Canvas& c, const BoardModel& b, const BoardView& v, const Settings& s,
                     size_t element, ElementBox& element_box, PaintScratch& scratch) {
    if (element >= b.elements.size()) return 1;
    const ElementRec& e = b.elements[element];
    if (!side_shown(e, s)) return 1;
    const PackageRec* pkg = element_package(b, element);
    if (pkg == nullptr) return 1;
    Extent box;

    // Every point of an element takes the rule of the straight wires: rotated, and on the
    // bottom turned a further half turn and mirrored in x. Circles, polygons and holes of a
    // mirrored element so stay where its outline lines put them at any rotation (a label of
    // an MR90 part inside the board, a hole of an MR0 part on the side its wires show).
    const bool bottom_only = v.bottom_only;
    const StraightEnds ends = scratch.full_paint ? StraightEnds(e, scratch.turn) : StraightEnds(e);
    const auto board = [&](double x, double y) { return map_point(v, ends.board({x, y})); };

    // Arcs are built around the element's origin from the same local points; on a bottom
    // element the arc is mirrored like the lines, unless the whole view is mirrored as well.
    const Mapped origin = map_point(v, {e.x, e.y});
    const bool mirror_arcs = bottom_only != (e.side == kSideBottom);
    for (const WireRec& w : pkg->wires) {
        if (!s.layer_enabled(w.layer)) continue;
        if (w.curve == 0) {
            line(c, board(w.placed_x1, w.placed_y1), board(w.placed_x2, w.placed_y2), box);
            continue;
        }
        const Point q1 = ends.local({w.placed_x1, w.placed_y1});
        const Point q2 = ends.local({w.placed_x2, w.placed_y2});
        arc(c, origin.x, origin.y, {q1.x * v.scale, q1.y * v.scale}, {q2.x * v.scale, q2.y * v.scale},
            w.curve, mirror_arcs, box, scratch);
    }
    const auto round = [&](double x, double y, double r) {
        circle(c, v, ends.board({x, y}), r, box);
    };
    for (const CircleRec& ci : pkg->circles) {
        if (s.layer_enabled(ci.layer)) round(ci.placed_x, ci.placed_y, ci.placed_radius);
    }
    for (const RectangleRec& r : pkg->rectangles) {
        if (!s.layer_enabled(r.layer)) continue;
        for (size_t k = 0; k < 4; ++k)
            line(c, board(r.start_x[k], r.start_y[k]), board(r.end_x[k], r.end_y[k]), box);
    }
    // Polygons follow the documentation layer, whatever their own layer.
    if (s.layer_enabled(kLayerDocu)) {
        for (const PolygonRec& poly : pkg->polygons) {
            if (poly.vertices.empty()) continue;
            const Mapped first = board(poly.vertices[0].x, poly.vertices[0].y);
            c.move_to(to_logical(first.x), to_logical(first.y));
            box.add(first);
            for (size_t i = 1; i < poly.vertices.size(); ++i) {
                const Mapped p = board(poly.vertices[i].x, poly.vertices[i].y);
                c.line_to(to_logical(p.x), to_logical(p.y));
                box.add(p);
            }
            c.line_to(to_logical(first.x), to_logical(first.y));
        }
    }
    // Holes from the package-local centre: the placed centre in the shared package record only
    // holds the one of the element placed last.
    if (s.layer_enabled(kLayerHoles)) {
        for (const HoleRec& h : pkg->holes) round(h.x, h.y, h.drill * 0.5);
    }
    box.widen(element_box);
    draw_element_pads(c, *pkg, v, s, e, ends, scratch);
    return 1;
}

// Package millimetres to logical pixels for one element: the element's own point rule, taken
// once as an affine map so that a pad's points cost no sine each.
struct PadMap {
    Mapped origin, ux, uy;
    Mapped operator()(Point p) const {
        return {origin.x + p.x * ux.x + p.y * uy.x, origin.y + p.x * ux.y + p.y * uy.y};
    }
};

PadMap pad_map(const StraightEnds& ends, const BoardView& v) {
    const auto at = [&](double x, double y) { return map_point(v, ends.board({x, y})); };
    const Mapped o = at(0, 0), x = at(1, 0), y = at(0, 1);
    return {o, {x.x - o.x, x.y - o.y}, {y.x - o.x, y.y - o.y}};
}

void pad_circle(Canvas& c, Mapped centre, double r, bool filled) {
    const int32_t l = to_logical(centre.x - r), t = to_logical(centre.y - r);
    const int32_t rt = to_logical(centre.x + r), bm = to_logical(centre.y + r);
    if (filled)
        c.filled_ellipse(l, t, rt, bm);
    else
        c.ellipse(l, t, rt, bm);
}

// The package's pad outlines at this scale, made once per full paint (or into the one
// outline's room when the paint is of a single element).
const PadOutline& outline_of(const PackageRec& pkg, size_t i, double scale, PaintScratch& scratch) {
    if (!scratch.full_paint) {
        const PadRec& pad = pkg.pads[i];
        pad_outline(pad, quarter_steps(pad_corner_radius(pad) * scale), scratch.outline);
        return scratch.outline;
    }
    if (scratch.last_package != &pkg) {
        std::vector<PadOutline>& made = scratch.outlines[&pkg];
        if (made.empty()) {
            made.resize(pkg.pads.size());
            for (size_t k = 0; k < pkg.pads.size(); ++k)
                pad_outline(pkg.pads[k], quarter_steps(pad_corner_radius(pkg.pads[k]) * scale), made[k]);
        }
        scratch.last_package = &pkg;
        scratch.last_outlines = &made;
    }
    return (*scratch.last_outlines)[i];
}

void draw_element_pads(Canvas& c, const PackageRec& pkg, const BoardView& v, const Settings& s,
                       const ElementRec& e, const StraightEnds& ends, PaintScratch& scratch) {
    if (!s.show_pads || pkg.pads.empty() || !side_shown(e, s)) return;
    const uint8_t shown = static_cast<uint8_t>((s.show_top_side ? kPadTop : 0) |
                                               (s.show_bottom_side ? kPadBottom : 0));
    const PadMap to_px = pad_map(ends, v);
    const double scale = std::fabs(v.scale);
    const Pen kept = c.select_pen(Pen{PenRole::pad, s.color_pads});
    const size_t pin_one = pin_one_pad(pkg.pads);
    for (size_t i = 0; i < pkg.pads.size(); ++i) {
        const PadRec& pad = pkg.pads[i];
        if ((pad_sides_on_board(pad, e) & shown) == 0) continue;
        const PadOutline& outline = outline_of(pkg, i, scale, scratch);
        if (outline.circle) {
            pad_circle(c, to_px(outline.centre), outline.radius * scale, false);
        } else if (!outline.points.empty()) {
            const Mapped first = to_px(outline.points[0]);
            c.move_to(to_logical(first.x), to_logical(first.y));
            for (size_t k = 1; k < outline.points.size(); ++k) {
                const Mapped p = to_px(outline.points[k]);
                c.line_to(to_logical(p.x), to_logical(p.y));
            }
            c.line_to(to_logical(first.x), to_logical(first.y));
        }
        if (pad.drill > 0) pad_circle(c, to_px({pad.x, pad.y}), pad.drill * 0.5 * scale, false);
        if (i == pin_one) {
            // As wide as half the pad's shorter side, at least four pixels, never wider than the pad.
            const double half = std::min(std::fabs(pad.dx), std::fabs(pad.dy)) / 2 * scale;
            const double r = std::min(half, std::max(half * 0.5, 2.0));
            pad_circle(c, to_px({pad.x, pad.y}), r, true);
        }
    }
    c.select_pen(kept);
}

}  // namespace

int draw_element(Canvas& c, const BoardModel& b, const BoardView& v, const Settings& s,
                 size_t element, ElementBox& box) {
    return draw_one_element(c, b, v, s, element, box, paint_scratch());
}

void draw_pads(Canvas& c, const BoardModel& b, const BoardView& v, const Settings& s, size_t element) {
    if (element >= b.elements.size()) return;
    const PackageRec* pkg = element_package(b, element);
    if (pkg == nullptr) return;
    const ElementRec& e = b.elements[element];
    draw_element_pads(c, *pkg, v, s, e, StraightEnds(e), paint_scratch());
}

void draw_elements(Canvas& c, const BoardModel& b, BoardView& v, const Settings& s) {
    const Pen kept = c.select_pen(pen_for(kSideTop, 0, s));
    v.boxes.clear();
    v.boxes.reserve(b.elements.size());
    PaintScratch& scratch = paint_scratch();
    // What a paint keeps is made afresh each time: the board may have changed since the last.
    struct FullPaint {
        PaintScratch& s;
        explicit FullPaint(PaintScratch& scratch) : s(scratch) {
            forget();
            s.full_paint = true;
        }
        ~FullPaint() {
            s.full_paint = false;
            forget();
        }
        void forget() {
            s.outlines.clear();
            s.last_package = nullptr;
            s.last_outlines = nullptr;
            s.turn = TurnMemo{};
        }
    } full_paint(scratch);
    for (size_t i = 0; i < b.elements.size(); ++i) {
        ElementBox box;
        const ElementRec& e = b.elements[i];
        if (side_shown(e, s)) c.select_pen(part_pen(b, i, s));
        draw_one_element(c, b, v, s, i, box, scratch);
        v.boxes.push_back(e.populated ? box : ElementBox{});
    }
    c.select_pen(kept);
}

void paint_board(Canvas& c, const BoardModel& b, BoardView& v, const Settings& s) {
    if (!b.board_loaded) return;
    draw_plain(c, b, v, s);
    draw_elements(c, b, v, s);
}

void redraw_element(Canvas& c, const BoardModel& b, const BoardView& v, const Settings& s,
                    size_t e, int32_t demoted) {
    if (e >= b.elements.size()) return;
    const Pen kept = c.select_pen(part_pen(b, e, s));
    ElementBox scratch;
    if (demoted >= 0 && static_cast<size_t>(demoted) != e &&
        static_cast<size_t>(demoted) < b.elements.size()) {
        c.select_pen(part_pen(b, static_cast<size_t>(demoted), s));
        draw_element(c, b, v, s, static_cast<size_t>(demoted), scratch);
    }
    c.select_pen(part_pen(b, e, s));
    draw_element(c, b, v, s, e, scratch);
    c.select_pen(kept);
}

}  // namespace tindral
