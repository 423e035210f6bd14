#include <gtest/gtest.h>

#include <cstring>

#include "board/section_readers.h"
#include "board_snippet.h"
#include "lists/list_rows.h"

namespace tindral::test {
namespace {

TEST(ElementRotation, SideAndAngleFromRotText) {
    struct Case {
        const wchar_t* text;
        bool known;
        uint32_t side;
        double degrees;
    } cases[] = {
        {L"R90", true, kSideTop, 90},       {L"MR90", true, kSideBottom, 270},
        {L"M0", true, kSideBottom, 180},    {L"RM90", true, kSideBottom, 270},
        {L"MR270", true, kSideBottom, 450},  // not reduced
        {L"SR90", true, kSideTop, 90},      {L"SMR90", true, kSideBottom, 270},
        {L"R22.5", true, kSideTop, 22.5},   {L"90", false, 0, 0},
        {L"S", false, 0, 0},
    };
    for (const Case& c : cases) {
        const Rotation r = read_rotation(c.text);
        EXPECT_EQ(r.known, c.known) << c.text;
        if (!c.known) continue;
        EXPECT_EQ(r.side, c.side) << c.text;
        EXPECT_DOUBLE_EQ(r.degrees, c.degrees) << c.text;
    }
}

TEST(ElementReader, AttributesIntoTheElementRecord) {
    const Loaded p = parse_snippet(
        "<elements>"
        "<element name=\"R1\" library=\"rcl\" package=\"0603\" value=\"10k\" x=\"1.5\" "
        "y=\"-2.25\" smashed=\"yes\" locked=\"no\" rot=\"MR90\" library_urn=\"u\" "
        "package3d_urn=\"v\" populate=\"no\"/>"
        "<element name=\"R2\" smashed=\"maybe\" locked=\"yes\" rot=\"SR180\"/>"
        "<element name=\"U1\" smashed=\"no\" rot=\"90\"/>"
        "</elements>");
    EXPECT_TRUE(p.boxes.empty());
    ASSERT_EQ(p.outcome.result, 1);
    ASSERT_EQ(p.board.elements.size(), 3u);
    const ElementRec& r1 = p.board.elements[0];
    EXPECT_EQ(r1.name + "|" + r1.library + "|" + r1.package + "|" + r1.value, "R1|rcl|0603|10k");
    EXPECT_DOUBLE_EQ(r1.x, 1.5);
    EXPECT_DOUBLE_EQ(r1.y, -2.25);
    EXPECT_EQ(r1.smashed, 1u);
    EXPECT_EQ(r1.locked, 0u);
    EXPECT_EQ(r1.side, kSideBottom);
    EXPECT_DOUBLE_EQ(r1.rotation, 270);

    const ElementRec& r2 = p.board.elements[1];
    EXPECT_EQ(r2.smashed, 1u);  // anything but "no"
    EXPECT_EQ(r2.locked, 1u);
    EXPECT_EQ(r2.side, kSideTop);
    EXPECT_DOUBLE_EQ(r2.rotation, 180);
    // a rot text without R or M changes nothing
    EXPECT_DOUBLE_EQ(p.board.elements[2].rotation, 0);
}

// Children other than attribute and variant, and unknown attributes, are asked about once.
// The model keeps a part's texts as UTF-8: each reaches the list as the file writes it, in both
// of its forms, and parts with the same text outside ASCII still share a group.
TEST(ElementReader, TextsOutsideAsciiReachTheListsAsTheFileHasThem) {
    const std::string ohm = "\xCE\xA9", micro = "\xC2\xB5", face = "\xF0\x9F\x98\x80";
    const Loaded p = parse_snippet(
        "<elements>"
        "<element name=\"" + ohm + "1\" library=\"l" + face + "\" package=\"P" + micro + "\" "
        "value=\"2.2" + micro + "F &amp; 4" + ohm + "\" x=\"1\" y=\"1\"/>"
        "<element name=\"C2\" library=\"l\" package=\"P" + micro + "\" value=\"2.2" + micro +
        "F &amp; 4" + ohm + "\" x=\"2\" y=\"1\"/>"
        "</elements>");
    ASSERT_EQ(p.outcome.result, 1);
    ASSERT_EQ(p.board.elements.size(), 2u);
    const ElementRec& e = p.board.elements[0];
    EXPECT_EQ(e.value, "2.2" + micro + "F & 4" + ohm);
    EXPECT_EQ(list_cell(e, 0, kColName), L"\u03A91");
    EXPECT_EQ(list_cell(e, 0, kColLibrary), std::wstring(L"l\U0001F600"));
    EXPECT_EQ(list_cell(e, 0, kColValue), L"2.2\u00B5F & 4\u03A9");
    std::string utf8;
    for (int c : {kColName, kColLibrary, kColPackage, kColValue}) {
        append_list_cell_utf8(utf8, e, 0, c);
        utf8 += '|';
    }
    EXPECT_EQ(utf8, ohm + "1|l" + face + "|P" + micro + "|2.2" + micro + "F & 4" + ohm + "|");
    EXPECT_EQ(e.group % 1000, p.board.elements[1].group % 1000);  // one package, one value
    EXPECT_EQ(e.amount_top, 2u);
}

TEST(ElementReader, UnknownChildrenAndAttributesAreAskedAboutOnce) {
    const Loaded p = parse_snippet(
        "<elements>"
        "<element name=\"C1\" value=\"1u\">"
        "<attribute name=\"NAME\" x=\"1\" y=\"2\" size=\"1\" layer=\"25\" rot=\"R90\"/>"
        "<attribute name=\"VALUE\" value=\"1u\" display=\"off\" constant=\"no\"/></element>"
        "<element name=\"C2\"><variant name=\"lite\" populate=\"no\"/></element>"
        "<element name=\"A\"><gizmo k=\"1\"><part a=\"1\"><sub><leaf/></sub></part>"
        "<part b=\"2\"/><gizmo/></gizmo><attribute name=\"NAME\"/></element>"
        // written <x .../>: its siblings are children of the element, each asked about
        "<element name=\"B\"><widget k=\"1\"/><gadget/><attribute name=\"VALUE\"/></element>"
        "<element name=\"C\"><thing><element name=\"inner\"/></thing></element>"
        // an unknown attribute is asked about once and the walk goes on past its value
        "<element name=\"D\" foo=\"bar\" y=\"6\"/>"
        "</elements>");
    Boxes asked;
    for (const char* name : {"gizmo", "widget", "gadget", "thing", "foo"})
        asked.push_back({Owner::none,
                         L"Unexpected element set elem " +
                             std::wstring(name, name + std::strlen(name)) + L"\rContinue?",
                         L"Tindral Warning", 0x42034});
    EXPECT_EQ(p.boxes, asked);
    std::string names;
    for (const ElementRec& e : p.board.elements) names += e.name + " ";
    // An element start inside an unknown child still begins an element.
    EXPECT_EQ(names, "C1 C2 A B C inner D ");
    EXPECT_EQ(p.board.elements[0].value, "1u");
    EXPECT_DOUBLE_EQ(p.board.elements.back().y, 6);
}

}  // namespace
}  // namespace tindral::test
