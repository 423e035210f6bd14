// KiCad boards through the load: rows, turned outlines, non-parts as drawing, refusals named.

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <sstream>
#include <filesystem>
#include <string>
#include <vector>

#include "board/board_snippet.h"
#include "board/utf8.h"
#include "board/decimal_text.h"
#include "board/sexpr.h"
#include "model/placement.h"

using namespace tindral;

namespace {

struct Row {
    std::wstring name, library, package, value;
    double x, y, rotation;
    uint32_t side;
};

void expect_rows(const BoardModel& b, const std::vector<Row>& rows) {
    ASSERT_EQ(b.elements.size(), rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        const ElementRec& e = b.elements[i];
        const Row& r = rows[i];
        EXPECT_EQ(utf8_to_wide(e.name), r.name) << i;
        EXPECT_EQ(utf8_to_wide(e.library), r.library) << i;
        EXPECT_EQ(utf8_to_wide(e.package), r.package) << i;
        EXPECT_EQ(utf8_to_wide(e.value), r.value) << i;
        EXPECT_DOUBLE_EQ(e.x, r.x) << i;
        EXPECT_DOUBLE_EQ(e.y, r.y) << i;
        EXPECT_DOUBLE_EQ(e.rotation, r.rotation) << i;
        EXPECT_EQ(e.side, r.side) << i;
    }
}

// The board points of an element's wires, end after end.
std::vector<Point> wire_points(const BoardModel& b, size_t element) {
    std::vector<Point> out;
    for (const WireRec& w : element_package(b, element)->wires) {
        out.push_back(board_point(b.elements[element], PointKind::straight_end, {w.placed_x1, w.placed_y1}, false));
        out.push_back(board_point(b.elements[element], PointKind::straight_end, {w.placed_x2, w.placed_y2}, false));
    }
    return out;
}

bool near(Point a, Point b) { return std::fabs(a.x - b.x) < 1e-9 && std::fabs(a.y - b.y) < 1e-9; }

TEST(KicadReader, KiCad5RowsOutlinesAndTheVirtualHole) {
    const test::Loaded l = test::load_own(L"k5-small.kicad_pcb");
    ASSERT_EQ(l.status.code, LoadCode::ok);
    EXPECT_TRUE(l.boxes.empty());
    // The reference repeats (R1 twice): both are parts. The virtual hole is none.
    expect_rows(l.board, {{L"R1", L"Resistor_SMD", L"R_0603", L"10k", 110, -60, 90, kSideTop},
                          {L"C1", L"Capacitor_SMD", L"C_0805", L"Undefined", 120, -70, 180, kSideBottom},
                          {L"R1", L"Resistor_SMD", L"R_0603", L"2.2\"k\\\u03A9", 105, -75, 270, kSideTop}});
    // R1 at 90 degrees: its line (-1,0)-(1,0) stands upright, and its KiCad 5 arc (centre,
    // first point, 90 degrees clockwise on the screen) runs from above the centre to its right.
    const std::vector<Point> r1 = wire_points(l.board, 0);
    ASSERT_GE(r1.size(), 4u);
    EXPECT_TRUE(near(r1[0], {110, -61}) && near(r1[1], {110, -59}));
    EXPECT_TRUE(near(r1[2], {110, -59})) << r1[2].x << " " << r1[2].y;
    EXPECT_TRUE(near(r1.back(), {111, -60})) << r1.back().x << " " << r1.back().y;
    for (size_t i = 2; i < r1.size(); ++i) EXPECT_NEAR(std::hypot(r1[i].x - 110, r1[i].y + 60), 1, 1e-9);
    // The bottom part's line is drawn where KiCad has it, not mirrored again.
    const std::vector<Point> c1 = wire_points(l.board, 1);
    ASSERT_EQ(c1.size(), 2u);
    EXPECT_TRUE(near(c1[0], {121, -70.5}) && near(c1[1], {119, -70.5})) << c1[0].x << " " << c1[0].y;
    // The hole's circle and the board edge are plain drawing.
    ASSERT_EQ(l.board.plain_circles.size(), 1u);
    EXPECT_EQ(l.board.plain_circles[0].x, 135);
    EXPECT_EQ(l.board.plain_circles[0].y, -55);
    EXPECT_EQ(l.board.plain_circles[0].radius, 1.5);
    EXPECT_EQ(l.board.plain_wires.size(), 2u);
    EXPECT_EQ(l.board.plain_wires[0].layer, 20);
    EXPECT_EQ(l.board.board_loaded, 1u);
    EXPECT_EQ(l.board.marks.states().size(), 3u);
}

TEST(KicadReader, KiCad9PropertiesThreePointArcsAndExcludedLogo) {
    const test::Loaded l = test::load_own(L"k9-small.kicad_pcb");  // CR LF, no final line break
    ASSERT_EQ(l.status.code, LoadCode::ok);
    EXPECT_TRUE(l.boxes.empty());
    expect_rows(l.board, {{L"U1", L"Package_SO", L"SOIC-8", L"NE555", 50, 30, 45, kSideTop},
                          {L"J1", L"Connector", L"Pin_1x02", L"Undefined", 55, 25, 225, kSideBottom}});
    // The arc through (-1,0), (0,-1) and (1,0), turned 45 degrees: its middle lies up and left.
    const std::vector<Point> u1 = wire_points(l.board, 0);
    ASSERT_EQ(u1.size(), 8u + 2 * 18);  // the courtyard's four sides, then the arc
    const double h = std::sqrt(0.5);
    EXPECT_TRUE(near(u1[8], {50 - h, 30 - h}));
    EXPECT_TRUE(near(u1.back(), {50 + h, 30 + h}));
    EXPECT_TRUE(near(u1[8 + 17], {50 - h, 30 + h})) << u1[25].x << " " << u1[25].y;
    EXPECT_EQ(element_package(l.board, 0)->wires[0].layer, 39);
    // The logo: three sides of its polygon with the board's plain drawing, on bPlace.
    ASSERT_EQ(l.board.plain_wires.size(), 3u);
    EXPECT_EQ(l.board.plain_wires[0].layer, 22);
    EXPECT_EQ(l.board.plain_wires[0].x1, 60);
    EXPECT_EQ(l.board.plain_wires[0].y1, 20);
}

TEST(KicadReader, KiCad7TextsStrokesAndTheUserTextBeforeTheReference) {
    const test::Loaded l = test::load_own(L"k7-small.kicad_pcb");
    ASSERT_EQ(l.status.code, LoadCode::ok);
    EXPECT_TRUE(l.boxes.empty());
    // "${REFERENCE}" comes first in D1 and is not its name; the hidden value is its value.
    expect_rows(l.board, {{L"D1", L"LED_SMD", L"LED_0805", L"LED \"red\"", 20.5, 10.25, 135, kSideTop},
                          {L"D2", L"Diode_SMD", L"D_SOD-123", L"1N4148W", 30, 5, 270, kSideBottom}});
    ASSERT_EQ(element_package(l.board, 1)->wires.size(), 1u);
    EXPECT_EQ(element_package(l.board, 1)->wires[0].layer, 52);  // B.Fab on bDocu
    EXPECT_EQ(l.board.plain_wires.size(), 4u);  // the board's rectangle on Edge.Cuts
}

TEST(KicadReader, KiCad6WidthLinesAndKiCad8PropertiesWithDoNotPopulate) {
    const test::Loaded k6 = test::load_own(L"k6-small.kicad_pcb");
    ASSERT_EQ(k6.status.code, LoadCode::ok);
    EXPECT_TRUE(k6.boxes.empty());
    // Kept out of the position files only: still a part to fit.
    expect_rows(k6.board, {{L"R7", L"Resistor_SMD", L"R_0402", L"47k 1%", 12.7, 6.35, 90, kSideTop},
                           {L"TP1", L"Connector", L"TestPoint", L"TestPoint", 20, 8, 180, kSideBottom}});
    EXPECT_EQ(element_package(k6.board, 0)->wires.size(), 1u + 18);  // the line, then the arc
    EXPECT_EQ(element_package(k6.board, 1)->circles.size(), 1u);

    const test::Loaded k8 = test::load_own(L"k8-small.kicad_pcb");
    ASSERT_EQ(k8.status.code, LoadCode::ok);
    EXPECT_TRUE(k8.boxes.empty());
    // C5 is out of the BOM: no part. C6 is a part the board is made without.
    expect_rows(k8.board, {{L"C4", L"Capacitor_SMD", L"C_0603", L"2.2\u00B5F", 5, 5, 270, kSideTop},
                           {L"C6", L"Capacitor_SMD", L"C_0603", L"100n", 25, 5, 180, kSideBottom}});
    EXPECT_TRUE(k8.board.elements[0].populated);
    EXPECT_FALSE(k8.board.elements[1].populated);
}

TEST(KicadReader, FilesItCannotReadAreRefusedWithTheReason) {
    const struct {
        std::string bytes;
        std::wstring text;
    } cases[] = {
        {"PCBNEW-BOARD Version 1 date 1/1/2012\n", L"This KiCad board comes from KiCad 4 or older; Tindral reads KiCad 5 to 9."},
        {"(kicad_pcb (version 4) (host pcbnew 4.0.7))",
         L"This KiCad board has version 4; Tindral reads KiCad 5 to 9 (version 20171130 to 2025)."},
        {"(kicad_pcb (version 20260101))",
         L"This KiCad board has version 20260101; Tindral reads KiCad 5 to 9 (version 20171130 to 2025)."},
        {"(kicad_pcb (host x))", L"This KiCad board has version 0; Tindral reads KiCad 5 to 9 (version 20171130 to 2025)."},
        {"(kicad_pcb (version -0241229))", L"This KiCad board has version 0; Tindral reads KiCad 5 to 9 (version 20171130 to 2025)."},
        {"(kicad_pcb (version 20171130)\n  (module a (layer F.Cu)\n", L"The KiCad board is damaged: its brackets do not match (line 3)."},
        // Footprints read before the fault or the version leave nothing behind.
        {"(kicad_pcb (version 20171130)\n (module a:b (fp_text reference R1))\n (segment \"x))",
         L"The KiCad board is damaged: its brackets do not match (line 3)."},
        {"(kicad_pcb (module a:b (fp_text reference R1)) (version 4) (version 20171130))",
         L"This KiCad board has version 4; Tindral reads KiCad 5 to 9 (version 20171130 to 2025)."},
    };
    for (const auto& c : cases) {
        const test::Loaded l = test::load_bytes(c.bytes);
        EXPECT_EQ(l.status.code, LoadCode::kicad_refused) << c.bytes;
        ASSERT_EQ(l.boxes.size(), 1u) << c.bytes;
        EXPECT_EQ(l.boxes[0].text, c.text);
        EXPECT_EQ(l.boxes[0].owner, Owner::main);
        EXPECT_TRUE(l.board.elements.empty());
        EXPECT_EQ(l.walks, 0);
    }
}

TEST(KicadReader, TheFirstVersionCountsWhereverItStands) {
    const test::Loaded l = test::load_bytes(
        "(kicad_pcb (module a:b (layer F.Cu) (fp_text reference R1 (at 0 0))) (version 20171130) (version 4))",
        test::test_options(true, true, true));
    ASSERT_EQ(l.status.code, LoadCode::ok);
    ASSERT_EQ(l.board.elements.size(), 1u);
    EXPECT_EQ(l.board.elements[0].name, "R1");
}

// A byte that is no UTF-8 shows as U+FFFD in the lists; the text around it stays as it is.
TEST(KicadReader, TextsThatAreNoUtf8ShowTheReplacementCharacter) {
    const test::Loaded l = test::load_bytes(
        "(kicad_pcb (version 20171130) (module \"lib\xFF:P\xC2\xB5\" (layer F.Cu) "
        "(fp_text reference \"R\xC3\" (at 0 0)) (fp_text value \"4\xCE\xA9\xFF\" (at 0 0))))",
        test::test_options(true, true, true));
    ASSERT_EQ(l.status.code, LoadCode::ok);
    ASSERT_EQ(l.board.elements.size(), 1u);
    const ElementRec& e = l.board.elements[0];
    EXPECT_EQ(e.name, "R\xEF\xBF\xBD");
    EXPECT_EQ(e.value, "4\xCE\xA9\xEF\xBF\xBD");
    EXPECT_EQ(e.library, "lib\xEF\xBF\xBD");
    EXPECT_EQ(e.package, "P\xC2\xB5");
    EXPECT_EQ(l.board.libraries.at(0).packages.at(0).name, e.package);
}

// Numbers no board has (nan, inf, 1e300) end finite; an arc past a full turn is one turn.
TEST(KicadReader, ImpossibleNumbersStayOnTheBoard) {
    const test::Loaded l = test::load_bytes(
        "(kicad_pcb (version 20171130) (module a:b (layer F.Cu) (at nan 1e300 inf)"
        " (fp_text reference X (at 0 0)) (fp_arc (start 0 0) (end 1 0) (angle -1e300) (layer F.SilkS))"
        " (fp_line (start -inf 0) (end 1e999 2) (layer F.SilkS))))",
        test::test_options(true, true, true));
    ASSERT_EQ(l.status.code, LoadCode::ok);
    ASSERT_EQ(l.board.elements.size(), 1u);
    const std::vector<Point> points = wire_points(l.board, 0);
    EXPECT_EQ(points.size(), 2u * 36 + 2);
    for (const Point& p : points) EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && std::fabs(p.y) <= 2e6);
}

