#pragma once
// Where an element's package is, how its primitives become board points, and the board extent
// that the placement widens.

#include <cstddef>
#include <cstdint>
#include <limits>

#include "model/board_model.h"

namespace tindral {

// Degrees per radian as the program has always divided by (the single-precision 57.295776),
// so that drawings match to the pixel.
constexpr double kDegreesPerRadian = 57.2957763671875;

// find_package's answer when no library and package of the element's names exist.
constexpr uint32_t kNoPackage = 0xFFFF;

struct Point {
    double x = 0, y = 0;
};

// R(a): (x cos a - y sin a, x sin a + y cos a), a in degrees.
Point rotate_point(Point p, double degrees);
// F(a): (x cos a + y sin a, x sin a - y cos a), a in degrees.
Point reflect_point(Point p, double degrees);

struct PackageRef {
    bool found = false;
    size_t library = 0;
    size_t package = 0;
};

// The first library of the element's library name that holds a package of its package name
// (exact, case-sensitive names); for a placed element the package its placement found.
PackageRef find_package_ref(const BoardModel& board, size_t element);

// The same packed as (library << 16) | package; kNoPackage when nothing matched or when the
// indices do not fit the packing. Never use kNoPackage as an index.
uint32_t find_package(const BoardModel& board, size_t element);

// The element's package, or nullptr when it has none.
const PackageRec* element_package(const BoardModel& board, size_t element);

// Fills the placed fields of the element's package records and widens the board extent. An
// element without a package changes nothing: it is listed but not placed.
void place_element(BoardModel& board, size_t element);
void place_element(BoardModel& board, size_t element, PackageRef ref);

// place_element for every element in table order, with one name lookup table for all of them
// (the same answers as find_package_ref, in linear time). Sets the placed-element count.
void place_all_elements(BoardModel& board);

// The plain tables are not transformed: copies their points into the placed fields and widens
// the board extent by them (wires, then circles, then holes).
void take_plain_extent(BoardModel& board);

// The placement transform. Which rule a package-local point follows depends on what it is.
enum class PointKind {
    straight_end,    // end point of a straight wire or of a rectangle edge
    arc_end,         // end point of a curved wire
    circle_centre,
    polygon_vertex,
    hole_centre,     // the package-local hole centre; rotated for this very element
};

// The point relative to the element's origin, before the origin is added and before the
// x mirroring of bottom elements (the Q of the arc drawing). bottom_only_view is the view in
// which "show top side" is off and "Show bottom side" is on.
Point local_point(const ElementRec& element, PointKind kind, Point p, bool bottom_only_view);

// The point in board coordinates.
Point board_point(const ElementRec& element, PointKind kind, Point p, bool bottom_only_view);

// A turn's cosine and sine, taken once for many points.
struct Turn {
    double c = 1, s = 0;
};
Turn turn_of(double degrees);
// R(a) of the turn: the same bits as rotate_point with its angle.
inline Point turn_point(Point p, const Turn& t) {
    return {p.x * t.c - p.y * t.s, p.x * t.s + p.y * t.c};
}

// The turn of the last angle asked for, kept from one element to the next: a board's parts
// mostly share a few angles.
struct TurnMemo {
    double degrees = std::numeric_limits<double>::quiet_NaN();
    Turn turn;
};

// local_point and board_point of PointKind::straight_end (the rule of every outline line,
// rectangle, hole and pad) for many points of one element: the same answers bit for bit, with
// the sine and cosine taken once rather than per point. Neither depends on the view.
class StraightEnds {
public:
    explicit StraightEnds(const ElementRec& element);
    StraightEnds(const ElementRec& element, TurnMemo& memo);
    Point local(Point p) const { return turned_ ? turn_point(p, turn_) : p; }
    Point board(Point p) const {
        const Point q = local(p);
        return {mirror_x_ ? x_ - q.x : x_ + q.x, y_ + q.y};
    }

private:
    Turn turn_;
    bool turned_ = false;
    bool mirror_x_ = false;
    double x_ = 0, y_ = 0;
};

}  // namespace tindral
