// The token stream of board XML held in memory; the same tests run against libxml2 natively
// and against XmlLite in the Windows build.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "board/tokenise.h"
#include "support/language_guard.h"
#include "support/recording_port.h"

using namespace tindral;
using test::LanguageGuard;
using test::RecordingPort;

namespace {

using Tok = std::pair<int, std::wstring>;
using Toks = std::vector<Tok>;

const std::string kDecl = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";
const std::string kDoctype = "<!DOCTYPE eagle SYSTEM \"eagle.dtd\">";

Toks toks(const TokenList& list) {
    Toks out;
    for (const XmlToken& t : list.tokens) out.emplace_back(t.kind, t.text);
    return out;
}

// The tokens between <eagle> and </eagle> of a small document.
Toks inner(const std::string& body) {
    RecordingPort port;
    TokenList list;
    const TokeniseResult r = tokenise_bytes("<?xml version=\"1.0\"?><eagle>" + body + "</eagle>", list);
    EXPECT_TRUE(r.ok && !r.damaged) << body;
    EXPECT_TRUE(port.boxes.empty()) << body;
    Toks t = toks(list);
    EXPECT_GE(t.size(), 4u);
    if (t.size() < 4) return {};
    EXPECT_EQ(t[3], Tok(1, L"eagle"));
    EXPECT_EQ(t.back(), Tok(4, L"eagle"));
    return Toks(t.begin() + 4, t.end() - 1);
}

}  // namespace

TEST(Tokenise, WorkedExampleTokenByToken) {
    RecordingPort port;
    TokenList list;
    const std::string xml = kDecl + kDoctype + "\n" +
        "<eagle version=\"7.2.0\"><drawing><grid distance=\"0.1\" unit=\"mm\"/><plain/>"
        "<description>Board</description></drawing></eagle>";
    const TokeniseResult r = tokenise_bytes(xml, list);
    EXPECT_TRUE(r.ok);
    EXPECT_FALSE(r.damaged);
    EXPECT_FALSE(r.drop_path);
    EXPECT_TRUE(port.boxes.empty());
    const Toks expected = {
        {5, L"xml"},      {2, L"version"},  {3, L"1.0"},   {2, L"encoding"}, {3, L"utf-8"},
        {1, L"eagle"},    {2, L"version"},  {3, L"7.2.0"}, {1, L"drawing"},  {1, L"grid"},
        {2, L"distance"}, {3, L"0.1"},      {2, L"unit"},  {3, L"mm"},       {1, L"plain"},
        {0, L""},         {1, L"description"}, {6, L"Board"}, {4, L"description"},
        {4, L"drawing"},  {4, L"eagle"},
    };
    EXPECT_EQ(toks(list), expected);
    EXPECT_EQ(list.count(), 21u);
    EXPECT_EQ(list.at(list.count()).kind, kTokenEmptyEnd);
}

TEST(Tokenise, EmptyElementForms) {
    EXPECT_EQ(inner("<grid distance=\"0.1\"/>"), (Toks{{1, L"grid"}, {2, L"distance"}, {3, L"0.1"}}));
    EXPECT_EQ(inner("<plain/>"), (Toks{{1, L"plain"}, {0, L""}}));
    EXPECT_EQ(inner("<plain></plain>"), (Toks{{1, L"plain"}, {4, L"plain"}}));
    EXPECT_EQ(inner("<plain />"), (Toks{{1, L"plain"}, {0, L""}}));
    EXPECT_EQ(inner("<a x=\"1\"></a><b/>"),
              (Toks{{1, L"a"}, {2, L"x"}, {3, L"1"}, {4, L"a"}, {1, L"b"}, {0, L""}}));
}