// The reader's numbers are strtod's to the last bit, the short way or the long.
bool reads_as_strtod(std::string_view text) {
    const double mine = decimal_value(text), theirs = std::strtod(std::string(text).c_str(), nullptr);
    if (std::isnan(mine) || std::isnan(theirs)) return std::isnan(mine) && std::isnan(theirs);
    uint64_t a = 0, b = 0;
    std::memcpy(&a, &mine, sizeof a);
    std::memcpy(&b, &theirs, sizeof b);
    return a == b;
}

void expect_atoms_read_as_strtod(const SExpr& node, size_t& atoms) {
    for (const SExpr& item : node.items) {
        if (item.list) {
            expect_atoms_read_as_strtod(item, atoms);
        } else {
            ++atoms;
            EXPECT_TRUE(reads_as_strtod(item.text)) << item.text;
        }
    }
}

TEST(KicadReader, NumbersReadAsStrtodReadsThem) {
    for (const char* text :
         {"0", "-0", "12", "-12.5", "0.1", "0.3", "-.25", "5.", ".", "-", "", "+5", "1e3", "1E-2", "1e", "0x1A",
          "nan", "-inf", "12abc", "1.2.3", "--1", "1e400", "1e-330", "0.30000000000000004", "9007199254740991",
          "9007199254740992", "9007199254740993", "0.1234567890123456789012", "0.12345678901234567890123",
          "1.00000000000000011102230246251565404236316680908203125", "4.35", "127.9999999999999999", "00000.5",
          "-0.000000000000000000001", "123456789.123456", "F.Cu",
          // where a short way past 2^53 or past 10^22 would round twice and miss by a bit
          "97257876514.7237606", "0.00000005471313452454535"})
        EXPECT_TRUE(reads_as_strtod(text)) << text;
}

