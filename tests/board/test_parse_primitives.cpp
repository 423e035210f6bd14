#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "board/primitive_readers.h"
#include "board_snippet.h"
#include "model/placement.h"

namespace tindral::test {
namespace {

const PackageRec& only_package(const Loaded& p) {
    EXPECT_EQ(p.board.libraries.size(), 1u);
    EXPECT_EQ(p.board.libraries.at(0).packages.size(), 1u);
    return p.board.libraries.at(0).packages.at(0);
}

std::string holes(int n) {
    std::string s;
    for (int i = 1; i <= n; ++i)
        s += "<hole x=\"" + std::to_string(i) + "\" y=\"-" + std::to_string(i) + "\" drill=\"0." +
             std::to_string(i) + "\"/>";
    return s;
}

TEST(PrimitiveReaders, RecordsOfEveryKeptKind) {
    const Loaded p = parse_snippet(
        "<libraries>" +
        library_with("PKG",
                     "<description language=\"en\">&lt;b&gt;part&lt;/b&gt;</description>"
                     // <polygon/> with attributes has no end token: the next child follows
                     "<polygon width=\"0.1\" layer=\"1\"/>"
                     "<wire x1=\"-1\" y1=\"2\" x2=\"3\" y2=\"4.5\" width=\"0.2\" layer=\"21\" "
                     "cap=\"flat\" style=\"longdash\"/>"
                     "<wire x1=\"0\" y1=\"0\" x2=\"1\" y2=\"1\" layer=\"51\" curve=\"-90\"/>"
                     "<polygon width=\"0.2\" layer=\"2\"></polygon>"
                     "<circle x=\"1\" y=\"2\" radius=\"3\" width=\"0.4\" layer=\"21\"/>"
                     "<rectangle x1=\"1\" y1=\"2\" x2=\"3\" y2=\"4\" layer=\"51\" rot=\"MR90\"/>"
                     "<rectangle layer=\"51\" rot=\"R45\"/><rectangle layer=\"51\" rot=\"30\"/>"
                     "<pad name=\"1\" x=\"0\" y=\"0\" drill=\"0.8\" stop=\"no\"/>"
                     "<smd name=\"2\" x=\"0\" y=\"0\" dx=\"1\" dy=\"1\" layer=\"1\" cream=\"no\"/>"
                     "<text x=\"0\" y=\"0\" size=\"1\" layer=\"25\">&gt;NAME</text>"
                     "<text x=\"0\" y=\"0\" size=\"1\" layer=\"27\"></text>"
                     "<dimension x1=\"0\" y1=\"0\" x2=\"1\" y2=\"0\" layer=\"47\" "
                     "dtype=\"parallel\"/>"
                     "<frame x1=\"0\" y1=\"0\" x2=\"1\" y2=\"1\" columns=\"4\" rows=\"4\"/>"
                     "<polygon width=\"0.1\" layer=\"29\" pour=\"solid\">"
                     "<vertex x=\"0\" y=\"0\"/><vertex x=\"1\" y=\"0\" curve=\"90\"/>"
                     "<vertex x=\"1\" y=\"1\"/></polygon>"
                     "<hole x=\"2\" y=\"3\" drill=\"1.2\"/>") +
        "</libraries>");
    EXPECT_TRUE(p.boxes.empty());
    ASSERT_EQ(p.outcome.result, 1);
    const PackageRec& pkg = only_package(p);
    EXPECT_EQ(pkg.name, "PKG");
    ASSERT_EQ((std::vector<size_t>{pkg.wires.size(), pkg.circles.size(), pkg.rectangles.size(),
                                   pkg.polygons.size(), pkg.holes.size()}),
              (std::vector<size_t>{2, 1, 3, 3, 1}));
    EXPECT_DOUBLE_EQ(pkg.wires[0].x1, -1);
    EXPECT_DOUBLE_EQ(pkg.wires[0].y2, 4.5);
    EXPECT_EQ(pkg.wires[0].layer, 21);
    EXPECT_DOUBLE_EQ(pkg.wires[0].curve, 0);  // straight without a curve attribute
    EXPECT_DOUBLE_EQ(pkg.wires[1].curve, -90);
    EXPECT_DOUBLE_EQ(pkg.circles[0].radius, 3);
    EXPECT_DOUBLE_EQ(pkg.rectangles[0].x2, 3);
    EXPECT_EQ((std::vector<double>{pkg.rectangles[0].rot, pkg.rectangles[1].rot, pkg.rectangles[2].rot}),
              (std::vector<double>{90, 45, 30}));
    EXPECT_TRUE(pkg.polygons[0].vertices.empty());
    EXPECT_TRUE(pkg.polygons[1].vertices.empty());
    EXPECT_EQ(pkg.polygons[2].layer, 29);
    ASSERT_EQ(pkg.polygons[2].vertices.size(), 3u);
    EXPECT_DOUBLE_EQ(pkg.polygons[2].vertices[2].y, 1);
    EXPECT_DOUBLE_EQ(pkg.holes[0].drill, 1.2);
}

TEST(PrimitiveReaders, SevenHolesKeepTheirOrderInPackageAndPlain) {
    const Loaded p = parse_snippet("<plain>" + holes(7) + "</plain><libraries>" +
                                   library_with("H", holes(7)) + "</libraries>");
    const PackageRec& pkg = only_package(p);
    ASSERT_EQ(pkg.holes.size(), 7u);
    ASSERT_EQ(p.board.plain_holes.size(), 7u);
    for (int i = 0; i < 7; ++i) {
        EXPECT_DOUBLE_EQ(pkg.holes[i].x, i + 1);
        EXPECT_DOUBLE_EQ(p.board.plain_holes[i].y, -(i + 1));
        EXPECT_DOUBLE_EQ(p.board.plain_holes[i].placed_radius, (i + 1) / 20.0);
    }
}

TEST(PrimitiveReaders, UnknownAttributesAskedOnceOrTwiceByReader) {
    const auto asked = [](const char* element, std::initializer_list<const char*> names) {
        std::vector<std::wstring> out;
        for (const char* n : names)
            out.push_back(L"Unexpected element " + std::wstring(element, element + strlen(element)) +
                          L" attr " + std::wstring(n, n + strlen(n)) + L"\rContinue?");
        return out;
    };
    struct Case {
        const char* child;
        std::vector<std::wstring> questions;
    } cases[] = {
        // wire, circle, pad, smd, text and dimension look at the value as a name as well
        {"<wire x1=\"0\" glow=\"7\" y1=\"0\" x2=\"1\" y2=\"1\" layer=\"21\"/>", asked("wire", {"glow", "7"})},
        {"<circle x=\"0\" y=\"0\" glow=\"7\" radius=\"1\" layer=\"21\"/>", asked("circle", {"glow", "7"})},
        {"<pad name=\"1\" glow=\"7\" x=\"0\" y=\"0\"/>", asked("pad", {"glow", "7"})},
        {"<smd name=\"1\" glow=\"7\" x=\"0\" y=\"0\"/>", asked("smd", {"glow", "7"})},
        {"<text x=\"0\" glow=\"7\">t</text>", asked("text", {"glow", "7"})},
        {"<dimension x1=\"0\" glow=\"7\"/>", asked("dimension", {"glow", "7"})},
        // rectangle, hole, polygon and vertex step past the value
        {"<rectangle x1=\"0\" glow=\"7\" y1=\"0\" x2=\"1\" y2=\"1\" layer=\"21\"/>",
         asked("rectangle", {"glow"})},
        {"<hole x=\"0\" glow=\"7\" y=\"0\" drill=\"1\"/>", asked("hole", {"glow"})},
        {"<polygon width=\"0\" glow=\"7\" layer=\"1\"><vertex x=\"0\" y=\"0\" glow=\"7\"/></polygon>",
         {L"Unexpected element polygon attr glow\rContinue?",
          L"Unexpected element vertex attr glow\rContinue?"}},
        // an unknown child is named once, its tokens then run through the package walk
        {"<wire x1=\"0\" y1=\"0\" x2=\"1\" y2=\"1\" layer=\"21\"/><gizmo/>", asked("package", {"gizmo"})},
    };
    for (const Case& c : cases) {
        const Loaded p =
            parse_snippet("<libraries>" + library_with("P", c.child) + "</libraries>");
        EXPECT_EQ(p.outcome.result, 1) << c.child;
        std::vector<std::wstring> asked;
        for (const ShownBox& b : p.boxes) asked.push_back(b.text);
        EXPECT_EQ(asked, c.questions) << c.child;
    }
}

TEST(PrimitiveReaders, NoToAnyQuestionAbandonsTheLoad) {
    const std::string in_package =
        "<libraries>" +
        library_with("P", "<hole x=\"1\" y=\"1\" drill=\"1\"/><hole x=\"2\" bad=\"1\" y=\"2\" "
                          "drill=\"1\"/><hole x=\"3\" y=\"3\" drill=\"1\"/>") +
        "</libraries>";
    const std::string in_plain =
        "<plain><wire x1=\"0\" y1=\"0\" x2=\"1\" y2=\"1\" layer=\"20\"/><squiggle a=\"1\"/>"
        "<wire x1=\"0\" y1=\"0\" x2=\"2\" y2=\"2\" layer=\"20\"/></plain>";
    for (const std::string& body : {in_package, in_plain}) {
        const Loaded p = parse_snippet(body, test_options(), {mb::id_no});
        EXPECT_EQ(p.boxes.size(), 1u) << body;
        EXPECT_EQ(p.outcome.result, 0) << body;
        EXPECT_EQ(p.board.board_loaded, 0u);
        EXPECT_TRUE(p.board.libraries.empty());
        EXPECT_LE(p.board.plain_wires.size(), 1u);
    }
}

TEST(PlainSection, KeepsWiresCirclesHolesAndStepsOverTheRest) {
    const Loaded p = parse_snippet(
        "<plain>"
        "<wire x1=\"0\" y1=\"0\" x2=\"10\" y2=\"0\" width=\"0\" layer=\"20\"/>"
        "<text x=\"1\" y=\"1\" size=\"1\" layer=\"25\">label</text>"
        "<text x=\"1\" y=\"1\" size=\"1\" layer=\"25\"></text>"
        "<wire x1=\"10\" y1=\"0\" x2=\"10\" y2=\"8\" width=\"0\" layer=\"20\" curve=\"45\"/>"
        "<rectangle x1=\"0\" y1=\"0\" x2=\"1\" y2=\"1\" layer=\"21\" grouprefs=\"g\"/>"
        "<polygon width=\"0.1\" layer=\"1\" pour=\"solid\"><vertex x=\"0\" y=\"0\"/>"
        "<vertex x=\"1\" y=\"0\"/></polygon>"
        "<dimension x1=\"0\" y1=\"0\" x2=\"1\" y2=\"0\" x3=\"0\" y3=\"1\" layer=\"47\"/>"
        "<frame x1=\"0\" y1=\"0\" x2=\"1\" y2=\"1\" columns=\"4\" rows=\"4\" layer=\"94\"/>"
        "<spline width=\"0.1\"><vertex x=\"0\" y=\"0\"/><vertex x=\"1\" y=\"1\"/></spline>"
        "<squiggle a=\"1\"></squiggle>"
        "<circle x=\"5\" y=\"5\" radius=\"2\" width=\"0.1\" layer=\"21\"/>"
        "<hole x=\"3\" y=\"3\" drill=\"1\"/>"
        "</plain>");
    // only the unknown element is asked about, token by token
    std::vector<std::wstring> asked;
    for (const ShownBox& b : p.boxes) asked.push_back(b.text);
    EXPECT_EQ(asked, (std::vector<std::wstring>{
                         L"Unexpected element set_plain elem squiggle\rContinue?",
                         L"Unexpected element set_plain elem a\rContinue?",
                         L"Unexpected element set_plain elem 1\rContinue?"}));
    ASSERT_EQ(p.board.plain_wires.size(), 2u);  // the texts hide nothing
    EXPECT_DOUBLE_EQ(p.board.plain_wires[1].curve, 45);
    EXPECT_DOUBLE_EQ(p.board.plain_wires[1].placed_y2, 8);  // plain points are taken as they are
    ASSERT_EQ(p.board.plain_circles.size(), 1u);
    EXPECT_DOUBLE_EQ(p.board.plain_circles[0].placed_radius, 2);
    ASSERT_EQ(p.board.plain_holes.size(), 1u);
    EXPECT_DOUBLE_EQ(p.board.extent.max_y, 8);
}

TEST(LibraryReader, PackagesDescriptionsAnd3dData) {
    std::string packages;
    for (int i = 0; i < 6; ++i)
        packages += "<package name=\"P" + std::to_string(i) + "\" urn=\"u\" "
                    "library_version=\"3\" locally_modified=\"yes\"><description/>"
                    "<wire x1=\"0\" y1=\"0\" x2=\"1\" y2=\"1\" layer=\"21\"/></package>";
    const Loaded p = parse_snippet(
        "<libraries><library/>"
        "<library name=\"empty\" urn=\"urn:x\"><description>none</description>"
        "<packages></packages></library><library name=\"none\"/><library></library><library/>"
        "<library name=\"six\" urn=\"urn:y\"><description language=\"de\">sechs</description>"
        "<description language=\"en\">six</description><packages>" + packages +
        "</packages><packages3d><package3d name=\"a\" urn=\"b\" type=\"model\">"
        "<description>3d</description><packageinstances><packageinstance name=\"P0\"/>"
        "</packageinstances></package3d></packages3d></library><library/>"
        "<library name=\"last\">" "<packages><package name=\"Q\"></package></packages></library>"
        "</libraries>");
    EXPECT_TRUE(p.boxes.empty());
    // a library without packages or a name is not kept, and the next ones are read as libraries
    ASSERT_EQ(p.board.libraries.size(), 2u);
    EXPECT_EQ(p.board.libraries[0].name, "six");
    ASSERT_EQ(p.board.libraries[0].packages.size(), 6u);
    EXPECT_EQ(p.board.libraries[0].packages[5].name, "P5");
    EXPECT_EQ(p.board.libraries[0].packages[5].wires.size(), 1u);
    EXPECT_EQ(p.board.libraries[1].name, "last");
    EXPECT_EQ(p.board.libraries[1].packages.size(), 1u);

    // An empty section is done at once, and what follows it is no library.
    const std::string wire = "<wire x1=\"0\" y1=\"0\" x2=\"1\" y2=\"0\" layer=\"21\"/>";
    EXPECT_TRUE(parse_snippet("<libraries/><plain>" + library_with("D", wire) + "</plain>")
                    .board.libraries.empty());
}

}  // namespace
}  // namespace tindral::test
