#include "model/placement.h"

#include <cmath>
#include <string>
#include <unordered_map>

namespace tindral {

Turn turn_of(double degrees) {
    const double a = degrees / kDegreesPerRadian;
    return {std::cos(a), std::sin(a)};
}

Point rotate_point(Point p, double degrees) { return turn_point(p, turn_of(degrees)); }

Point reflect_point(Point p, double degrees) {
    const double a = degrees / kDegreesPerRadian;
    const double c = std::cos(a), s = std::sin(a);
    return {p.x * c + p.y * s, p.x * s - p.y * c};
}

PackageRef find_package_ref(const BoardModel& board, size_t element) {
    if (element >= board.elements.size()) return {};
    const ElementRec& e = board.elements[element];
    if (e.package_index >= 0) {
        const size_t li = static_cast<size_t>(e.package_index);
        if (li < board.libraries.size() && !board.libraries[li].packages.empty()) return {true, li, 0};
        return {};
    }
    if (e.placed_library != ElementRec::kNotPlaced) {
        const size_t li = e.placed_library, pi = e.placed_package;
        if (li < board.libraries.size() && pi < board.libraries[li].packages.size())
            return {true, li, pi};
    }
    for (size_t li = 0; li < board.libraries.size(); ++li) {
        const LibraryRec& lib = board.libraries[li];
        if (lib.name != e.library) continue;
        for (size_t pi = 0; pi < lib.packages.size(); ++pi) {
            if (lib.packages[pi].name == e.package) return {true, li, pi};
        }
        // a later library of the same name may still hold the package
    }
    return {};
}

uint32_t find_package(const BoardModel& board, size_t element) {
    const PackageRef ref = find_package_ref(board, element);
    // library 0 with package 0xFFFF would pack into the "none" value itself
    if (!ref.found || ref.library > 0xFFFF || ref.package > 0xFFFF ||
        (ref.library == 0 && ref.package == 0xFFFF))
        return kNoPackage;
    return static_cast<uint32_t>(ref.library << 16 | ref.package);
}

const PackageRec* element_package(const BoardModel& board, size_t element) {
    const PackageRef ref = find_package_ref(board, element);
    return ref.found ? &board.libraries[ref.library].packages[ref.package] : nullptr;
}

void place_element(BoardModel& board, size_t element) {
    place_element(board, element, find_package_ref(board, element));
}

void place_element(BoardModel& board, size_t element, PackageRef ref) {
    if (!ref.found || element >= board.elements.size()) return;
    ElementRec& e = board.elements[element];
    if (!e.outline_turned() && ref.library <= UINT32_MAX && ref.package <= UINT32_MAX) {
        e.placed_library = static_cast<uint32_t>(ref.library);
        e.placed_package = static_cast<uint32_t>(ref.package);
    }
    PackageRec& pkg = board.libraries[ref.library].packages[ref.package];
    BoardExtent& ext = board.extent;
    const double ex = e.x, ey = e.y;

    // The extent takes the package-local points unrotated; only hole centres are rotated.
    for (WireRec& w : pkg.wires) {
        w.placed_x1 = w.x1;
        w.placed_y1 = w.y1;
        w.placed_x2 = w.x2;
        w.placed_y2 = w.y2;
        widen_extent(ext, ex + w.x1, ey + w.y1);
        widen_extent(ext, ex + w.x2, ey + w.y2);
    }
    for (CircleRec& c : pkg.circles) {
        c.placed_radius = c.radius;
        c.placed_x = c.x;
        c.placed_y = c.y;
        widen_extent(ext, ex + c.x - c.radius, ey + c.y - c.radius);
        widen_extent(ext, ex + c.x + c.radius, ey + c.y + c.radius);
    }
    for (RectangleRec& r : pkg.rectangles) {
        r.start_x = {r.x1, r.x2, r.x2, r.x1};
        r.start_y = {r.y1, r.y1, r.y2, r.y2};
        r.end_x = {r.x2, r.x2, r.x1, r.x1};
        r.end_y = {r.y1, r.y2, r.y2, r.y1};
        widen_extent(ext, ex + r.x1, ey + r.y1);
        widen_extent(ext, ex + r.x2, ey + r.y2);
    }
    for (const PolygonRec& poly : pkg.polygons) {
        for (const VertexRec& v : poly.vertices) widen_extent(ext, ex + v.x, ey + v.y);
    }
    for (HoleRec& h : pkg.holes) {
        h.placed_radius = h.drill * 0.5;
        Point c{h.x, h.y};
        if (e.rotation != 0 && !e.outline_turned()) c = rotate_point(c, e.rotation);
        h.placed_x = c.x;
        h.placed_y = c.y;
        const double r = h.placed_radius;
        widen_extent(ext, ex + c.x - r, ey + c.y - r);
        widen_extent(ext, ex + c.x + r, ey + c.y + r);
    }
}

void place_all_elements(BoardModel& board) {
    // Library and package name joined by a NUL, which no XML text can hold.
    std::unordered_map<std::string, PackageRef> first;
    for (size_t li = 0; li < board.libraries.size(); ++li) {
        const LibraryRec& lib = board.libraries[li];
        for (size_t pi = 0; pi < lib.packages.size(); ++pi) {
            std::string key = lib.name;
            key.push_back('\0');
            key += lib.packages[pi].name;
            first.emplace(std::move(key), PackageRef{true, li, pi});  // keeps the first
        }
    }
    std::string key;
    for (size_t i = 0; i < board.elements.size(); ++i) {
        board.placement_count = static_cast<uint32_t>(i);
        const ElementRec& e = board.elements[i];
        if (e.package_index >= 0) {
            place_element(board, i);
            continue;
        }
        key = e.library;
        key.push_back('\0');
        key += e.package;
        const auto it = first.find(key);
        if (it != first.end()) place_element(board, i, it->second);
    }
    board.placement_count = static_cast<uint32_t>(board.elements.size());
}

void take_plain_extent(BoardModel& board) {
    BoardExtent& ext = board.extent;
    for (WireRec& w : board.plain_wires) {
        w.placed_x1 = w.x1;
        w.placed_y1 = w.y1;
        w.placed_x2 = w.x2;
        w.placed_y2 = w.y2;
        widen_extent(ext, w.x1, w.y1);
        widen_extent(ext, w.x2, w.y2);
    }
    for (CircleRec& c : board.plain_circles) {
        c.placed_x = c.x;
        c.placed_y = c.y;
        c.placed_radius = c.radius;
        widen_extent(ext, c.x - c.radius, c.y - c.radius);
        widen_extent(ext, c.x + c.radius, c.y + c.radius);
    }
    for (HoleRec& h : board.plain_holes) {
        h.placed_x = h.x;
        h.placed_y = h.y;
        h.placed_radius = h.drill / 2;
        const double r = h.placed_radius;
        widen_extent(ext, h.x - r, h.y - r);
        widen_extent(ext, h.x + r, h.y + r);
    }
}

Point local_point(const ElementRec& element, PointKind kind, Point p, bool bottom_only_view) {
    if (element.outline_turned()) return p;
    const double phi = element.rotation;
    const bool bottom = element.side == kSideBottom;
    switch (kind) {
    case PointKind::straight_end:
        if (phi == 0) return p;
        return rotate_point(p, bottom ? phi + 180 : phi);
    case PointKind::arc_end: {
        if (!bottom) return phi != 0 ? rotate_point(p, phi) : p;
        const Point q = phi != 0 ? rotate_point(p, phi + 180) : p;
        return bottom_only_view ? q : reflect_point(q, phi);
    }
    case PointKind::circle_centre:
    case PointKind::hole_centre:
        return phi != 0 ? rotate_point(p, phi) : p;
    case PointKind::polygon_vertex:
        if (phi == 0) return p;
        return bottom ? reflect_point(p, phi) : rotate_point(p, phi);
    }
    return p;
}

Point board_point(const ElementRec& element, PointKind kind, Point p, bool bottom_only_view) {
    const Point q = local_point(element, kind, p, bottom_only_view);
    bool mirror_x = false;
    if (element.side == kSideBottom && !element.outline_turned()) {
        switch (kind) {
        case PointKind::straight_end:
        case PointKind::hole_centre: mirror_x = true; break;
        case PointKind::arc_end: mirror_x = bottom_only_view; break;
        case PointKind::circle_centre:
        case PointKind::polygon_vertex: break;
        }
    }
    return {mirror_x ? element.x - q.x : element.x + q.x, element.y + q.y};
}

StraightEnds::StraightEnds(const ElementRec& element) : x_(element.x), y_(element.y) {
    TurnMemo memo;
    *this = StraightEnds(element, memo);
}

StraightEnds::StraightEnds(const ElementRec& element, TurnMemo& memo) : x_(element.x), y_(element.y) {
    if (element.outline_turned()) return;
    const bool bottom = element.side == kSideBottom;
    mirror_x_ = bottom;
    if (element.rotation != 0) {
        turned_ = true;
        const double degrees = bottom ? element.rotation + 180 : element.rotation;
        if (!(degrees == memo.degrees)) {
            memo.turn = turn_of(degrees);
            memo.degrees = degrees;
        }
        turn_ = memo.turn;
    }
}

}  // namespace tindral