// A second reading by text search, without our parser: the BOM footprints and their rows.
struct TextRow {
    std::string name, footprint, value, layer;
    double x = 0, y = 0, angle = 0;
};

// The atom or quoted string that starts at i (a quoted one unescaped).
std::string token_at(const std::string& s, size_t i) {
    std::string out;
    if (i < s.size() && s[i] == '"') {
        for (++i; i < s.size() && s[i] != '"'; ++i) {
            if (s[i] == '\\' && i + 1 < s.size()) ++i;
            out += s[i];
        }
        return out;
    }
    while (i < s.size() && !std::isspace(static_cast<unsigned char>(s[i])) && s[i] != '(' && s[i] != ')')
        out += s[i++];
    return out;
}

// The token after the first of these openings in the block; empty when none is there.
std::string after_first(const std::string& block, std::initializer_list<const char*> openings) {
    for (const char* opening : openings)
        if (const size_t at = block.find(opening); at != std::string::npos)
            return token_at(block, at + std::strlen(opening));
    return {};
}

std::vector<TextRow> rows_by_text(const std::string& text) {
    std::vector<TextRow> rows;
    for (size_t at = 0;;) {
        size_t next = std::string::npos;
        for (const char* head : {"\n  (module ", "\n\t(footprint ", "\n  (footprint "})
            next = std::min(next, text.find(head, at));
        if (next == std::string::npos) break;
        size_t end = std::string::npos;
        for (const char* head : {"\n  (module ", "\n\t(footprint ", "\n  (footprint ", "\n  (gr_", "\n\t(gr_", "\n  (segment", "\n\t(segment", "\n  (zone", "\n\t(zone"})
            end = std::min(end, text.find(head, next + 1));
        const std::string block = text.substr(next, end == std::string::npos ? std::string::npos : end - next);
        at = next + 1;
        const size_t attr = block.find("(attr ");
        const std::string flags = attr == std::string::npos ? "" : block.substr(attr, block.find(')', attr) - attr);
        if (flags.find("board_only") != std::string::npos || flags.find("exclude_from_bom") != std::string::npos ||
            flags.find("virtual") != std::string::npos)
            continue;
        TextRow r;
        r.footprint = token_at(block, block.find_first_of(' ', block.find('(')) + 1);
        r.name = after_first(block, {"(fp_text reference ", "(property \"Reference\" "});
        r.value = after_first(block, {"(fp_text value ", "(property \"Value\" "});
        r.layer = after_first(block, {"(layer "});
        const size_t place = block.find("(at ");
        std::istringstream numbers(block.substr(place + 4, block.find(')', place) - place - 4));
        numbers >> r.x >> r.y;
        if (!(numbers >> r.angle)) r.angle = 0;
        rows.push_back(r);
    }
    return rows;
}

