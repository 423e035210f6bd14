// The token stream of board XML in memory, alike with libxml2 and with XmlLite.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "board_snippet.h"

using namespace tindral;
using test::Boxes;

namespace {

using Tok = std::pair<int, std::wstring>;
using Toks = std::vector<Tok>;

const std::string kDecl = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";
const std::string kDoctype = "<!DOCTYPE eagle SYSTEM \"eagle.dtd\">";
const std::wstring kOnlyV6V7 = L"Tindral can only handle files generated from Eagle Version V6 or V7";

Toks toks(const TokenList& list) {
    Toks out;
    for (const XmlToken& t : list.tokens) out.emplace_back(t.kind, t.text());
    return out;
}

// One tokeniser run: its result as one text, the tokens and the boxes it showed.
struct Outcome {
    std::string result;
    TokenList list;
    Boxes boxes;
};

std::string code_text(const LoadStatus& s) {
    switch (s.code) {
    case LoadCode::ok: return "ok";
    case LoadCode::damaged: return "damaged at " + std::to_string(s.line);
    case LoadCode::not_eagle: return "not eagle";
    case LoadCode::not_xml:
    case LoadCode::unsupported_version: return "refused";
    default: return "failed";
    }
}

// The boxes the user sees of a tokeniser run: its warnings, then its status.
Outcome run(const std::string& xml, uint32_t language = 1) {
    Outcome out;
    const TokeniseResult r = tokenise_bytes(xml, &open_platform_xml_reader, out.list);
    out.result = code_text(r.status);
    out.boxes = test::tokenise_boxes(r, language);
    return out;
}

test::ShownBox damaged_box(uint32_t line) {
    return {Owner::main,
            L"The file is damaged or incomplete (line " + std::to_wstring(line) +
                L").\rThe lists may be incomplete.",
            L"Tindral Warning", 0x2030};
}

// The tokens between <eagle> and </eagle> of a small document.
Toks inner(const std::string& body) {
    const Outcome r = run("<?xml version=\"1.0\"?><eagle>" + body + "</eagle>");
    EXPECT_EQ(r.result, "ok") << body;
    EXPECT_TRUE(r.boxes.empty()) << body;
    Toks t = toks(r.list);
    EXPECT_GE(t.size(), 4u);
    if (t.size() < 4) return {};
    EXPECT_EQ(t[3], Tok(1, L"eagle"));
    EXPECT_EQ(t.back(), Tok(4, L"eagle"));
    return Toks(t.begin() + 4, t.end() - 1);
}

}  // namespace

TEST(Tokenise, TokensAsTheReaderDeliversThem) {
    const struct {
        const char* what;
        std::string body;
        Toks tokens;
    } cases[] = {
        {"empty forms", "<plain></plain><plain /><a x=\"1\"></a><b/>",
         {{1, L"plain"}, {4, L"plain"}, {1, L"plain"}, {0, L""}, {1, L"a"}, {2, L"x"}, {3, L"1"},
          {4, L"a"}, {1, L"b"}, {0, L""}}},
        {"dropped nodes", "\n  <!-- note -->\r\n\t<?pi data?><a><![CDATA[raw <x>]]></a>\n",
         {{1, L"a"}, {4, L"a"}}},
        // Entities and references resolved; text around them stays one token, blanks kept.
        {"references", "<d>a &amp; b &lt;c&gt; &#228;&#x20AC;</d><d>\n  R1 &quot;x&apos;\n</d>",
         {{1, L"d"}, {6, L"a & b <c> \u00E4\u20AC"}, {4, L"d"}, {1, L"d"}, {6, L"\n  R1 \"x'\n"},
          {4, L"d"}}},
        {"values", "<e name=\"R&amp;1\" value='&lt;10k&gt;'/>",
         {{1, L"e"}, {2, L"name"}, {3, L"R&1"}, {2, L"value"}, {3, L"<10k>"}}},
        // Line breaks arrive as LF; text split by a CDATA section gives two tokens.
        {"line breaks", "<d>x\r\ny</d><d>a<![CDATA[b]]>c</d>",
         {{1, L"d"}, {6, L"x\ny"}, {4, L"d"}, {1, L"d"}, {6, L"a"}, {6, L"c"}, {4, L"d"}}},
        {"outside the BMP", "<d v=\"\xF0\x9F\x98\x80\">\xC3\xB6</d>",
         {{1, L"d"}, {2, L"v"}, {3, std::wstring(L"\U0001F600")}, {6, L"\u00F6"}, {4, L"d"}}},
        {"prefixes dropped", "<q:part xmlns:q=\"urn:x\"><q:pad q:name=\"1\"/></q:part>",
         {{1, L"part"}, {2, L"q"}, {3, L"urn:x"}, {1, L"pad"}, {2, L"name"}, {3, L"1"},
          {4, L"part"}}},
    };
    for (const auto& c : cases) EXPECT_EQ(inner(c.body), c.tokens) << c.what;

    // Comments and instructions before and after the root are dropped as well.
    const Outcome r = run(kDecl + "<!-- c --><?pi x?>\n<eagle/>\n<!-- after -->");
    EXPECT_EQ(r.result, "ok");
    EXPECT_EQ(toks(r.list), (Toks{{5, L"xml"}, {2, L"version"}, {3, L"1.0"}, {2, L"encoding"},
                                  {3, L"utf-8"}, {1, L"eagle"}, {0, L""}}));
    EXPECT_EQ(r.list.at(r.list.count()).kind, kTokenEmptyEnd);
}

