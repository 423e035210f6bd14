// End-to-end checks of the tindral-cli program on whole boards and small snippets.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "posix/support/cli_process.h"
#include "support/csv_reader.h"
#include "support/synthetic_board.h"

using tindral::test::CliRun;
using tindral::test::parse_csv;

namespace {

class CliTest : public tindral::test::CliFixture {
protected:
    std::string write_file(const std::string& name, const std::string& bytes) {
        return folder_.write(name, bytes).string();
    }
};

constexpr auto board = &tindral::test::quoted_own_board;

size_t occurrences(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

}  // namespace

// Exit 3 for a wrong command line, 1 for a file that cannot be read or written, with one line.
TEST_F(CliTest, ExitCodesOfWrongCommandLinesAndFiles) {
    const std::string b = board(L"e6-both-sides.brd"), out = " --out '" + dir_ + "/x.svg'";
    const struct {
        std::string args;
        int rc;
        const char* says;
    } cases[] = {
        {"list " + b + " --sort 11", 3, ""},
        {"bom " + b + " --sort 4", 3, ""},
        {"bom " + b + " --side top", 3, ""},
        {"lst " + b, 3, ""},
        {"list", 3, ""},
        {"list -- -x.brd", 1, "-x.brd"},  // taken as a file name, which is missing
        {"render " + b, 3, "--out"},
        {"render " + b + out + " --side left", 3, ""},
        {"render " + b + out + " --width 9", 3, ""},
        {"render " + b + " " + b + out, 3, ""},
        {"render '" + dir_ + "/missing.brd'" + out, 1, "missing.brd"},
        {"render " + b + " --out '" + dir_ + "/no/such/dir/x.svg'", 1, "cannot write"},
    };
    for (const auto& c : cases) {
        const CliRun r = run(c.args);
        EXPECT_EQ(r.rc, c.rc) << c.args;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << c.args << ": " << r.err;
        if (c.rc == 1) {
            EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;  // one line
        }
    }
    const CliRun help = run("--help");
    EXPECT_EQ(help.rc, 0);
    EXPECT_NE(help.out.find("render BOARD --out"), std::string::npos);
    EXPECT_NE(help.out.find("--strict"), std::string::npos);
}

// The SVG of each side choice; pads only with --pads, so the old picture stays as it was.
TEST_F(CliTest, RenderWritesTheSvgOfEachSideChoice) {
    const auto shapes = [](const std::string& svg) {
        return occurrences(svg, "<path ") + occurrences(svg, "<ellipse ");
    };
    const std::string b = board(L"e6-both-sides.brd");  // parts on both sides
    ASSERT_EQ(run("render " + b + " --out '" + dir_ + "/top.svg' --side top").rc, 0);
    ASSERT_EQ(run("render " + b + " --out='" + dir_ + "/b.svg' --side=bottom --width 400").rc, 0);
    const CliRun both = run("render " + b + " --out -");
    ASSERT_EQ(both.rc, 0) << both.err;
    const std::string top = tindral::test::slurp(dir_ + "/top.svg");
    const std::string bottom = tindral::test::slurp(dir_ + "/b.svg");
    for (const std::string* doc : {&top, &bottom, &both.out}) {
        EXPECT_EQ(doc->rfind("<?xml", 0), 0u);
        EXPECT_EQ(doc->find("</svg>"), doc->size() - 7);
        EXPECT_GT(shapes(*doc), 0u);
    }
    EXPECT_NE(bottom.find("width=\"400\""), std::string::npos);
    EXPECT_GT(shapes(both.out), shapes(top));

    const std::string copper = "#d08f3a";
    const CliRun plain = run("render " + board(L"p1-pads.brd") + " --out -");
    const CliRun pads = run("render " + board(L"p1-pads.brd") + " --out - --pads");
    ASSERT_EQ(pads.rc, 0) << pads.err;
    EXPECT_EQ(occurrences(plain.out, copper), 0u);
    EXPECT_GT(occurrences(pads.out, copper), 4u);
    // one filled dot per part: three on top, one mirrored below
    EXPECT_EQ(occurrences(pads.out, "fill=\"" + copper + "\""), 4u);
}

// Each format's quoting, byte for byte; numbers bare in JSON, text quoted.
TEST_F(CliTest, CsvAndJsonQuoteWhatTheirFormatNeeds) {
    const std::string path = "'" + write_file("quoted.brd",
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
        "<eagle version=\"7.2.0\"><drawing><board><libraries><library name=\"a,b\"><packages>"
        "<package name=\"P\"><wire x1=\"0\" y1=\"0\" x2=\"1\" y2=\"1\" layer=\"21\"/></package>"
        "</packages></library></libraries><elements>\n"
        "<element name=\"R1\" library=\"a,b\" package=\"P\" value=\"1,5k &quot;x&quot;\" x=\"1\" y=\"2\"/>\n"
        "<element name=\"R2\" library=\"a,b\" package=\"P\" value=\"2&#13;&#10;k\" x=\"3\" y=\"4\" rot=\"MR90\"/>\n"
        "<element name=\"R3\" library=\"a,b\" package=\"P\" value=\"11k&#937; 1%&#9;\\\" x=\"-0.5\" y=\"4\"/>\n"
        "</elements></board></drawing></eagle>\n") + "'";
    const std::string csv =
        "name,library,package,value,x,y,rotation,side,amount,group,index\r\n"
        "R1,\"a,b\",P,\"1,5k \"\"x\"\"\",1.000,2.000,0.000,Top,1,1000,0\r\n"
        "R3,\"a,b\",P,11k\xCE\xA9 1%\t\\,-0.500,4.000,0.000,Top,1,1002,2\r\n"
        "R2,\"a,b\",P,\"2\r\nk\",3.000,4.000,270.000,Bottom,1,5001,1\r\n";
    const auto json_row = [](const std::string& name, const std::string& rest) {
        return "  {\"name\": \"" + name + "\", \"library\": \"a,b\", \"package\": \"P\", \"value\": " + rest;
    };
    const std::string json = "[\n" +
        json_row("R1", "\"1,5k \\\"x\\\"\", \"x\": 1.000, \"y\": 2.000, \"rotation\": 0.000, \"side\": "
                       "\"Top\", \"amount\": 1, \"group\": 1000, \"index\": 0},\n") +
        json_row("R3", "\"11k\xCE\xA9 1%\\t\\\\\", \"x\": -0.500, \"y\": 4.000, \"rotation\": 0.000, "
                       "\"side\": \"Top\", \"amount\": 1, \"group\": 1002, \"index\": 2},\n") +
        json_row("R2", "\"2\\r\\nk\", \"x\": 3.000, \"y\": 4.000, \"rotation\": 270.000, \"side\": "
                       "\"Bottom\", \"amount\": 1, \"group\": 5001, \"index\": 1}\n") + "]\n";
    const std::string bom_json =
        "[\n"
        "  {\"library\": \"a,b\", \"package\": \"P\", \"value\": \"1,5k \\\"x\\\"\", \"amount\": 1},\n"
        "  {\"library\": \"a,b\", \"package\": \"P\", \"value\": \"2\\r\\nk\", \"amount\": 1},\n"
        "  {\"library\": \"a,b\", \"package\": \"P\", \"value\": \"11k\xCE\xA9 1%\\t\\\\\", \"amount\": 1}\n"
        "]\n";
    const struct {
        const char* command;
        const char* format;
        const std::string& out;
    } cases[] = {{"list", "csv", csv}, {"list", "json", json}, {"bom", "json", bom_json}};
    for (const auto& c : cases) {
        const CliRun r = run(std::string(c.command) + " " + path + " --format " + c.format);
        EXPECT_EQ(r.rc, 0) << c.command << r.err;
        EXPECT_EQ(r.out, c.out) << c.command << " " << c.format;
    }

    // A board file's value with quotes in it.
    bool ok = false;
    const auto bom = parse_csv(run("bom " + board(L"e9-empty-values.brd") + " --format csv").out, ok);
    ASSERT_TRUE(ok);
    bool found = false;
    for (const auto& row : bom) found = found || row[2] == "TP\"A\"";
    EXPECT_TRUE(found);
}

// A list far longer than one piece of output: every row once, in the order of the CSV list.
// Text, CSV and JSON go out in pieces: each holds every row once, in the same order.
TEST_F(CliTest, LongListsHoldEveryRowInOrder) {
    const std::string path = "'" + write_file("long.brd", tindral::test::synthetic_board(3000)) + "'";
    const CliRun text = run("list " + path + " --sort 0");
    ASSERT_EQ(text.rc, 0) << text.err;
    ASSERT_GT(text.out.size(), size_t{1} << 18);
    bool ok = false;
    const auto csv = parse_csv(run("list " + path + " --sort 0 --format csv").out, ok);
    ASSERT_TRUE(ok);
    std::vector<std::string> names;
    for (size_t at = text.out.find('\n') + 1; at < text.out.size();) {
        const size_t end = text.out.find('\n', at);
        names.push_back(text.out.substr(at, text.out.find_first_of(" \n", at) - at));
        at = end + 1;
    }
    ASSERT_EQ(names.size(), csv.size() + 1);  // header in the CSV, blank and counter lines here
    EXPECT_EQ(names[csv.size() - 1], "");
    for (size_t r = 1; r < csv.size(); ++r) ASSERT_EQ(names[r - 1], csv[r][0]) << r;
    EXPECT_NE(text.out.find("\n  Placed: Total 0 of 3000 "), std::string::npos);

    const std::string json = run("list " + path + " --sort 0 --format json").out;
    ASSERT_GT(json.size(), size_t{1} << 18);
    const std::string key = "{\"name\": \"";
    std::vector<std::string> json_names;
    for (size_t at = json.find(key); at != std::string::npos; at = json.find(key, at + 1)) {
        const size_t start = at + key.size();
        json_names.push_back(json.substr(start, json.find('"', start) - start));
    }
    ASSERT_EQ(json_names.size() + 1, csv.size());
    for (size_t r = 1; r < csv.size(); ++r) ASSERT_EQ(json_names[r - 1], csv[r][0]) << r;
    EXPECT_EQ(json.substr(json.size() - 4), "}\n]\n");
}

TEST_F(CliTest, LanguageChangesTitlesCounterAndUndefinedValues) {
    CliRun de = run("list " + board(L"e9-empty-values.brd") + " --lang de");
    ASSERT_EQ(de.rc, 0);
    EXPECT_EQ(de.out.rfind("Name  Bibliothek", 0), 0u);
    EXPECT_NE(de.out.find("Undefiniert"), std::string::npos);
    EXPECT_NE(de.out.find("  Best\xC3\xBC" "ckt: Gesamt 0 von 6     Oben 0 von 4     Unten 0 von 2\n"),
              std::string::npos);
    CliRun en = run("list " + board(L"e9-empty-values.brd"));
    EXPECT_NE(en.out.find("Undefined"), std::string::npos);
    EXPECT_EQ(en.out.find("Undefiniert"), std::string::npos);
    EXPECT_NE(en.out.find("  Placed: Total 0 of 6     TOP 0 of 4     BOTTOM 0 of 2\n"),
              std::string::npos);
}

// Unexpected items and damage are reported; --strict makes either exit 2 with no output.
TEST_F(CliTest, UnexpectedItemsAndDamageAreReportedAndFailUnderStrict) {
    const std::string head =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
        "<!DOCTYPE eagle SYSTEM \"eagle.dtd\">\n"
        "<eagle version=\"7.2.0\"><drawing><grid distance=\"0.1\" unit=\"mm\"/><layers></layers>"
        "<board><plain></plain><libraries></libraries><elements>\n"
        "<element name=\"R1\" library=\"l\" package=\"P\" value=\"1k\" x=\"1\" y=\"2\" frobnicate=\"1\"/>\n"
        "<element name=\"R2\" library=\"l\" package=\"P\" value=\"1k\" x=\"3\" y=\"4\"/>\n"
        "</elements>";
    const struct {
        std::string board;
        std::vector<std::string> lax_says;  // each on stderr without --strict
        std::string strict_says;            // the one line under --strict
    } cases[] = {
        {"'" + write_file("unknown.brd", head + "</board></drawing></eagle>\n") + "'",
         {"frobnicate", "unknown.brd"}, "frobnicate"},
        {board(L"unexpected/unknown-vocabulary.brd"), {"tindral_probe", "sparkle"}, "tindral_probe"},
        {"'" + write_file("damaged.brd", head + "\n</q></board></drawing></eagle>\n") + "'",
         {"frobnicate", "damaged or incomplete (line 7)"}, "damaged or incomplete (line 7)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.board);
        CliRun lax = run("list " + c.board + " --format csv");
        EXPECT_EQ(lax.rc, 0);
        bool ok = false;
        EXPECT_EQ(parse_csv(lax.out, ok).size(), 3u);
        for (const std::string& says : c.lax_says) EXPECT_NE(lax.err.find(says), std::string::npos) << lax.err;

        CliRun strict = run("list " + c.board + " --format csv --strict");
        EXPECT_EQ(strict.rc, 2);
        EXPECT_EQ(strict.out, "");
        EXPECT_NE(strict.err.find(c.strict_says), std::string::npos) << strict.err;
        EXPECT_EQ(strict.err.find('\n'), strict.err.size() - 1) << strict.err;  // that line only
    }
}

TEST_F(CliTest, ManyUnexpectedItemsAreCountedNotAllShown) {
    std::string elements;
    for (int i = 0; i < 150; ++i)
        elements += "<element name=\"R" + std::to_string(i) + "\" library=\"l\" package=\"P\" "
                    "value=\"1k\" x=\"1\" y=\"2\" frobnicate=\"1\"/>\n";
    const std::string path = write_file("many.brd",
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<eagle><drawing><board><elements>\n" +
        elements + "</elements></board></drawing></eagle>\n");
    CliRun r = run("list '" + path + "' --format csv");
    EXPECT_EQ(r.rc, 0);
    bool ok = false;
    EXPECT_EQ(parse_csv(r.out, ok).size(), 151u);  // every element still listed
    size_t lines = 0, shown = 0;
    for (size_t at = 0; (at = r.err.find('\n', at)) != std::string::npos; ++at) ++lines;
    for (size_t at = 0; (at = r.err.find("frobnicate", at)) != std::string::npos; ++at) ++shown;
    EXPECT_EQ(shown, 100u);
    EXPECT_EQ(lines, 101u);
    EXPECT_NE(r.err.find(path + ": 50 more unexpected items not shown\n"), std::string::npos) << r.err;
}

TEST_F(CliTest, UnreadableOrForeignFilesGiveOneLineAndExitOne) {
    const std::vector<std::string> paths = {
        dir_ + "/missing.brd",
        dir_,  // a folder
        write_file("kicad.brd", "PCBNEW-BOARD Version 1 date 1/1/2010\n"),
        write_file("binary.brd", std::string("\x10\x80\x00\x01", 4)),
        write_file("conflict.brd", "<<<<<<< HEAD\n<?xml version=\"1.0\"?>\n<eagle/>\n"),
        write_file("other-root.brd", "<?xml version=\"1.0\"?>\n<kicad_pcb/>\n"),
        write_file("empty.brd", ""),
        write_file("cut-short.brd", "<?xml version=\"1.0\"?>\n<!DOCTYPE eagle SYSTEM \"eagle.dtd\">\n<eag"),
        write_file("huge.brd", "<?xml version=\"1.0\"?>\n<eagle>\n"),
        "/dev/zero",  // never ends
    };
    std::filesystem::resize_file(paths[paths.size() - 2], (size_t{64} << 20) + 1);  // sparse
    for (const std::string& p : paths) {
        SCOPED_TRACE(p);
        CliRun r = run("list '" + p + "'");
        EXPECT_EQ(r.rc, 1);
        EXPECT_EQ(r.out, "");
        ASSERT_FALSE(r.err.empty());
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;  // exactly one line
        EXPECT_EQ(r.err.rfind("tindral-cli: " + p + ": ", 0), 0u) << r.err;
        EXPECT_GT(r.err.size(), ("tindral-cli: " + p + ": \n").size());
    }
}

TEST_F(CliTest, NamesThatAreNotUtf8ReachTheirFiles) {
    const std::string bytes =
        "<?xml version=\"1.0\"?>\n<eagle><drawing><board><elements>"
        "<element name=\"R1\" library=\"l\" package=\"P\" value=\"1k\" x=\"1\" y=\"2\"/>"
        "</elements></board></drawing></eagle>\n";
    // Latin-1 and a broken sequence; also bytes that would be an encoded surrogate.
    for (const std::string name : {"m\xF6ller.brd", "a\xC3(b.brd", "s\xED\xB2\x80.brd"}) {
        const std::string path = write_file(name, bytes);
        CliRun r = run("list '" + path + "' --format csv");
        EXPECT_EQ(r.rc, 0) << r.err;
        EXPECT_NE(r.out.find("R1,l,P,1k"), std::string::npos) << r.out;

        const std::string svg = dir_ + "/" + name + ".svg";
        EXPECT_EQ(run("render '" + path + "' --out '" + svg + "'").rc, 0);
        EXPECT_TRUE(std::filesystem::exists(svg));
    }
}
