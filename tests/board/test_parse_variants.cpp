// Assembly variants as read: <variantdefs>, each element's own choice and children, KiCad's dnp.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board/board_snippet.h"
#include "board/utf8.h"
#include "model/variants.h"

namespace tindral::test {
namespace {

// "name:value" of every part fitted in variant, in model order.
std::wstring fitted(const BoardModel& b, int32_t variant) {
    std::wstring out;
    for (const ElementRec& e : b.elements) {
        const PartChoice c = part_in_variant(e, variant, b.current_variant);
        if (!c.populated) continue;
        out += (out.empty() ? L"" : L" ") + utf8_to_wide(e.name + ":" + *c.value);
    }
    return out;
}

TEST(VariantReader, OwnBoardNamesCurrentAndEveryPartsChoice) {
    const Loaded l = load_own(L"v1-variants.brd");
    ASSERT_EQ(l.status.code, LoadCode::ok);
    EXPECT_TRUE(l.boxes.empty());  // variants and their children are nothing to ask about
    const BoardModel& b = l.board;
    // "lite" is declared twice and kept once, at its first place.
    EXPECT_EQ(b.variants, (std::vector<std::wstring>{L"proto", L"lite", L"full"}));
    EXPECT_EQ(b.current_variant, 0);
    EXPECT_EQ(b.chosen_variant, 0);  // a load shows the file's current variant
    // proto: R2's own populate="no" decides (no child names proto); U1's proto child beats its
    // own populate="no".
    EXPECT_EQ(fitted(b, 0), L"R1:10k C1:100nF C2:100nF U1:LM358");
    EXPECT_EQ(fitted(b, 1), L"R1:10k R2:10k C2:100nF");
    EXPECT_EQ(fitted(b, 2), L"R1:10k R2:10k C1:100nF C2:1uF U1:LM358");
    // Every element stays in the model and has its mark, fitted or not.
    EXPECT_EQ(b.elements.size(), 5u);
    EXPECT_EQ(b.marks.size(), 5u);
}

TEST(VariantReader, CurrentMarkChildrenAndOddDeclarations) {
    const std::string defs =
        "<variantdefs><variantdef name=\"a\"/><variantdef name=\"\"/>"
        "<variantdef name=\"b\" current=\"yes\"/><variantdef name=\"a\" current=\"yes\"/>"
        "</variantdefs>";
    const Loaded l = parse_snippet(
        defs +
        "<elements>"
        // Eagle's own writing: the current variant's choice on the element, b has no child.
        "<element name=\"P1\" value=\"1k\" populate=\"no\"><variant name=\"a\" value=\"2k\"/></element>"
        // A child for the current variant decides over the element's attribute; a repeated
        // child and one naming an undeclared variant change nothing.
        "<element name=\"P2\" value=\"1k\" populate=\"no\">"
        "<variant name=\"b\" populate=\"yes\" value=\"3k\"/><variant name=\"b\" populate=\"no\"/>"
        "<variant name=\"zz\" populate=\"no\"/></element>"
        // populate anything but "no" fits the part.
        "<element name=\"P3\" value=\"1k\" populate=\"yes\"><variant name=\"a\" populate=\"maybe\"/></element>"
        "</elements>");
    ASSERT_EQ(l.outcome.result, 1);
    const BoardModel& b = l.board;
    // The empty name is no variant; the later current="yes" on a repeated name moves nothing.
    EXPECT_EQ(b.variants, (std::vector<std::wstring>{L"a", L"b"}));
    EXPECT_EQ(b.current_variant, 1);
    EXPECT_EQ(fitted(b, 1), L"P2:3k P3:1k");
    // In a, not current: P1 fitted (its populate="no" belongs to b) with a's value.
    EXPECT_EQ(fitted(b, 0), L"P1:2k P2:1k P3:1k");
    EXPECT_TRUE(l.boxes.empty());
}

TEST(VariantReader, WithoutVariantsPopulateNoStillLeavesThePartOut) {
    const Loaded own = load_own(L"v2-no-variants.brd");
    ASSERT_EQ(own.status.code, LoadCode::ok);
    EXPECT_TRUE(own.board.variants.empty());
    EXPECT_EQ(own.board.current_variant, -1);
    EXPECT_EQ(fitted(own.board, -1), L"R1:10k C1:1k");
    EXPECT_FALSE(own.board.elements[1].populated);

    // No variantdefs at all, and variantdefs after the elements (Eagle never writes them
    // there): the variant children have nothing to name; the own attribute still counts.
    for (const std::string& body :
         {std::string("<elements><element name=\"A\" populate=\"no\"><variant name=\"x\" populate=\"yes\"/>"
                      "</element><element name=\"B\"/></elements>"),
          std::string("<elements><element name=\"A\" populate=\"no\"><variant name=\"x\" populate=\"yes\"/>"
                      "</element><element name=\"B\"/></elements>"
                      "<variantdefs><variantdef name=\"x\" current=\"yes\"/></variantdefs>")}) {
        const Loaded l = parse_snippet(body);
        SCOPED_TRACE(body);
        EXPECT_TRUE(l.board.variants.empty());
        EXPECT_EQ(fitted(l.board, -1), L"B:");
    }
}

TEST(VariantReader, VariantsFoundWhereEagleWritesThem) {
    // Between the libraries and the elements, with classes and design rules in between; a
    // <variantdefs> inside a library (no board has one) is not the board's.
    const Loaded l = parse_snippet(
        "<libraries><library name=\"lib\"><variantdefs><variantdef name=\"inner\"/></variantdefs>"
        "<packages><package name=\"P\"><wire x1=\"0\" y1=\"0\" x2=\"1\" y2=\"0\" width=\"0.1\" layer=\"21\"/>"
        "</package></packages></library></libraries>"
        "<attributes/><variantdefs><variantdef name=\"v1\"/><variantdef name=\"v2\" current=\"yes\"/></variantdefs>"
        "<classes><class number=\"0\" name=\"default\"/></classes>"
        "<designrules name=\"d\"><param name=\"x\" value=\"1\"/></designrules>"
        "<elements><element name=\"A\" library=\"lib\" package=\"P\" populate=\"no\"/></elements>",
        test_options(false));
    EXPECT_EQ(l.board.variants, (std::vector<std::wstring>{L"v1", L"v2"}));
    EXPECT_EQ(l.board.current_variant, 1);
    EXPECT_FALSE(l.board.elements.at(0).populated);

    // <variantdefs/> declares none: what follows it is not read as variants.
    const Loaded empty = parse_snippet(
        "<variantdefs/><elements><element name=\"A\" populate=\"no\"><variantdef name=\"stray\"/>"
        "</element></elements>",
        test_options(false));
    EXPECT_TRUE(empty.board.variants.empty());
    EXPECT_FALSE(empty.board.elements.at(0).populated);

    // A board that marks none current starts on the first one (as the CO2 boards do).
    const Loaded none = parse_snippet(
        "<variantdefs><variantdef name=\"light\"/></variantdefs>"
        "<elements><element name=\"A\" populate=\"no\"/></elements>");
    EXPECT_EQ(none.board.current_variant, 0);
    EXPECT_FALSE(none.board.elements.at(0).populated);
}

}  // namespace
}  // namespace tindral::test