TEST(Tokenise, EagleDoctypeLinesAreCutWherever) {
    const Outcome r = run(kDecl + kDoctype + "\n<eagle>\n<a/>" + kDoctype + "\n<b/></eagle>");
    EXPECT_EQ(r.result, "ok");
    EXPECT_TRUE(r.boxes.empty());
    EXPECT_EQ(r.list.count(), 11u);
    EXPECT_EQ(r.list.at(8).text(), L"b");
}

TEST(Tokenise, ForeignRootsAndFilesThatBreakBeforeTheFirstElementAreNoBoards) {
    const std::string root = "\n<eagle><a/></eagle>";
    // Nothing shows they are boards: refused like a foreign root, not loaded as empty boards.
    // The root's name must be eagle exactly.
    const std::string cases[] = {
        kDecl + kDoctype + "\n<Eagle/>",
        kDecl + kDoctype + "\n<EAGLE></EAGLE>",
        kDecl + kDoctype + "\n<board/>",
        kDecl + "<!DOCTYPE eagle SYSTEM 'eagle.dtd'>" + root,
        kDecl + "<!DOCTYPE  eagle SYSTEM \"eagle.dtd\">" + root,
        kDecl + "<!DOCTYPE eagle [<!ENTITY a \"aaaaaaaaaa\">]>" + root,
        kDecl.substr(0, kDecl.size() - 1),
        kDecl,
        kDecl + "<!-- only a comment -->\n",
        kDecl + kDoctype + "\n<eag",
        kDecl + kDoctype + "\n<eagle version=\"7",
        "<?xml version",
        kDecl + "\xFF<eagle/>",
    };
    for (const std::string& xml : cases) {
        const Outcome r = run(xml);
        EXPECT_EQ(r.result, "not eagle") << xml;
        EXPECT_EQ(r.list.count(), 0u) << xml;
        EXPECT_EQ(r.boxes, (Boxes{{Owner::none, L"This file doe not seem not to be a Eagle file",
                                   L"Tindral Error", 0x10}}))
            << xml;
    }
    // The local name counts, not the prefix.
    EXPECT_EQ(run(kDecl + kDoctype + "\n<x:eagle xmlns:x=\"u\"/>").result, "ok");
}

