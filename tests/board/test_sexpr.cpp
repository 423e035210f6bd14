// KiCad's s-expressions into a tree: atoms, quoted strings with their escapes, lines across CR LF,
// and every way a file can be cut or broken named with its line.

#include <gtest/gtest.h>

#include <string>

#include "board/sexpr.h"

using namespace tindral;

TEST(SExpr, ReadsTheTreeWithLinesAndEscapes) {
    const SExprResult r = parse_sexpr(
        "(kicad_pcb (version 20171130)\r\n"
        "  (module Resistor_SMD:R_0603 (layer F.Cu) (at 10.5 -20 90)\r\n"
        "    (fp_text reference R1 (at 0 0) hide)\r\n"
        "    (fp_text value \"2.2\xC2\xB5" "F \\\"x\\\" \\\\ (y)\" (at 0 1))))");
    ASSERT_EQ(r.code, SExprCode::ok);
    EXPECT_EQ(r.root.head(), "kicad_pcb");
    EXPECT_EQ(r.root.find("version")->atom(1), "20171130");
    const SExpr* module = r.root.find("module");
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(module->line, 2u);
    EXPECT_EQ(module->atom(1), "Resistor_SMD:R_0603");
    const SExpr* at = module->find("at");
    EXPECT_EQ(at->items.size(), 4u);
    EXPECT_EQ(at->atom(2), "-20");
    EXPECT_EQ(at->atom(4), "");  // absent
    const SExpr& reference = module->items[4];
    EXPECT_EQ(reference.line, 3u);
    EXPECT_TRUE(reference.has_word("hide"));
    EXPECT_EQ(reference.atom(3), "");  // a list, not an atom
    const SExpr& value = module->items[5];
    EXPECT_EQ(value.atom(2), "2.2\xC2\xB5" "F \"x\" \\ (y)");
    EXPECT_TRUE(value.items[2].quoted);
    EXPECT_FALSE(value.has_word("2.2\xC2\xB5" "F \"x\" \\ (y)"));  // a quoted string is no word
    EXPECT_EQ(value.line, 4u);
    EXPECT_EQ(r.root.find("nothing"), nullptr);
}

TEST(SExpr, EveryBrokenFileIsNamedWithItsLine) {
    const struct {
        std::string text;
        SExprCode code;
        uint32_t line;
    } cases[] = {
        {"", SExprCode::empty, 1},
        {" \r\n\n", SExprCode::empty, 3},
        {"(kicad_pcb\n(version 1)\n", SExprCode::unclosed, 3},
        {")(kicad_pcb)", SExprCode::stray_close, 1},
        {"(kicad_pcb)\n)", SExprCode::trailing, 2},
        {"(kicad_pcb)\n(kicad_pcb)", SExprCode::trailing, 2},
        {"PCBNEW-BOARD Version 1 date 1/1/2010\n", SExprCode::trailing, 1},
        {"(a (b \"c)\n)\n", SExprCode::unterminated_string, 3},
        {"(a \"c\\", SExprCode::unterminated_string, 1},
        {std::string(kMaxSExprDepth + 1, '('), SExprCode::too_deep, 1},
        {std::string(kMaxSExprDepth, '(') + std::string(kMaxSExprDepth, ')') + "\n", SExprCode::ok, 0},
        {"(a)\r\n  \n", SExprCode::ok, 0},
    };
    for (const auto& c : cases) {
        const SExprResult r = parse_sexpr(c.text);
        EXPECT_EQ(r.code, c.code) << c.text;
        EXPECT_EQ(r.line, c.line) << c.text;
        if (r.code != SExprCode::ok) {
            EXPECT_TRUE(r.root.items.empty()) << c.text;
        }
    }
}
