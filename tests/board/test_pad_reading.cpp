// Pads into the package records: Eagle smd and through-hole pads, KiCad copper pads by side.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "board/board_snippet.h"
#include "board/primitive_readers.h"
#include "model/pads.h"
#include "model/placement.h"

using namespace tindral;

namespace {

const PackageRec& package_named(const BoardModel& b, const char* name) {
    for (const LibraryRec& l : b.libraries)
        for (const PackageRec& p : l.packages)
            if (p.name == name) return p;
    ADD_FAILURE() << "no package";
    static const PackageRec none;
    return none;
}

void expect_pad(const PadRec& p, const wchar_t* name, PadShape shape, double dx, double dy,
                double rot, uint8_t sides) {
    SCOPED_TRACE(testing::Message() << "pad " << std::string(name, name + std::wcslen(name)));
    EXPECT_EQ(p.name, name);
    EXPECT_EQ(p.shape, shape);
    EXPECT_NEAR(p.dx, dx, 1e-9);
    EXPECT_NEAR(p.dy, dy, 1e-9);
    EXPECT_NEAR(p.rot, rot, 1e-9);
    EXPECT_EQ(p.sides, sides);
}

constexpr uint8_t kBoth = kPadTop | kPadBottom;

}  // namespace

TEST(PadReading, EagleSmdAndEveryThroughHoleShape) {
    const test::Loaded l = test::load_own(L"p1-pads.brd");
    ASSERT_EQ(l.status.code, LoadCode::ok);
    EXPECT_TRUE(l.boxes.empty());  // no attribute of a pad is unexpected

    const PackageRec& smd = package_named(l.board, "SMD2");
    ASSERT_EQ(smd.pads.size(), 2u);
    expect_pad(smd.pads[0], L"2", PadShape::rectangle, 1.2, 1.6, 0, kPadTop);
    EXPECT_DOUBLE_EQ(smd.pads[0].roundness, 50);
    EXPECT_DOUBLE_EQ(smd.pads[0].x, 1.2);
    EXPECT_DOUBLE_EQ(smd.pads[0].drill, 0);
    EXPECT_EQ(pin_one_pad(smd.pads), 1u);  // named "1", though second in the file

    const PackageRec& th = package_named(l.board, "TH5");
    ASSERT_EQ(th.pads.size(), 5u);
    expect_pad(th.pads[0], L"A", PadShape::rectangle, 1.6, 1.6, 0, kBoth);
    expect_pad(th.pads[1], L"B", PadShape::oval, 0.8 + 2 * 0.254, 0.8 + 2 * 0.254, 0, kBoth);
    expect_pad(th.pads[2], L"C", PadShape::octagon, 1.6, 1.6, 0, kBoth);
    expect_pad(th.pads[3], L"D", PadShape::oval, 2.8, 1.4, 90, kBoth);
    expect_pad(th.pads[4], L"E", PadShape::oval, 2.8, 1.4, 90, kBoth);
    EXPECT_DOUBLE_EQ(th.pads[3].shift, 0);
    EXPECT_DOUBLE_EQ(th.pads[4].shift, 0.7);  // the drill in the middle of one round end
    for (const PadRec& p : th.pads) EXPECT_DOUBLE_EQ(p.drill, 0.8);
    // No pad "1": the first pad, whatever first="yes" says of another.
    EXPECT_EQ(pin_one_pad(th.pads), 0u);
}

TEST(PadReading, EagleRotationLettersBottomLayerAndUnknownAttributes) {
    const std::string body =
        "<libraries>" +
        test::library_with("P", "<smd name=\"9\" x=\"1\" y=\"2\" dx=\"0.5\" dy=\"0.3\" layer=\"16\" rot=\"SMR45\"/>"
                                "<smd name=\"8\" x=\"0\" y=\"0\" dx=\"1\" dy=\"1\" layer=\"1\" rot=\"R270\" glue=\"yes\"/>"
                                "<pad name=\"7\" x=\"0\" y=\"0\" drill=\"3\" shape=\"star\"/>") +
        "</libraries><elements><element name=\"X1\" library=\"lib\" package=\"P\" value=\"v\" x=\"5\" y=\"5\"/></elements>";
    const test::Loaded l = test::parse_snippet(body);
    ASSERT_EQ(l.status.code, LoadCode::ok);
    // the unknown "glue" asked about (its value too, as every unknown smd attribute's), the
    // load went on
    ASSERT_EQ(l.boxes.size(), 2u);
    const PackageRec& p = package_named(l.board, "P");
    ASSERT_EQ(p.pads.size(), 3u);
    expect_pad(p.pads[0], L"9", PadShape::rectangle, 0.5, 0.3, 45, kPadBottom);
    EXPECT_TRUE(p.pads[0].mirror);
    expect_pad(p.pads[1], L"8", PadShape::rectangle, 1, 1, 270, kPadTop);
    EXPECT_FALSE(p.pads[1].mirror);
    // An unknown shape is round; the ring of a large drill stops at 0.508 mm.
    expect_pad(p.pads[2], L"7", PadShape::oval, 3 + 2 * 0.508, 3 + 2 * 0.508, 0, kBoth);
    EXPECT_EQ(pin_one_pad(p.pads), 0u);  // none named "1"
    EXPECT_EQ(pin_one_pad({}), 0u);      // no pads: the size of the empty list

    bool mirror = true;
    EXPECT_DOUBLE_EQ(pad_rotation(L"R90", mirror), 90);
    EXPECT_FALSE(mirror);
    EXPECT_DOUBLE_EQ(pad_rotation(L"MR180", mirror), 180);
    EXPECT_TRUE(mirror);
    EXPECT_DOUBLE_EQ(pad_rotation(L"", mirror), 0);
    EXPECT_DOUBLE_EQ(derived_pad_diameter(1.6), 1.6 + 2 * 0.4);  // a quarter of the drill
    EXPECT_DOUBLE_EQ(derived_pad_diameter(0), 0);
}