TEST(Tokenise, LeadingLineBreaksUpToEightyAreSkippedOtherBeginningsRefused) {
    const std::string ok_rest = kDecl + "<eagle/>";
    const std::wstring unsupported = L" Unsupported Eagle version";
    // An empty text: the file is read; otherwise the one box shown and the path dropped.
    const std::pair<std::string, std::wstring> cases[] = {
        {std::string(80, '\n') + ok_rest, L""},
        {std::string(40, '\r') + std::string(40, '\n') + ok_rest, L""},
        {std::string(1, '\n') + ok_rest, L""},
        {"", kOnlyV6V7},
        {std::string(5, '\n'), kOnlyV6V7},
        {std::string(80, '\n'), kOnlyV6V7},
        {std::string(81, '\n'), unsupported},
        {std::string(40, '\r') + std::string(41, '\n') + ok_rest, unsupported},
        {std::string(300, '\n'), unsupported},
        {"\xEF\xBB\xBF" + ok_rest, kOnlyV6V7},
        {" " + ok_rest, kOnlyV6V7},
        {"\t" + ok_rest, kOnlyV6V7},
        {"<?xml  version=\"1.0\"?><eagle/>", kOnlyV6V7},
        {"<?xml versio", kOnlyV6V7},
    };
    for (const auto& [bytes, text] : cases) {
        const Outcome r = run(bytes);
        EXPECT_EQ(r.result, text.empty() ? "ok" : "refused") << bytes.size();
        EXPECT_EQ(r.list.count(), text.empty() ? 7u : 0u);
        EXPECT_EQ(r.boxes, (text.empty() ? Boxes{} : Boxes{{Owner::main, text, L"Tindral Error", 0x2000}}))
            << bytes.size();
    }
    EXPECT_EQ(run(std::string(81, '\r') + ok_rest, 0).boxes,
              (Boxes{{Owner::main, L" Nicht unterst\u00FCtzte Eagle Version", L"Tindral Fehler", 0x2000}}));
}

TEST(Tokenise, BrokenXmlKeepsTheTokensReadAndSaysSo) {
    struct Case {
        std::string tail;    // after the declaration line and <eagle>
        size_t count;        // tokens kept
    };
    // Lines: 1 declaration, 2 <eagle>, 3 onwards the tail; reading stops in line 5.
    const Case cases[] = {
        {"\n<a x=\"1\">\n<b/>\n<c>text", 12},   // ends inside element text
        {"\n<a x=\"1\">\n<b/>\n<c y=\"", 11},    // ends inside a tag
        {"\n<a x=\"1\">\n<b/>\n</q>\n</a>", 11},  // mismatched end tag
        {"\n<a x=\"1\">\n<b/>\n<c>\xFF\xFE</c>", 12},  // invalid UTF-8
        {"\n<a x=\"1\">\n<b/>\n<c>ok\xC3\x28</c>", 12},    // broken two-byte sequence
        {"\n<a x=\"1\">\n<b/>\n<c v=\"\xED\xA0\x80\"/>", 11},  // encoded surrogate
        {"\n<a x=\"1\">\n<b/>\n<c>\x01</c>", 12},  // control character
    };
    // Also with the fault far enough into the file that whole blocks of bytes are checked at once.
    for (const std::string& pad : {std::string(), std::string(128, ' ')}) {
        for (const Case& c : cases) {
            const Outcome r = run(kDecl + "<eagle>" + c.tail + pad);
            EXPECT_EQ(r.result, "damaged at 5") << c.tail;
            EXPECT_EQ(r.list.count(), c.count) << c.tail;
            EXPECT_EQ(r.list.at(9).text(), L"b") << c.tail;
            EXPECT_EQ(r.boxes, Boxes{damaged_box(5)}) << c.tail;
        }
    }
}

