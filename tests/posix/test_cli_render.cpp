// End-to-end checks of "tindral-cli render".

#include <gtest/gtest.h>

#include <string>

#include "posix/support/cli_process.h"
#include "support/temp_folder.h"

using tindral::test::CliRun;
using tindral::test::slurp;

namespace {

size_t shapes(const std::string& svg) {
    size_t n = 0;
    for (const char* tag : {"<path ", "<ellipse "})
        for (size_t at = svg.find(tag); at != std::string::npos; at = svg.find(tag, at + 1)) ++n;
    return n;
}

class CliRenderTest : public ::testing::Test {
protected:
    int run(const std::string& args) {
        const CliRun r = tindral::test::run_cli_process(dir, args);
        out = r.out;
        err = r.err;
        return r.rc;
    }

    tindral::test::TempFolder folder;
    std::string dir = folder.path.string(), out, err;
    // Parts on both sides.
    std::string board = "'" + tindral::test::narrow(tindral::test::own_board(L"e6-both-sides.brd")) + "'";
};

TEST_F(CliRenderTest, WritesTheSvgOfEachSideChoice) {
    ASSERT_EQ(run("render " + board + " --out '" + dir + "/top.svg' --side top"), 0) << err;
    ASSERT_EQ(run("render " + board + " --out='" + dir + "/b.svg' --side=bottom --width 400"), 0) << err;
    ASSERT_EQ(run("render " + board + " --out -"), 0) << err;
    const std::string top = slurp(dir + "/top.svg"), bottom = slurp(dir + "/b.svg"), both = out;
    for (const std::string* doc : {&top, &bottom, &both}) {
        EXPECT_EQ(doc->rfind("<?xml", 0), 0u);
        EXPECT_EQ(doc->find("</svg>"), doc->size() - 7);
        EXPECT_GT(shapes(*doc), 0u);
    }
    EXPECT_NE(bottom.find("width=\"400\""), std::string::npos);
    EXPECT_GT(shapes(both), shapes(top));
}

TEST_F(CliRenderTest, WrongCommandLinesAndFilesFail) {
    EXPECT_EQ(run("render " + board), 3);
    EXPECT_NE(err.find("--out"), std::string::npos);
    for (const std::string& args : {std::string(" --out x.svg --side left"), std::string(" --out x.svg --width 9"),
                                     " " + board + " --out x.svg"})
        EXPECT_EQ(run("render " + board + args), 3) << args;
    EXPECT_EQ(run("render '" + dir + "/missing.brd' --out '" + dir + "/x.svg'"), 1);
    EXPECT_EQ(err.find('\n'), err.size() - 1);  // one line
    EXPECT_EQ(run("render " + board + " --out '" + dir + "/no/such/dir/x.svg'"), 1);
    EXPECT_NE(err.find("cannot write"), std::string::npos);
    EXPECT_EQ(run("--help"), 0);
    EXPECT_NE(out.find("render BOARD --out"), std::string::npos);
    EXPECT_NE(out.find("--strict"), std::string::npos);
}

}  // namespace
