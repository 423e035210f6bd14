// KiCad's s-expressions into a tree, and every cut or broken file named with its line.

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

namespace {

bool keep_named(std::string_view head) { return head == "keep" || head == "pad"; }

}  // namespace

TEST(SExpr, ListsNotKeptStayEmptyInTheirPlace) {
    const SExprResult r = parse_sexpr(
        "(top (drop (keep a) \"x)\" b) (keep 1 (drop 2) 3 (pad \"p\") ((keep))) (\"keep\" q) atom ())", keep_named);
    ASSERT_EQ(r.code, SExprCode::ok);
    ASSERT_EQ(r.root.items.size(), 6u);
    EXPECT_TRUE(r.root.items[1].list);  // dropped with its inside, kept names and all
    EXPECT_TRUE(r.root.items[1].items.empty());
    const SExpr& keep = r.root.items[2];
    ASSERT_EQ(keep.items.size(), 6u);
    EXPECT_EQ(keep.atom(1), "1");
    EXPECT_TRUE(keep.items[2].list && keep.items[2].items.empty());
    EXPECT_EQ(keep.atom(3), "3");  // the atoms after a dropped list keep their places
    EXPECT_EQ(keep.find("pad")->atom(1), "p");
    EXPECT_TRUE(keep.items[5].items.empty());  // a list for a head has no name to keep it by
    EXPECT_EQ(r.root.items[3].atom(1), "q");   // a quoted head counts as its text
    EXPECT_EQ(r.root.atom(4), "atom");
}

// Lists not kept are only checked: every cut or lost character faults as in the whole tree.
TEST(SExpr, FaultsInListsNotKeptAreNamedAsInTheWholeTree) {
    const std::string text =
        "(top\n (drop (keep \"a\\\"b\\\\\") \"line\nbreak\" \"esc\\\nline\" ((((x)))) )\n"
        " (keep (drop \"s)\" (y \"(\")) \"q\\\"\" (pad ( z) ))\n (\"dr\\op\" 1\n 2)\n)\n";
    const auto same = [](const std::string& t) {
        const SExprResult whole = parse_sexpr(t), kept = parse_sexpr(t, keep_named);
        EXPECT_EQ(whole.code, kept.code) << t;
        EXPECT_EQ(whole.line, kept.line) << t;
    };
    for (size_t n = 0; n <= text.size(); ++n) same(text.substr(0, n));
    for (size_t i = 0; i < text.size(); ++i) same(text.substr(0, i) + text.substr(i + 1));
    same("(top (drop " + std::string(kMaxSExprDepth - 2, '(') + "))");
    same("(top (drop " + std::string(kMaxSExprDepth - 3, '(') + std::string(kMaxSExprDepth, ')'));
    same("(top (" + std::string(kMaxSExprDepth, '('));
}

TEST(SExpr, VisitHandsOverEachTopLevelItemWholeAndInOrder) {
    std::vector<std::string> seen;
    const SExprResult r = visit_sexpr("(top head (keep (pad \"a\\\"\") 1) (drop 2) (keep (pad b)))", keep_named,
                                      [&](const SExpr& item, size_t index) {
                                          std::string s = std::to_string(index) + ":";
                                          if (!item.list) s += item.text;
                                          if (const SExpr* pad = item.find("pad")) s += std::string(pad->atom(1));
                                          s += std::to_string(item.items.size());
                                          seen.push_back(s);
                                      });
    ASSERT_EQ(r.code, SExprCode::ok);
    EXPECT_TRUE(r.root.items.empty());
    EXPECT_EQ(seen, (std::vector<std::string>{"0:top0", "1:head0", "2:a\"3", "3:0", "4:b2"}));

    seen.clear();
    const SExprResult broken = visit_sexpr("(top (keep 1)\n(keep 2)\n(keep", keep_named,
                                           [&](const SExpr&, size_t index) { seen.push_back(std::to_string(index)); });
    EXPECT_EQ(broken.code, SExprCode::unclosed);
    EXPECT_EQ(broken.line, 3u);
    EXPECT_EQ(seen.size(), 3u);  // the items before the fault were seen
}