// A cut file reads alike with every reader, though one holds texts back and one closes tags.
TEST(Tokenise, AFileCutOffReadsAlikeWithEveryReader) {
    const std::string head = kDecl + kDoctype + "\n<eagle v=\"1\">\n<plain>\n<text s=\"2\">ab</text>\n";
    // Lines: 1 declaration, 2 DOCTYPE, 3 <eagle>, 4 <plain>, 5 <text>, 6 onwards the tail.
    struct Case {
        std::string tail;
        const char* result;
        size_t count;  // tokens kept
    };
    const size_t head_tokens = 14;  // declaration (5), eagle (3), plain, text (3), "ab", </text>
    const Case cases[] = {
        {"</plain>\n", "damaged at 6", head_tokens + 1},  // between tags: nothing closed for it
        {"</plain>", "damaged at 6", head_tokens + 1},
        {"</plain>\n\n<!-- end -->\n", "damaged at 8", head_tokens + 1},
        {"<text>cd</text", "damaged at 6", head_tokens + 1},  // <text> without the text "cd"
        {"<text>cd</", "damaged at 6", head_tokens + 1},
        {"<text>cd", "damaged at 6", head_tokens + 1},
        {"</plain>\n</eagle>\n", "ok", head_tokens + 2},  // whole, for comparison
    };
    for (const Case& c : cases) {
        const Outcome r = run(head + c.tail);
        EXPECT_EQ(r.result, c.result) << c.tail;
        EXPECT_EQ(r.list.count(), c.count) << c.tail;
        if (r.list.count() == 0) continue;
        EXPECT_NE(r.list.tokens.back().text(), L"cd") << c.tail;
    }
    // Cut inside <eagle>'s own line break: the last byte is in line 3.
    EXPECT_EQ(run(kDecl + kDoctype + "\n<eagle v=\"1\">\n").result, "damaged at 3");
    // A fault before the cut keeps the reader's line: the mismatched end tag in line 5.
    EXPECT_EQ(run(kDecl + "<eagle>\n<a>\n<b/>\n</q>\n\n\n").result, "damaged at 5");
}

TEST(Tokenise, NodesLongBeforeAnErrorAreAllKept) {
    // Readers that parse in blocks must not lose the nodes of the block that holds the error.
    std::string body;
    for (int i = 0; i < 300; ++i) body += "<e n=\"" + std::to_string(i) + "\"/>\n";
    const Outcome r = run(kDecl + "<eagle>\n" + body + "</q>");
    EXPECT_EQ(r.result, "damaged at 303");
    ASSERT_EQ(r.list.count(), 6u + 300 * 3);
    EXPECT_EQ(r.list.tokens.back().text(), L"299");
}

TEST(Tokenise, DamagedLineCountsTheLinesThatWereCut) {
    // Three leading blank lines and the DOCTYPE line are not seen by the reader, but the line
    // reported is the file's: 1-3 blank, 4 declaration, 5 DOCTYPE, 6 <eagle>, 7 <x>, 8 </y>.
    for (const std::string eol : {"\n", "\r\n"}) {
        const Outcome r = run(eol + eol + eol + "<?xml version=\"1.0\"?>" + eol + kDoctype + eol +
                          "<eagle>" + eol + "<x>" + eol + "</y>" + eol);
        EXPECT_EQ(r.result, "damaged at 8") << (eol.size() == 2 ? "CR LF" : "LF");
        EXPECT_EQ(r.list.count(), 5u);
    }
}

TEST(Tokenise, TagWithMoreAttributesThanAnyBoardEndsTheFileThere) {
    auto attributes = [](int n) {
        std::string a;
        for (int i = 0; i < n; ++i) a += " a" + std::to_string(i) + "=\"=\"";
        return a;
    };
    // Line 3 holds the crowded tag; what comes before it stands. The reader would take minutes
    // over tens of thousands of attributes.
    const Outcome crowded = run(kDecl + "<eagle>\n<a x=\"1\"/>\n<b" + attributes(20000) +
                                "/>\n<c/></eagle>");
    EXPECT_EQ(crowded.result, "damaged at 3");
    EXPECT_EQ(crowded.list.count(), 9u);
    EXPECT_EQ(crowded.boxes, Boxes{damaged_box(3)});

    // Up to the bound a tag reads whole; '=' in values, comments, CDATA and instructions and
    // '>' inside values count for nothing.
    const std::string busy = "<!-- <x" + attributes(100) + "> --><![CDATA[<y" + attributes(100) +
                             ">]]><?pi" + attributes(100) + "?><b" + attributes(62) +
                             " gt=\"a>b\" q='\"==\"'/>";
    const Outcome full = run(kDecl + "<eagle>" + busy + "</eagle>");
    EXPECT_EQ(full.result, "ok");
    EXPECT_EQ(full.list.count(), 5u + 2 + 2 * 64 + 1);
}

