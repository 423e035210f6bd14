#include <gtest/gtest.h>

#include <map>
#include <string>

#include "board/xml_reader.h"
#include "support/board_folders.h"
#include "support/recording_port.h"
#include "support/recording_canvas.h"
#include "view/draw_board.h"
#include "view/svg_canvas.h"
#include "view_fixture.h"

namespace tindral::test {
namespace {

std::string body(SvgCanvas& c) {
    const std::string doc = c.document();
    const size_t start = doc.find("/>\n", doc.find("<rect")) + 3;
    return doc.substr(start, doc.rfind("</svg>") - start);
}

TEST(SvgCanvas, ArcsRunCounterClockwiseOnTheScreenWithYFlipped) {
    SvgCanvas quarter(100, 100, 0);
    quarter.arc(40, 40, 60, 60, 60, 50, 50, 60);  // from 3 o'clock to 12 o'clock
    EXPECT_NE(body(quarter).find("d=\"M60 50 A10 10 0 0 0 50 40\""), std::string::npos) << body(quarter);

    SvgCanvas three_quarters(100, 100, 0);
    three_quarters.arc(60, 60, 40, 40, 50, 60, 90, 50);  // corners swapped; a far start point
    EXPECT_NE(body(three_quarters).find("d=\"M50 40 A10 10 0 1 0 60 50\""), std::string::npos)
        << body(three_quarters);

    // the same ray twice is the whole ellipse; a flat box draws nothing
    SvgCanvas full(100, 100, 0);
    full.arc(40, 40, 60, 60, 70, 50, 80, 50);
    full.arc(40, 40, 40, 60, 70, 50, 80, 51);
    EXPECT_EQ(body(full), "<ellipse fill=\"none\" stroke=\"#000000\" cx=\"50\" cy=\"50\" rx=\"10\" ry=\"10\"/>\n");
    EXPECT_EQ(full.shape_count(), 1u);
}

TEST(SvgCanvas, LinesOfOnePenShareAPathAndColoursAreRgb) {
    SvgCanvas c(50, 40, 0x00FF00);
    c.select_pen({PenRole::top_current, 0x0000FA});
    c.move_to(0, 0);
    c.line_to(10, 0);
    c.line_to(10, 10);
    c.move_to(20, 20);
    c.line_to(30, 20);
    c.select_pen({PenRole::top_current, 0x0000FA});  // the same pen again continues the path
    c.line_to(30, 25);
    c.select_pen({PenRole::grey, 0x505050});
    c.move_to(1, 1);
    c.line_to(2, 3);
    c.ellipse(30, 10, 10, 20);
    const std::string doc = c.document();
    EXPECT_NE(doc.find("fill=\"#00ff00\""), std::string::npos);
    EXPECT_NE(doc.find("<path fill=\"none\" stroke=\"#fa0000\" d=\"M0 40 L10 40 L10 30 M20 20 L30 20 L30 15\"/>"),
              std::string::npos)
        << doc;
    EXPECT_NE(doc.find("stroke=\"#505050\" d=\"M1 39 L2 37\""), std::string::npos) << doc;
    EXPECT_NE(doc.find("cx=\"20\" cy=\"25\" rx=\"10\" ry=\"5\""), std::string::npos) << doc;
    EXPECT_EQ(c.shape_count(), 3u);
}

TEST(SvgCanvas, TextIsEscaped) {
    SvgCanvas c(10, 10, 0);
    c.text_out(1, 2, L"<R&1> \"\u00B5F\"\x01");
    EXPECT_NE(c.document().find("<text x=\"1\" y=\"8\" fill=\"#000000\">&lt;R&amp;1&gt; &quot;\xC2\xB5" "F&quot; </text>"),
              std::string::npos)
        << c.document();
}

// Reads the document back with the platform's XML reader and counts the elements by name.
std::map<std::wstring, int> parse_back(const std::string& doc, bool& well_formed) {
    std::map<std::wstring, int> names;
    well_formed = false;
    XmlReaderSetup setup = open_platform_xml_reader(doc);
    if (!setup.reader) return names;
    XmlNode node;
    XmlResult r;
    while ((r = setup.reader->read(node)) == xml_ok) {
        if (node != XmlNode::element) continue;
        std::wstring name;
        setup.reader->get_local_name(name);
        ++names[name];
    }
    well_formed = r == xml_false;
    return names;
}

// Every part inside the dimension outline (a wrong transform shows), and well-formed SVGs.
void check_inside_outline_and_svg(const std::wstring& path, size_t min_drawn) {
    SCOPED_TRACE(std::string(path.begin(), path.end()));
    RecordingPort port;
    BoardModel b;
    ASSERT_TRUE(load_board_file(path, b));
    Settings s;
    s.show_bottom_side = 1;
    BoardView v;
    v.area_width = v.area_height = 1000;
    fit_view(v, b, 1000, 1000, FitKind::load);
    Settings outline_only = s;  // the plain wires of the dimension layer
    outline_only.layer_groups.fill(0);
    outline_only.set_layer_enabled(20, true);
    RecordingCanvas plain, c;
    draw_plain(plain, b, v, outline_only);
    ElementBox outline;
    for (const DrawCall& d : plain.calls) widen_box(outline, d.args[0], d.args[1]);
    ASSERT_GT(outline.max_x - outline.min_x, 500);
    draw_elements(c, b, v, s);
    size_t drawn = 0;
    for (size_t i = 0; i < v.boxes.size(); ++i) {
        const ElementBox& box = v.boxes[i];
        if (box.empty()) continue;
        ++drawn;
        EXPECT_TRUE(box.min_x >= outline.min_x && box.max_x <= outline.max_x && box.min_y >= outline.min_y &&
                    box.max_y <= outline.max_y)
            << "element " << i << " rotation " << b.elements[i].rotation;
    }
    EXPECT_GE(drawn, min_drawn);

    std::map<RenderSide, std::map<std::wstring, int>> seen;
    for (RenderSide side : {RenderSide::top, RenderSide::bottom, RenderSide::both}) {
        bool ok = false;
        seen[side] = parse_back(render_board_svg(b, side, s, 800), ok);
        EXPECT_TRUE(ok) << static_cast<int>(side);
        EXPECT_EQ(seen[side][L"svg"], 1);
        EXPECT_GT(seen[side][L"path"] + seen[side][L"ellipse"], 0);
    }
    EXPECT_GE(seen[RenderSide::both][L"ellipse"], seen[RenderSide::bottom][L"ellipse"]);
    EXPECT_TRUE(port.boxes.empty());
}

// Right angles and mirrors, then odd angles and spin; every part has something to draw.
TEST(BoardFile, EveryElementInsideTheOutlineAndAWellFormedSvgPerSide) {
    check_inside_outline_and_svg(own_board(L"e6-both-sides.brd"), 12);
    check_inside_outline_and_svg(own_board(L"e7-odd-angles.brd"), 8);
}

// Many bottom parts are MR90 here.
TEST(RealBoard, EveryElementInsideTheOutlineAndAWellFormedSvgPerSide) {
    TINDRAL_NEED_REAL_BOARDS();
    check_inside_outline_and_svg(real_board(L"sparkfun-qwiic-pir-e9.brd"), 21);
}

}  // namespace
}  // namespace tindral::test
