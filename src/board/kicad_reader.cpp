#include "board/kicad_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "board/decimal_text.h"
#include "board/load_messages.h"
#include "board/sexpr.h"
#include "board/utf8.h"
#include "model/placement.h"

namespace tindral {

namespace {

// The versions KiCad 5 (20171130) to 9 write.
constexpr uint32_t kFirstVersion = 20171130;
constexpr uint32_t kLastVersion = 20259999;
constexpr double kArcStepDegrees = 10;
// Exact here: KiCad's coordinates are nanometres, and its parts sit on a grid to the nanometre.
constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180;

std::string_view skip_space(std::string_view b) {
    if (b.substr(0, 3) == "\xEF\xBB\xBF") b.remove_prefix(3);
    size_t i = 0;
    while (i < b.size() && (b[i] == ' ' || b[i] == '\t' || b[i] == '\r' || b[i] == '\n')) ++i;
    return b.substr(i);
}

// Coordinates, angles and sizes; a file's "nan", "inf" or 1e300 becomes a value a board can
// have, so nothing past here meets a number it cannot turn into pixels.
constexpr double kLargestNumber = 1e6;

double number(std::string_view text) {
    const double v = decimal_value(text);
    if (!std::isfinite(v)) return 0;
    return std::clamp(v, -kLargestNumber, kLargestNumber);
}

// The model's layer for a KiCad layer name; 0 for the layers not drawn.
int32_t model_layer(std::string_view name) {
    struct Pair {
        std::string_view kicad;
        int32_t layer;
    };
    static constexpr Pair kLayers[] = {
        {"F.SilkS", 21}, {"B.SilkS", 22}, {"F.Silkscreen", 21}, {"B.Silkscreen", 22},
        {"F.Fab", 51},   {"B.Fab", 52},   {"F.CrtYd", 39},      {"B.CrtYd", 40},
        {"F.Courtyard", 39}, {"B.Courtyard", 40}, {"Edge.Cuts", 20},
    };
    for (const Pair& p : kLayers)
        if (p.kicad == name) return p.layer;
    return 0;
}

struct Place {
    double x = 0, y = 0;  // the footprint's origin, y up
    double degrees = 0;   // counter-clockwise
    double cos = 1, sin = 0;  // of degrees, worked out once for all the footprint's points
};

// A point of a footprint (KiCad's local coordinates, y down) relative to its origin on the
// board, y up. The rotation counts counter-clockwise on the screen either way.
Point turned(const Place& at, double x, double y) {
    if (at.degrees == 0) return {x, -y};
    return {x * at.cos + y * at.sin, x * at.sin - y * at.cos};
}

Point xy(const SExpr* node) {
    return node ? Point{number(node->atom(1)), number(node->atom(2))} : Point{};
}

double line_width(const SExpr& item) {
    if (const SExpr* w = item.find("width")) return number(w->atom(1));
    if (const SExpr* stroke = item.find("stroke"))
        if (const SExpr* w = stroke->find("width")) return number(w->atom(1));
    return 0;
}

// Where one footprint's or the board's drawing goes: straight wires and circles, already turned,
// then moved by shift when they go onto the board itself.
struct Outline {
    std::vector<WireRec>& wires;
    std::vector<CircleRec>& circles;
    bool moved = false;
    Point shift;
};

void add_line(Outline& out, Point a, Point b, double width, int32_t layer) {
    WireRec w;
    w.x1 = a.x;
    w.y1 = a.y;
    w.x2 = b.x;
    w.y2 = b.y;
    if (out.moved) {
        w.x1 += out.shift.x;
        w.x2 += out.shift.x;
        w.y1 += out.shift.y;
        w.y2 += out.shift.y;
    }
    w.width = width;
    w.layer = layer;
    out.wires.push_back(w);
}

// An arc as short lines, from its centre, radius, start angle and sweep (y up, degrees).
void add_arc(Outline& out, const Place& at, Point centre, double radius, double from, double sweep,
             double width, int32_t layer) {
    // A sweep of 180 computed as 180.0000000001 still takes 18 steps.
    const int steps = std::max(1, static_cast<int>(std::ceil(std::fabs(sweep) / kArcStepDegrees - 1e-9)));
    const auto point = [&](double degrees) {
        const double a = degrees * kRadiansPerDegree;
        return turned(at, centre.x + radius * std::cos(a), centre.y + radius * std::sin(a));
    };
    Point last = point(from);
    for (int i = 1; i <= steps; ++i) {
        const Point next = point(from + sweep * i / steps);
        add_line(out, last, next, width, layer);
        last = next;
    }
}

// The angle of p seen from c, in KiCad's local frame (y down), in degrees.
double angle_of(Point c, Point p) { return std::atan2(p.y - c.y, p.x - c.x) / kRadiansPerDegree; }

// The circle through three points; false when they lie on a line.
bool circle_through(Point a, Point b, Point c, Point& centre, double& radius) {
    const double d = 2 * (a.x * (b.y - c.y) + b.x * (c.y - a.y) + c.x * (a.y - b.y));
    if (std::fabs(d) < 1e-12) return false;
    const double a2 = a.x * a.x + a.y * a.y, b2 = b.x * b.x + b.y * b.y, c2 = c.x * c.x + c.y * c.y;
    centre = {(a2 * (b.y - c.y) + b2 * (c.y - a.y) + c2 * (a.y - b.y)) / d,
              (a2 * (c.x - b.x) + b2 * (a.x - c.x) + c2 * (b.x - a.x)) / d};
    radius = std::hypot(a.x - centre.x, a.y - centre.y);
    return true;
}

// One graphic item (fp_* of a footprint, gr_* of the board) in the local frame of at.
void add_graphic(Outline& out, const Place& at, const SExpr& item, std::string_view kind) {
    const SExpr* layer_node = item.find("layer");
    const int32_t layer = layer_node ? model_layer(layer_node->atom(1)) : 0;
    if (layer == 0) return;
    const double width = line_width(item);
    if (kind == "line") {
        const Point a = xy(item.find("start")), b = xy(item.find("end"));
        add_line(out, turned(at, a.x, a.y), turned(at, b.x, b.y), width, layer);
    } else if (kind == "rect") {
        const Point a = xy(item.find("start")), b = xy(item.find("end"));
        const Point corners[] = {{a.x, a.y}, {b.x, a.y}, {b.x, b.y}, {a.x, b.y}};
        for (int k = 0; k < 4; ++k) {
            const Point p = corners[k], q = corners[(k + 1) % 4];
            add_line(out, turned(at, p.x, p.y), turned(at, q.x, q.y), width, layer);
        }
    } else if (kind == "circle") {
        const Point c = xy(item.find("center")), e = xy(item.find("end"));
        CircleRec circle;
        const Point centre = turned(at, c.x, c.y);
        circle.x = centre.x;
        circle.y = centre.y;
        if (out.moved) {
            circle.x += out.shift.x;
            circle.y += out.shift.y;
        }
        circle.radius = std::hypot(e.x - c.x, e.y - c.y);
        circle.width = width;
        circle.layer = layer;
        out.circles.push_back(circle);
    } else if (kind == "poly") {
        const SExpr* pts = item.find("pts");
        if (!pts) return;
        std::vector<Point> points;
        points.reserve(pts->items.size());
        for (const SExpr& p : pts->items)
            if (p.head() == "xy") points.push_back(xy(&p));
        for (size_t k = 0; k + 1 < points.size() + (points.size() > 2 ? 1 : 0); ++k) {
            const Point p = points[k], q = points[(k + 1) % points.size()];
            add_line(out, turned(at, p.x, p.y), turned(at, q.x, q.y), width, layer);
        }
    } else if (kind == "arc") {
        const Point start = xy(item.find("start")), end = xy(item.find("end"));
        Point centre;
        double radius = 0, from = 0, sweep = 0;
        if (const SExpr* mid = item.find("mid")) {  // KiCad 6 on: three points on the arc
            const Point m = xy(mid);
            if (!circle_through(start, m, end, centre, radius)) {
                add_line(out, turned(at, start.x, start.y), turned(at, end.x, end.y), width, layer);
                return;
            }
            from = angle_of(centre, start);
            const double to_mid = std::fmod(angle_of(centre, m) - from + 720, 360);
            const double to_end = std::fmod(angle_of(centre, end) - from + 720, 360);
            sweep = to_mid <= to_end ? to_end : to_end - 360;
        } else {  // KiCad 5: start is the centre, end the first point, angle the sweep
            centre = start;
            radius = std::hypot(end.x - start.x, end.y - start.y);
            from = angle_of(centre, end);
            const SExpr* angle = item.find("angle");
            sweep = angle ? std::clamp(number(angle->atom(1)), -360.0, 360.0) : 0;
        }
        // Angles and sweep stay in KiCad's frame (y down, a positive sweep clockwise on the
        // screen); the points are turned into ours one by one.
        add_arc(out, at, centre, radius, from, sweep, width, layer);
    }
}

std::string_view graphic_kind(std::string_view head, std::string_view prefix) {
    if (head.substr(0, prefix.size()) != prefix) return {};
    return head.substr(prefix.size());
}

// The lists this reader looks into: the rest of a board (tracks, zones, nets, text effects,
// 3D models, ids) is only checked, which spares most of its nodes. Every list head of a board
// comes by here, hence the switch.
bool read_list(std::string_view h) {
    if (h.empty()) return false;
    switch (h[0]) {
    case 'a': return h == "at" || h == "attr" || h == "angle";
    case 'c': return h == "center";
    case 'd': return h == "drill";
    case 'e': return h == "end";
    case 'f': return h == "footprint" || !graphic_kind(h, "fp_").empty();
    case 'g': return !graphic_kind(h, "gr_").empty();
    case 'l': return h == "layer" || h == "layers";
    case 'm': return h == "module" || h == "mid";
    case 'p': return h == "pad" || h == "property" || h == "pts";
    case 'r': return h == "roundrect_rratio";
    case 's': return h == "start" || h == "stroke" || h == "size";
    case 'v': return h == "version";
    case 'w': return h == "width";
    case 'x': return h == "xy";
    default: return false;
    }
}

// Reference and value: fp_text (5 to 7) or property (8 and 9); "${REFERENCE}" user texts are not.
void read_texts(const SExpr& fp, std::string& reference, std::string& value) {
    for (const SExpr& item : fp.items) {
        const std::string_view head = item.head();
        std::string_view kind = item.atom(1), text = item.atom(2);
        if (head == "fp_text") {
            if (kind == "reference") reference = clean_utf8(text);
            if (kind == "value") value = clean_utf8(text);
        } else if (head == "property") {
            if (kind == "Reference") reference = clean_utf8(text);
            if (kind == "Value") value = clean_utf8(text);
        }
    }
}

bool is_part_to_fit(const SExpr& fp) {
    const SExpr* attr = fp.find("attr");
    return !attr || !(attr->has_word("board_only") || attr->has_word("exclude_from_bom") ||
                      attr->has_word("virtual"));
}

void append(std::vector<WireRec>& to, const std::vector<WireRec>& from, Point shift) {
    for (WireRec w : from) {
        w.x1 += shift.x;
        w.x2 += shift.x;
        w.y1 += shift.y;
        w.y2 += shift.y;
        to.push_back(w);
    }
}

// Which copper sides a pad's layer list names: "F.Cu", "B.Cu", or both through "*.Cu" or "F&B.Cu".
uint8_t copper_sides(const SExpr* layers) {
    uint8_t sides = 0;
    if (!layers) return sides;
    for (size_t i = 1; i < layers->items.size(); ++i) {
        const std::string_view name = layers->atom(i);
        if (name == "F.Cu") sides |= kPadTop;
        else if (name == "B.Cu") sides |= kPadBottom;
        else if (name == "*.Cu" || name == "F&B.Cu") sides |= kPadTop | kPadBottom;
    }
    return sides;
}

// The drill's diameter: (drill d), (drill oval w h) takes w, (drill d (offset ...)).
double drill_diameter(const SExpr* drill) {
    if (!drill) return 0;
    for (size_t i = 1; i < drill->items.size(); ++i) {
        const std::string_view a = drill->atom(i);
        if (!a.empty() && a != "oval") return std::max(0.0, number(a));
    }
    return 0;
}

// A copper pad of a footprint at at. A hole without copper is no pad. The angle in the file
// already holds the footprint's rotation; trapezoids and custom shapes are kept as their box.
bool read_pad(const SExpr& item, const Place& at, PadRec& pad) {
    const std::string_view type = item.atom(2), shape = item.atom(3);
    if (type == "np_thru_hole") return false;
    pad.sides = copper_sides(item.find("layers"));
    if (pad.sides == 0) return false;
    pad.name = utf8_to_wide(item.atom(1));
    const SExpr* a = item.find("at");
    const Point centre = turned(at, a ? number(a->atom(1)) : 0, a ? number(a->atom(2)) : 0);
    pad.x = centre.x;
    pad.y = centre.y;
    pad.rot = a ? number(a->atom(3)) : 0;
    const Point size = xy(item.find("size"));
    pad.dx = std::fabs(size.x);
    pad.dy = std::fabs(size.y);
    if (type == "thru_hole") pad.drill = drill_diameter(item.find("drill"));
    if (shape == "circle") {
        pad.shape = PadShape::oval;
        pad.dy = pad.dx;
    } else if (shape == "oval") {
        pad.shape = PadShape::oval;
    } else if (shape == "roundrect") {
        // KiCad's ratio is the radius over the shorter side; ours over its half, in percent
        const SExpr* ratio = item.find("roundrect_rratio");
        pad.roundness = std::clamp((ratio ? number(ratio->atom(1)) : 0.25) * 200, 0.0, 100.0);
    }
    return true;
}

void read_footprint(const SExpr& fp, const LoadOptions& options, BoardModel& board) {
    Place at;
    if (const SExpr* a = fp.find("at")) {
        at.x = number(a->atom(1));
        at.y = -number(a->atom(2));
        at.degrees = number(a->atom(3));
        at.cos = std::cos(at.degrees * kRadiansPerDegree);
        at.sin = std::sin(at.degrees * kRadiansPerDegree);
    }
    // Footprints that are no part to fit draw straight onto the board.
    if (!is_part_to_fit(fp)) {
        Outline plain{board.plain_wires, board.plain_circles, true, {at.x, at.y}};
        for (const SExpr& item : fp.items)
            if (const std::string_view kind = graphic_kind(item.head(), "fp_"); !kind.empty())
                add_graphic(plain, at, item, kind);
        return;
    }
    PackageRec package;
    Outline outline{package.wires, package.circles, false, {}};
    for (const SExpr& item : fp.items) {
        const std::string_view kind = graphic_kind(item.head(), "fp_");
        if (!kind.empty()) add_graphic(outline, at, item, kind);
        PadRec pad;
        if (item.head() == "pad" && read_pad(item, at, pad)) package.pads.push_back(std::move(pad));
    }
    const std::string_view full = fp.atom(1);
    const size_t colon = full.find(':');
    ElementRec e;
    read_texts(fp, e.name, e.value);
    if (e.value.empty()) e.value = wide_to_utf8(text_in(options.language, TXT_UNDEFINED));
    e.library = colon == std::string_view::npos ? std::string() : clean_utf8(full.substr(0, colon));
    e.package = clean_utf8(colon == std::string_view::npos ? full : full.substr(colon + 1));
    e.x = at.x;
    e.y = at.y;
    e.rotation = std::fmod(std::fmod(at.degrees, 360) + 360, 360);
    const SExpr* layer = fp.find("layer");
    e.side = layer && layer->atom(1) == "B.Cu" ? kSideBottom : kSideTop;
    // Do-not-populate: a part of the board, drawn, but not fitted (KiCad has no named variants).
    if (const SExpr* attr = fp.find("attr")) e.own_populated = !attr->has_word("dnp");

    package.name = e.package;
    LibraryRec library;
    library.name = e.library;
    library.packages.push_back(std::move(package));
    e.package_index = static_cast<int32_t>(board.libraries.size());
    board.libraries.push_back(std::move(library));
    board.elements.push_back(std::move(e));
}

}  // namespace

bool is_kicad_board(std::string_view bytes) { return skip_space(bytes).substr(0, 10) == "(kicad_pcb"; }

bool is_legacy_kicad_board(std::string_view bytes) {
    return skip_space(bytes).substr(0, 12) == "PCBNEW-BOARD";
}

KicadOutcome read_kicad_board(std::string_view bytes, const LoadOptions& options, BoardModel& board) {
    KicadOutcome out;
    release_board(board);
    if (is_legacy_kicad_board(bytes)) {
        out.code = KicadCode::legacy;
        return out;
    }
    // Each footprint goes into the model as soon as it is read; a fault found later, or the
    // version (it may stand anywhere), still refuses the whole file.
    bool board_head = false, have_version = false;
    std::string digits;
    const SExprResult tree = visit_sexpr(bytes, &read_list, [&](const SExpr& item, size_t index) {
        if (index == 0) board_head = !item.list && item.text == "kicad_pcb";
        const std::string_view head = item.head();
        if (head == "version" && !have_version) {
            have_version = true;
            digits = std::string(item.atom(1));
        } else if (head == "module" || head == "footprint") {
            read_footprint(item, options, board);
        } else if (const std::string_view kind = graphic_kind(head, "gr_"); !kind.empty()) {
            std::vector<WireRec> wires;
            std::vector<CircleRec> circles;
            Outline edge{wires, circles, false, {}};
            add_graphic(edge, Place{}, item, kind);
            append(board.plain_wires, wires, {});
            board.plain_circles.insert(board.plain_circles.end(), circles.begin(), circles.end());
        }
    });
    if (tree.code != SExprCode::ok) {
        release_board(board);
        out.code = KicadCode::brackets;
        out.line = tree.line;
        return out;
    }
    const unsigned long long v = std::strtoull(digits.c_str(), nullptr, 10);
    out.version = digits.empty() || digits[0] == '-' || v > 0xFFFFFFFFull ? 0 : static_cast<uint32_t>(v);
    if (!board_head || out.version < kFirstVersion || out.version > kLastVersion) {
        release_board(board);
        out.code = KicadCode::version;
        return out;
    }
    // KiCad's y runs down from the page's top: the board lies at negative y here.
    board.extent = BoardExtent{-1e12, 1e12, -1e12, 1e12};
    take_plain_extent(board);
    if (options.show_top || options.show_bottom) {
        place_all_elements(board);
        board.board_width = std::fabs(board.extent.max_x - board.extent.min_x);
        board.board_height = std::fabs(board.extent.max_y - board.extent.min_y);
        board.board_loaded = 1;
    }
    return out;
}

}  // namespace tindral