TEST(Tokenise, HugeValuesAndDeepNestingEndCleanly) {
    const std::string value(1'000'000, 'v');
    const Outcome big = run(kDecl + "<eagle><a big=\"" + value + "\">" + value + "</a></eagle>");
    EXPECT_EQ(big.result, "ok");
    ASSERT_EQ(big.list.count(), 12u);
    EXPECT_EQ(big.list.at(8).text().size(), value.size());
    EXPECT_EQ(big.list.at(9).text().size(), value.size());

    // Far deeper than any board: the walk stops at the 250th level, as damage, whichever
    // reader runs (each has its own limit a little further down).
    std::string deep = kDecl + "<eagle>";
    for (int i = 0; i < 100'000; ++i) deep += "<n>";
    const Outcome d = run(deep);
    EXPECT_EQ(d.result, "damaged at 2");
    EXPECT_EQ(d.list.count(), 5u + 250);  // declaration, eagle, 249 levels of n
    EXPECT_EQ(d.boxes.size(), 1u);

    // The same with one element per line and attributes: the line is the element's.
    std::string lines = "<?xml version=\"1.0\"?>\n<eagle>";
    for (int i = 0; i < 300; ++i) lines += "<n a=\"" + std::to_string(i) + "\">\n";
    for (int i = 0; i < 300; ++i) lines += "</n>";
    const Outcome l = run(lines + "</eagle>");
    EXPECT_EQ(l.result, "damaged at 251");
    ASSERT_EQ(l.list.count(), 3u + 1 + 249 * 3);
    EXPECT_EQ(l.list.tokens.back().text(), L"248");
}

// <signals> contents are left out only where no section can hide, with the same outcome.
TEST(Tokenise, SignalsLeftOutOnlyWhereNoSectionCanHide) {
    const auto both = [](const std::string& xml, Toks& all, Toks& kept, size_t& skipped_at) {
        TokenList a, k;
        const TokeniseResult ra = tokenise_bytes(xml, &open_platform_xml_reader, a);
        const TokeniseResult rk =
            tokenise_bytes(xml, &open_platform_xml_reader, k, TokenKeep::walked);
        EXPECT_EQ(code_text(ra.status), code_text(rk.status)) << xml;
        EXPECT_EQ(a.skipped_at, std::string::npos);
        all = toks(a);
        kept = toks(k);
        skipped_at = k.skipped_at;
        if (skipped_at < k.count()) {
            EXPECT_THROW(k.at(skipped_at + 1), SkippedTokensRead);
        }
    };
    const std::string signals = "<signals><signal name=\"GND\"><wire x1=\"1\"/>"
                                "<contactref element=\"R1\"/></signal></signals>";
    Toks all, kept;
    size_t at = 0;
    both(test::board_file("<plain/>" + signals + "<x/>"), all, kept, at);
    const auto from = std::find(all.begin(), all.end(), Tok(kTokenStart, L"signals")) + 1;
    const auto to = std::find(all.begin(), all.end(), Tok(kTokenEnd, L"signals"));
    ASSERT_EQ(at, static_cast<size_t>(from - all.begin()));
    Toks expected(all.begin(), from);
    expected.insert(expected.end(), {Tok(kTokenSkipped, L""), Tok(kTokenSkipped, L"")});
    expected.insert(expected.end(), to, all.end());
    EXPECT_EQ(kept, expected);
    EXPECT_EQ(to - from, 10);

    // Every token is kept: a section the walk looks up by name inside, <signals> elsewhere or
    // without contents, or a file that ends (damaged) inside them.
    const std::string keep_all[] = {
        test::board_file("<signals><signal><plain/></signal></signals>"),
        test::board_file("<signals><elements a=\"1\"/></signals>"),
        test::board_file("<plain><signals><s/></signals></plain>"),
        "<?xml version=\"1.0\"?><eagle><signals><s/></signals></eagle>",
        test::board_file("<signals/>"),
        test::board_file("<signals>" + signals.substr(9, 40)),
        test::board_file(signals).substr(0, test::board_file(signals).size() - 40),
    };
    for (const std::string& xml : keep_all) {
        both(xml, all, kept, at);
        EXPECT_EQ(kept, all) << xml;
        EXPECT_EQ(at, std::string::npos) << xml;
    }
}