TEST(Tokenise, DropsWhitespaceCommentsCdataAndInstructions) {
    EXPECT_EQ(inner("\n  <!-- note -->\r\n\t<?pi data?><a><![CDATA[raw <x>]]></a>\n"),
              (Toks{{1, L"a"}, {4, L"a"}}));
    // Comments and instructions before the root are dropped as well.
    RecordingPort port;
    TokenList list;
    const auto r = tokenise_bytes(kDecl + "<!-- c --><?pi x?>\n<eagle/>\n<!-- after -->", list);
    EXPECT_TRUE(r.ok && !r.damaged);
    EXPECT_EQ(toks(list), (Toks{{5, L"xml"}, {2, L"version"}, {3, L"1.0"}, {2, L"encoding"},
                                {3, L"utf-8"}, {1, L"eagle"}, {0, L""}}));
}

TEST(Tokenise, TextAndValuesAsTheReaderDeliversThem) {
    // Entities and character references resolved; text around them stays one token; text
    // with blanks around it keeps them.
    EXPECT_EQ(inner("<d>a &amp; b &lt;c&gt; &#228;&#x20AC;</d>"),
              (Toks{{1, L"d"}, {6, L"a & b <c> \u00E4\u20AC"}, {4, L"d"}}));
    EXPECT_EQ(inner("<d>\n  R1 &quot;x&apos;\n</d>"),
              (Toks{{1, L"d"}, {6, L"\n  R1 \"x'\n"}, {4, L"d"}}));
    EXPECT_EQ(inner("<e name=\"R&amp;1\" value='&lt;10k&gt;'/>"),
              (Toks{{1, L"e"}, {2, L"name"}, {3, L"R&1"}, {2, L"value"}, {3, L"<10k>"}}));
    // Line breaks in text arrive as LF; text split by a CDATA section gives two tokens.
    EXPECT_EQ(inner("<d>x\r\ny</d><d>a<![CDATA[b]]>c</d>"),
              (Toks{{1, L"d"}, {6, L"x\ny"}, {4, L"d"}, {1, L"d"}, {6, L"a"}, {6, L"c"},
                    {4, L"d"}}));
    // UTF-8 outside the BMP survives.
    EXPECT_EQ(inner("<d v=\"\xF0\x9F\x98\x80\">\xC3\xB6</d>"),
              (Toks{{1, L"d"}, {2, L"v"}, {3, std::wstring(L"\U0001F600")}, {6, L"\u00F6"},
                    {4, L"d"}}));
}

TEST(Tokenise, NamespacePrefixesAreDropped) {
    EXPECT_EQ(inner("<q:part xmlns:q=\"urn:x\"><q:pad q:name=\"1\"/></q:part>"),
              (Toks{{1, L"part"}, {2, L"q"}, {3, L"urn:x"}, {1, L"pad"}, {2, L"name"}, {3, L"1"},
                    {4, L"part"}}));
}

TEST(Tokenise, EagleDoctypeLinesAreCutWherever) {
    RecordingPort port;
    TokenList list;
    const std::string xml = kDecl + kDoctype + "\n<eagle>\n<a/>" + kDoctype + "\n<b/></eagle>";
    const TokeniseResult r = tokenise_bytes(xml, list);
    EXPECT_TRUE(r.ok && !r.damaged);
    EXPECT_TRUE(port.boxes.empty());
    EXPECT_EQ(list.count(), 11u);
    EXPECT_EQ(list.at(8).text, L"b");
}

TEST(Tokenise, OtherDoctypesStopTheReaderAsDamage) {
    for (const std::string doctype : {"<!DOCTYPE eagle SYSTEM 'eagle.dtd'>",
                                      "<!DOCTYPE  eagle SYSTEM \"eagle.dtd\">",
                                      "<!DOCTYPE eagle [<!ENTITY a \"aaaaaaaaaa\">]>"}) {
        RecordingPort port;
        LanguageGuard en(1);
        TokenList list;
        const TokeniseResult r =
            tokenise_bytes(kDecl + doctype + "\n<eagle><a/></eagle>", list);
        EXPECT_TRUE(r.ok) << doctype;
        EXPECT_TRUE(r.damaged) << doctype;
        EXPECT_FALSE(r.drop_path);
        EXPECT_EQ(r.damaged_line, 2u) << doctype;
        EXPECT_EQ(list.count(), 5u) << doctype;  // the declaration only
        ASSERT_EQ(port.boxes.size(), 1u);
        EXPECT_EQ(port.boxes[0].text,
                  L"The file is damaged or incomplete (line 2).\rThe lists may be incomplete.");
        EXPECT_EQ(port.boxes[0].title, L"Tindral Warning");
        EXPECT_EQ(port.boxes[0].owner, Owner::main);
    }
}

