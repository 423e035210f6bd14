#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "../board/board_snippet.h"
#include "board/section_readers.h"
#include "model/placement.h"

namespace tindral::test {
namespace {

constexpr double kEps = 1e-6;

#define EXPECT_POINT(p, ex, ey)          \
    do {                                 \
        const Point q_ = (p);            \
        EXPECT_NEAR(q_.x, (ex), kEps);   \
        EXPECT_NEAR(q_.y, (ey), kEps);   \
    } while (0)

void expect_extent(const BoardExtent& e, double min_x, double max_x, double min_y, double max_y) {
    EXPECT_NEAR(e.min_x, min_x, kEps);
    EXPECT_NEAR(e.max_x, max_x, kEps);
    EXPECT_NEAR(e.min_y, min_y, kEps);
    EXPECT_NEAR(e.max_y, max_y, kEps);
}

ElementRec element_at(double x, double y, const wchar_t* rot) {
    ElementRec e;
    e.x = x;
    e.y = y;
    const Rotation r = read_rotation(rot);
    e.side = r.side;
    e.rotation = r.degrees;
    return e;
}

TEST(PlacementTransform, PointMapsUseTheProgramsDegreeDivisor) {
    // 90 degrees over the single-precision divisor overshoots a quarter turn by d, so the
    // x of R(90)(1, 0) is cos(pi/2 + d) = -d, not 0
    const double d = 90 / 57.2957763671875 - 3.14159265358979323846 / 2;
    ASSERT_GT(d, 1e-9);
    EXPECT_NEAR(rotate_point({1, 0}, 90).x, -d, 1e-15);
    EXPECT_POINT(rotate_point({2, 1}, 90), -1, 2);
    EXPECT_POINT(reflect_point({2, 1}, 0), 2, -1);
    EXPECT_POINT(reflect_point({0, 1}, 270), -1, 0);
}

TEST(PlacementTransform, TopAndMirroredPointsByKind) {
    const ElementRec top = element_at(10, 20, L"R90");
    const ElementRec mr90 = element_at(10, 20, L"MR90");  // stored 270, bottom
    const ElementRec mr0 = element_at(10, 20, L"MR0");    // stored 180, bottom
    const ElementRec plain_top = element_at(10, 20, L"R0");

    // straight wire (1,0)-(2,0): the same board points on both sides
    EXPECT_POINT(board_point(top, PointKind::straight_end, {1, 0}, false), 10, 21);
    EXPECT_POINT(board_point(top, PointKind::straight_end, {2, 0}, false), 10, 22);
    EXPECT_POINT(board_point(mr90, PointKind::straight_end, {1, 0}, false), 10, 21);
    EXPECT_POINT(board_point(mr90, PointKind::straight_end, {2, 0}, true), 10, 22);
    EXPECT_POINT(board_point(mr0, PointKind::straight_end, {2, 1}, false), 8, 21);
    EXPECT_POINT(board_point(plain_top, PointKind::straight_end, {2, 1}, false), 12, 21);

    // circles are only rotated, never mirrored
    EXPECT_POINT(board_point(mr90, PointKind::circle_centre, {1, 0}, false), 10, 19);
    EXPECT_POINT(board_point(top, PointKind::circle_centre, {1, 0}, false), 10, 21);

    // polygon vertices: R on top, F below
    EXPECT_POINT(board_point(top, PointKind::polygon_vertex, {2, 1}, false), 9, 22);
    EXPECT_POINT(board_point(mr0, PointKind::polygon_vertex, {2, 1}, true), 8, 21);
    EXPECT_POINT(board_point(mr90, PointKind::polygon_vertex, {2, 1}, false), 9, 18);

    // arc ends: F after R when both sides are shown, plain mirroring in the bottom-only view
    EXPECT_POINT(board_point(mr90, PointKind::arc_end, {1, 0}, false), 9, 20);
    EXPECT_POINT(local_point(mr90, PointKind::arc_end, {1, 0}, false), -1, 0);
    EXPECT_POINT(board_point(mr90, PointKind::arc_end, {1, 0}, true), 10, 21);
    EXPECT_POINT(local_point(mr90, PointKind::arc_end, {1, 0}, true), 0, 1);
    EXPECT_POINT(board_point(top, PointKind::arc_end, {1, 0}, false), 10, 21);
    // F applies even at 0 degrees (a bottom element stores at least 180, so feed one by hand)
    ElementRec bottom_zero = mr0;
    bottom_zero.rotation = 0;
    EXPECT_POINT(local_point(bottom_zero, PointKind::arc_end, {2, 1}, false), 2, -1);

    // hole centres: rotated for this element, mirrored below
    EXPECT_POINT(board_point(top, PointKind::hole_centre, {1, 0}, false), 10, 21);
    EXPECT_POINT(board_point(mr90, PointKind::hole_centre, {1, 0}, false), 10, 19);
    EXPECT_POINT(board_point(mr0, PointKind::hole_centre, {2, 1}, false), 12, 19);
}

// The per-element rule must give the very bits of board_point: the drawing rounds them to pixels.
TEST(PlacementTransform, StraightEndsOfOneElementMatchBoardPointExactly) {
    const wchar_t* rotations[] = {L"R0",  L"R90",  L"R180",  L"R270",  L"R33.5", L"MR0",
                                  L"MR90", L"MR180", L"MR270", L"MR12.25", L"SR45", L"SMR300"};
    const Point points[] = {{0, 0}, {1.27, -0.635}, {-2.54, 3.81}, {0.1, 1e-3}, {-7.5, -0.05}};
    for (const wchar_t* rot : rotations) {
        for (const bool turned : {false, true}) {
            ElementRec e = element_at(12.7, -3.3, rot);
            if (turned) e.package_index = 0;  // a KiCad part: only moved
            const StraightEnds ends(e);
            for (const Point p : points)
                for (const bool bottom_only : {false, true}) {
                    SCOPED_TRACE(testing::Message()
                                 << rot << " " << turned << " " << p.x << "," << p.y);
                    const Point want = board_point(e, PointKind::straight_end, p, bottom_only);
                    const Point local = local_point(e, PointKind::straight_end, p, bottom_only);
                    EXPECT_EQ(ends.board(p).x, want.x);
                    EXPECT_EQ(ends.board(p).y, want.y);
                    EXPECT_EQ(ends.local(p).x, local.x);
                    EXPECT_EQ(ends.local(p).y, local.y);
                }
        }
    }
}

std::string placement_board(const std::string& elements) {
    return "<libraries>" +
           library_with("P",
                        "<wire x1=\"1\" y1=\"0\" x2=\"2\" y2=\"0\" layer=\"21\"/>"
                        "<circle x=\"1\" y=\"0\" radius=\"0.5\" layer=\"21\"/>"
                        "<rectangle x1=\"0\" y1=\"0\" x2=\"2\" y2=\"1\" layer=\"21\"/>"
                        "<polygon width=\"0\" layer=\"1\"><vertex x=\"-3\" y=\"0\"/>"
                        "<vertex x=\"0\" y=\"4\"/></polygon>"
                        "<hole x=\"1\" y=\"0\" drill=\"0.6\"/>") +
           "</libraries><elements>" + elements + "</elements>";
}

TEST(PlaceElement, FillsPlacedFieldsAndWidensTheExtentUnrotated) {
    const Loaded p = parse_snippet(placement_board(
        "<element name=\"U1\" library=\"lib\" package=\"P\" x=\"10\" y=\"20\" rot=\"R90\"/>"));
    ASSERT_EQ(p.outcome.result, 1);
    const PackageRec& pkg = p.board.libraries[0].packages[0];
    EXPECT_DOUBLE_EQ(pkg.wires[0].placed_x1, 1);  // package-local, not rotated
    EXPECT_DOUBLE_EQ(pkg.wires[0].placed_x2, 2);
    EXPECT_DOUBLE_EQ(pkg.circles[0].placed_radius, 0.5);
    // the four edges, whole numbers and so exact
    using Edge = std::array<double, 4>;
    const RectangleRec& r = pkg.rectangles[0];
    EXPECT_EQ((std::array<Edge, 4>{r.start_x, r.start_y, r.end_x, r.end_y}),
              (std::array<Edge, 4>{Edge{0, 2, 2, 0}, Edge{0, 0, 1, 1}, Edge{2, 2, 0, 0}, Edge{0, 1, 1, 0}}));
    const HoleRec& h = pkg.holes[0];
    EXPECT_DOUBLE_EQ(h.placed_radius, 0.3);
    EXPECT_NEAR(h.placed_x, 0, kEps);  // only hole centres are rotated
    EXPECT_NEAR(h.placed_y, 1, kEps);

    // extent: wire 11..12, circle 10.5..11.5 / 19.5..20.5, rectangle 10..12 / 20..21,
    // polygon 7..10 / 20..24, hole 9.7..10.3 / 20.7..21.3
    expect_extent(p.board.extent, 7, 12, 19.5, 24);
    EXPECT_NEAR(p.board.board_width, 5, kEps);
    EXPECT_NEAR(p.board.board_height, 4.5, kEps);
}

TEST(PlaceElement, HoleAtTheOriginWidensByItsRotatedBox) {
    const Loaded p = parse_snippet(
        "<libraries>" + library_with("H", "<hole x=\"1\" y=\"0\" drill=\"0.6\"/>") +
        "</libraries><elements><element name=\"H1\" library=\"lib\" package=\"H\" x=\"0\" "
        "y=\"0\" rot=\"R90\"/></elements>");
    expect_extent(p.board.extent, -0.3, 0.3, 0.7, 1.3);
}

TEST(PlaceElement, SharedPackageKeepsTheLastPlacedHoleCentre) {
    const Loaded p = parse_snippet(placement_board(
        "<element name=\"A\" library=\"lib\" package=\"P\" x=\"0\" y=\"0\" rot=\"R90\"/>"
        "<element name=\"B\" library=\"lib\" package=\"P\" x=\"50\" y=\"50\" rot=\"R180\"/>"));
    const HoleRec& h = p.board.libraries[0].packages[0].holes[0];
    EXPECT_NEAR(h.placed_x, -1, kEps);
    EXPECT_NEAR(h.placed_y, 0, kEps);
    // each element still has its own hole position for drawing
    EXPECT_POINT(board_point(p.board.elements[0], PointKind::hole_centre, {h.x, h.y}, false), 0, 1);
    EXPECT_POINT(board_point(p.board.elements[1], PointKind::hole_centre, {h.x, h.y}, false), 49,
                 50);
}

TEST(FindPackage, FirstLibraryHoldingThePackageExactNames) {
    const Loaded p = parse_snippet(
        "<libraries>" + library_with("OTHER", "<hole x=\"0\" y=\"0\" drill=\"1\"/>", "rcl") +
        library_with("0603", "<hole x=\"0\" y=\"0\" drill=\"1\"/>", "ic") +
        "<library name=\"rcl\"><packages><package name=\"0805\"><hole x=\"0\" y=\"0\" "
        "drill=\"1\"/></package><package name=\"0603\"><hole x=\"0\" y=\"0\" drill=\"1\"/>"
        "</package></packages></library>"
        "</libraries><elements>"
        "<element name=\"R1\" library=\"rcl\" package=\"0603\" x=\"1\" y=\"1\"/>"
        "<element name=\"R2\" library=\"RCL\" package=\"0603\" x=\"1\" y=\"1\"/>"
        "<element name=\"R3\" library=\"rcl\" package=\"0603 \" x=\"1\" y=\"1\"/>"
        "<element name=\"R4\" library=\"ic\" package=\"0603\" x=\"300\" y=\"300\"/>"
        "</elements>");
    ASSERT_EQ(p.board.libraries.size(), 3u);
    EXPECT_EQ(find_package(p.board, 0), (2u << 16) | 1u);
    EXPECT_EQ(element_package(p.board, 0), &p.board.libraries[2].packages[1]);
    EXPECT_EQ(find_package(p.board, 1), kNoPackage);
    EXPECT_EQ(element_package(p.board, 1), nullptr);
    EXPECT_EQ(find_package(p.board, 2), kNoPackage);
    EXPECT_EQ(find_package(p.board, 3), 1u << 16);
    EXPECT_EQ(find_package(p.board, 99), kNoPackage);
    // the element without a package is listed and counted, but widens nothing
    EXPECT_EQ(p.board.elements.size(), 4u);
    EXPECT_EQ(p.board.placement_count, 4u);
    EXPECT_DOUBLE_EQ(p.board.extent.max_x, 300.5);
}

}  // namespace
}  // namespace tindral::test