// The shared KiCad boards beside the checkout; none when they are not there.
std::vector<std::filesystem::path> real_kicad_boards() {
    std::vector<std::filesystem::path> boards;
    const std::wstring dir = test::real_boards_of(L"-kicad");
    if (dir.empty()) return boards;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        if (entry.path().extension() == ".kicad_pcb") boards.push_back(entry.path());
    return boards;
}

TEST(KicadReaderRealFiles, EveryBoardLoadsWithoutAQuestionAndEveryRowAsTheTextHasIt) {
    const std::vector<std::filesystem::path> boards = real_kicad_boards();
    if (boards.empty()) GTEST_SKIP() << "the real KiCad boards are not beside the checkout";
    for (const std::filesystem::path& board : boards) {
        const std::string text = test::TempFolder::read(board);
        const test::Loaded l = test::load_bytes(text, test::test_options(true, true, true));
        EXPECT_EQ(l.status.code, LoadCode::ok) << board;
        EXPECT_TRUE(l.boxes.empty()) << board;
        EXPECT_EQ(l.board.board_loaded, 1u) << board;
        const std::vector<TextRow> rows = rows_by_text(text);
        ASSERT_EQ(l.board.elements.size(), rows.size()) << board;
        for (size_t i = 0; i < rows.size(); ++i) {
            const ElementRec& e = l.board.elements[i];
            const TextRow& r = rows[i];
            const std::wstring footprint = utf8_to_wide(r.footprint);
            const size_t colon = footprint.find(L':');
            SCOPED_TRACE(board.filename().string() + " row " + std::to_string(i) + " " + r.name);
            EXPECT_EQ(utf8_to_wide(e.name), utf8_to_wide(r.name));
            EXPECT_EQ(utf8_to_wide(e.value),
                      r.value.empty() ? L"Undefined" : utf8_to_wide(r.value));
            EXPECT_EQ(utf8_to_wide(e.library),
                      colon == std::wstring::npos ? L"" : footprint.substr(0, colon));
            // without a colon npos + 1 is 0
            EXPECT_EQ(utf8_to_wide(e.package), footprint.substr(colon + 1));
            EXPECT_EQ(e.side, r.layer == "B.Cu" ? kSideBottom : kSideTop);
            EXPECT_NEAR(e.x, r.x, 1e-9);
            EXPECT_NEAR(e.y, -r.y, 1e-9);
            EXPECT_NEAR(e.rotation, std::fmod(std::fmod(r.angle, 360) + 360, 360), 1e-9);
        }
    }
    EXPECT_GE(boards.size(), 8u);
}

TEST(KicadReaderRealFiles, EveryAtomReadsAsStrtodReadsIt) {
    const std::vector<std::filesystem::path> boards = real_kicad_boards();
    if (boards.empty()) GTEST_SKIP() << "the real KiCad boards are not beside the checkout";
    size_t atoms = 0;
    for (const std::filesystem::path& board : boards) {
        const std::string text = test::TempFolder::read(board);  // the atoms point into it
        const SExprResult tree = parse_sexpr(text);
        ASSERT_EQ(tree.code, SExprCode::ok) << board;
        expect_atoms_read_as_strtod(tree.root, atoms);
    }
    EXPECT_GT(atoms, 1000000u);
}

}  // namespace