TEST(Tokenise, DocumentWithoutAnyElementIsDamaged) {
    // Lines: the last line of the file is reported.
    const std::pair<std::string, uint32_t> cases[] = {
        {kDecl.substr(0, kDecl.size() - 1), 1},
        {kDecl, 2},
        {kDecl + "<!-- only a comment -->\n", 3},
    };
    for (const auto& [xml, line] : cases) {
        RecordingPort port;
        TokenList list;
        const TokeniseResult r = tokenise_bytes(xml, list);
        EXPECT_TRUE(r.ok) << xml;
        EXPECT_TRUE(r.damaged) << xml;
        EXPECT_EQ(r.damaged_line, line) << xml;
        EXPECT_EQ(list.count(), 5u);
        EXPECT_EQ(port.boxes.size(), 1u);
    }
}

TEST(Tokenise, RefusedBeginningsShowOneBoxAndDropThePath) {
    struct Case {
        std::string bytes;
        const wchar_t* text;
    };
    const std::string ok_rest = kDecl + "<eagle/>";
    const Case cases[] = {
        {"", L"Tindral can only handle files generated from Eagle Version V6 or V7"},
        {std::string(5, '\n'), L"Tindral can only handle files generated from Eagle Version V6 or V7"},
        {std::string(80, '\n'), L"Tindral can only handle files generated from Eagle Version V6 or V7"},
        {std::string(81, '\n'), L" Unsupported Eagle version"},
        {std::string(40, '\r') + std::string(41, '\n') + ok_rest, L" Unsupported Eagle version"},
        {std::string(300, '\n'), L" Unsupported Eagle version"},
        {"\xEF\xBB\xBF" + ok_rest, L"Tindral can only handle files generated from Eagle Version V6 or V7"},
        {" " + ok_rest, L"Tindral can only handle files generated from Eagle Version V6 or V7"},
        {"\t" + ok_rest, L"Tindral can only handle files generated from Eagle Version V6 or V7"},
        {"<?xml  version=\"1.0\"?><eagle/>", L"Tindral can only handle files generated from Eagle Version V6 or V7"},
        {"<?xml versio", L"Tindral can only handle files generated from Eagle Version V6 or V7"},
    };
    LanguageGuard en(1);
    for (const Case& c : cases) {
        RecordingPort port;
        TokenList list;
        const TokeniseResult r = tokenise_bytes(c.bytes, list);
        EXPECT_FALSE(r.ok) << c.bytes.size();
        EXPECT_TRUE(r.drop_path);
        EXPECT_EQ(list.count(), 0u);
        ASSERT_EQ(port.boxes.size(), 1u) << c.bytes.size();
        EXPECT_EQ(port.boxes[0].text, c.text);
        EXPECT_EQ(port.boxes[0].title, L"Tindral Error");
        EXPECT_EQ(port.boxes[0].owner, Owner::main);
        EXPECT_EQ(port.boxes[0].flags, 0x2000u);
    }
    // German texts, same box.
    LanguageGuard de(0);
    RecordingPort port;
    TokenList list;
    tokenise_bytes(std::string(81, '\r') + ok_rest, list);
    ASSERT_EQ(port.boxes.size(), 1u);
    EXPECT_EQ(port.boxes[0].text, L" Nicht unterst\u00FCtzte Eagle Version");
    EXPECT_EQ(port.boxes[0].title, L"Tindral Fehler");
}