TEST(PadReading, KicadPadsTurnWithTheirPartAndKeepTheirCopperSides) {
    const std::string board = R"((kicad_pcb (version 20241229) (generator "pcbnew")
  (footprint "lib:TWO" (layer "F.Cu") (at 10 20 90)
    (property "Reference" "R1") (property "Value" "1k")
    (pad "2" smd rect (at 1 0 90) (size 1 1.2) (layers "F.Cu" "F.Paste"))
    (pad "1" smd roundrect (at -1 0 90) (size 1 1.2) (layers "F.Cu" "F.Mask") (roundrect_rratio 0.25))
    (pad "" np_thru_hole circle (at 0 3) (size 2 2) (drill 2) (layers "*.Cu" "*.Mask"))
    (pad "3" thru_hole oval (at 0 -3 45) (size 1.5 2.5) (drill oval 0.8 1.6) (layers "*.Cu" "*.Mask"))
    (pad "4" thru_hole circle (at 2 -3) (size 1.7 1.7) (drill 1 (offset 0 0.1)) (layers "F&B.Cu"))
    (pad "5" smd trapezoid (at 3 3) (size 0.5 0.7) (layers "F.Cu"))
    (pad "6" smd rect (at 4 4) (size 0.5 0.7) (layers "F.Mask")))
  (footprint "lib:ONE" (layer "B.Cu") (at 30 20 180)
    (property "Reference" "R2") (property "Value" "2k")
    (pad "A" smd rect (at 0.5 0 180) (size 0.6 0.4) (layers "B.Cu" "B.Paste"))))
)";
    const test::Loaded l = test::load_bytes(board, test::test_options(true, true, true));
    ASSERT_EQ(l.status.code, LoadCode::ok);
    ASSERT_EQ(l.board.elements.size(), 2u);
    const PackageRec* top = element_package(l.board, 0);
    ASSERT_NE(top, nullptr);
    // No hole without copper, no pad without a copper layer.
    ASSERT_EQ(top->pads.size(), 5u);
    // (-1, 0) of a part turned 90: up from its origin, y up here
    EXPECT_NEAR(top->pads[1].x, 0, 1e-9);
    EXPECT_NEAR(top->pads[1].y, -1, 1e-9);
    EXPECT_NEAR(top->pads[0].y, 1, 1e-9);
    expect_pad(top->pads[1], L"1", PadShape::rectangle, 1, 1.2, 90, kPadTop);
    EXPECT_DOUBLE_EQ(top->pads[1].roundness, 50);  // a quarter of the shorter side is half of its half
    expect_pad(top->pads[2], L"3", PadShape::oval, 1.5, 2.5, 45, kBoth);
    EXPECT_DOUBLE_EQ(top->pads[2].drill, 0.8);
    expect_pad(top->pads[3], L"4", PadShape::oval, 1.7, 1.7, 0, kBoth);
    EXPECT_DOUBLE_EQ(top->pads[3].drill, 1);
    expect_pad(top->pads[4], L"5", PadShape::rectangle, 0.5, 0.7, 0, kPadTop);
    EXPECT_EQ(pin_one_pad(top->pads), 1u);
    // Board points: only moved to the part, its turn is in the record already.
    const Point p1 = board_point(l.board.elements[0], PointKind::straight_end,
                                 {top->pads[1].x, top->pads[1].y}, false);
    EXPECT_NEAR(p1.x, 10, 1e-9);
    EXPECT_NEAR(p1.y, -21, 1e-9);

    const PackageRec* bottom = element_package(l.board, 1);
    ASSERT_NE(bottom, nullptr);
    ASSERT_EQ(bottom->pads.size(), 1u);
    EXPECT_EQ(bottom->pads[0].sides, kPadBottom);
    // The footprint is turned over in the file already: its copper side is the board side.
    EXPECT_EQ(pad_sides_on_board(bottom->pads[0], l.board.elements[1]), kPadBottom);
}