TEST(Tokenise, UpToEightyLeadingLineBreaksAreSkipped) {
    for (const std::string& lead : {std::string(80, '\n'), std::string(40, '\r') + std::string(40, '\n'),
                                   std::string(1, '\n')}) {
        RecordingPort port;
        TokenList list;
        const TokeniseResult r = tokenise_bytes(lead + kDecl + "<eagle/>", list);
        EXPECT_TRUE(r.ok && !r.damaged);
        EXPECT_TRUE(port.boxes.empty());
        EXPECT_EQ(list.count(), 7u);
    }
}

TEST(Tokenise, RootMustBeNamedEagleExactly) {
    for (const std::string root : {"<Eagle/>", "<EAGLE></EAGLE>", "<board/>", "<x:eagle xmlns:x=\"u\"/>"}) {
        LanguageGuard en(1);
        RecordingPort port;
        TokenList list;
        const TokeniseResult r = tokenise_bytes(kDecl + kDoctype + "\n" + root, list);
        const bool prefixed = root[1] == 'x';  // the local name counts, not the prefix
        if (prefixed) {
            EXPECT_TRUE(r.ok && !r.damaged);
            continue;
        }
        EXPECT_FALSE(r.ok) << root;
        EXPECT_FALSE(r.drop_path);
        EXPECT_EQ(list.count(), 0u);
        ASSERT_EQ(port.boxes.size(), 1u);
        EXPECT_EQ(port.boxes[0].text, L"This file doe not seem not to be a Eagle file");
        EXPECT_EQ(port.boxes[0].title, L"Tindral Error");
        EXPECT_EQ(port.boxes[0].owner, Owner::none);
        EXPECT_EQ(port.boxes[0].flags, 0x10u);
    }
}

TEST(Tokenise, BrokenXmlKeepsTheTokensReadAndSaysSo) {
    struct Case {
        std::string tail;    // after the declaration line and <eagle>
        size_t count;        // tokens kept
        uint32_t line;       // line of the file where reading stopped
    };
    // Lines: 1 declaration, 2 <eagle>, 3 onwards the tail.
    const Case cases[] = {
        {"\n<a x=\"1\">\n<b/>\n<c>text", 12, 5},   // ends inside element text
        {"\n<a x=\"1\">\n<b/>\n<c y=\"", 11, 5},    // ends inside a tag
        {"\n<a x=\"1\">\n<b/>\n</q>\n</a>", 11, 5},  // mismatched end tag
        {"\n<a x=\"1\">\n<b/>\n<c>\xFF\xFE</c>", 12, 5},  // invalid UTF-8
        {"\n<a x=\"1\">\n<b/>\n<c>ok\xC3\x28</c>", 12, 5},    // broken two-byte sequence
        {"\n<a x=\"1\">\n<b/>\n<c v=\"\xED\xA0\x80\"/>", 11, 5},  // encoded surrogate
        {"\n<a x=\"1\">\n<b/>\n<c>\x01</c>", 12, 5},  // control character
    };
    for (const Case& c : cases) {
        LanguageGuard en(1);
        RecordingPort port;
        TokenList list;
        const TokeniseResult r = tokenise_bytes(kDecl + "<eagle>" + c.tail, list);
        EXPECT_TRUE(r.ok) << c.tail;
        EXPECT_TRUE(r.damaged) << c.tail;
        EXPECT_FALSE(r.drop_path);
        EXPECT_EQ(r.damaged_line, c.line) << c.tail;
        EXPECT_EQ(list.count(), c.count) << c.tail;
        EXPECT_EQ(list.at(9).text, L"b") << c.tail;
        ASSERT_EQ(port.boxes.size(), 1u) << c.tail;
        EXPECT_EQ(port.boxes[0].text, L"The file is damaged or incomplete (line " +
                                          std::to_wstring(c.line) +
                                          L").\rThe lists may be incomplete.");
        EXPECT_EQ(port.boxes[0].owner, Owner::main);
        EXPECT_EQ(port.boxes[0].flags, 0x2030u);
    }
}

TEST(Tokenise, NodesLongBeforeAnErrorAreAllKept) {
    // Readers that parse in blocks must not lose the nodes of the block that holds the error.
    std::string body;
    for (int i = 0; i < 300; ++i) body += "<e n=\"" + std::to_string(i) + "\"/>\n";
    RecordingPort port;
    TokenList list;
    const TokeniseResult r = tokenise_bytes(kDecl + "<eagle>\n" + body + "</q>", list);
    EXPECT_TRUE(r.damaged);
    EXPECT_EQ(r.damaged_line, 303u);
    ASSERT_EQ(list.count(), 6u + 300 * 3);
    EXPECT_EQ(list.tokens.back().text, L"299");
}

TEST(Tokenise, DamagedLineCountsTheLinesThatWereCut) {
    // Three leading blank lines and the DOCTYPE line are not seen by the reader, but the line
    // reported is the file's: 1-3 blank, 4 declaration, 5 DOCTYPE, 6 <eagle>, 7 <x>, 8 </y>.
    for (const std::string eol : {"\n", "\r\n"}) {
        RecordingPort port;
        TokenList list;
        const std::string xml = eol + eol + eol + "<?xml version=\"1.0\"?>" + eol + kDoctype +
                                eol + "<eagle>" + eol + "<x>" + eol + "</y>" + eol;
        const TokeniseResult r = tokenise_bytes(xml, list);
        EXPECT_TRUE(r.damaged);
        EXPECT_EQ(r.damaged_line, 8u) << (eol.size() == 2 ? "CR LF" : "LF");
        EXPECT_EQ(list.count(), 5u);
    }
}

TEST(Tokenise, HugeValuesAndDeepNestingEndCleanly) {
    {
        RecordingPort port;
        TokenList list;
        const std::string value(1'000'000, 'v');
        const auto r = tokenise_bytes(kDecl + "<eagle><a big=\"" + value + "\">" + value +
                                          "</a></eagle>", list);
        EXPECT_TRUE(r.ok && !r.damaged);
        ASSERT_EQ(list.count(), 12u);
        EXPECT_EQ(list.at(8).text.size(), value.size());
        EXPECT_EQ(list.at(9).text.size(), value.size());
    }
    {
        // Far deeper than any board: the walk stops at the 250th level, as damage, whichever
        // reader runs (each has its own limit a little further down).
        RecordingPort port;
        TokenList list;
        std::string xml = kDecl + "<eagle>";
        for (int i = 0; i < 100'000; ++i) xml += "<n>";
        const auto r = tokenise_bytes(xml, list);
        EXPECT_TRUE(r.ok);
        EXPECT_TRUE(r.damaged);
        EXPECT_EQ(r.damaged_line, 2u);
        EXPECT_EQ(list.count(), 5u + 250);  // declaration, eagle, 249 levels of n
        EXPECT_EQ(port.boxes.size(), 1u);
    }
    {
        // The same with one element per line and attributes: the line is the element's.
        RecordingPort port;
        TokenList list;
        std::string xml = "<?xml version=\"1.0\"?>\n<eagle>";
        for (int i = 0; i < 300; ++i) xml += "<n a=\"" + std::to_string(i) + "\">\n";
        for (int i = 0; i < 300; ++i) xml += "</n>";
        const auto r = tokenise_bytes(xml + "</eagle>", list);
        EXPECT_TRUE(r.damaged);
        EXPECT_EQ(r.damaged_line, 251u);
        ASSERT_EQ(list.count(), 3u + 1 + 249 * 3);
        EXPECT_EQ(list.tokens.back().text, L"248");
    }
}
