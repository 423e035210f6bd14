// The variants command, --variant on list, bom and render, and names the board lacks.

#include <gtest/gtest.h>

#include <string>

#include "posix/support/cli_process.h"

using tindral::test::CliRun;

namespace {

using CliVariantTest = tindral::test::CliFixture;
using tindral::test::quoted_own_board;

TEST_F(CliVariantTest, VariantsCommandListsNamesInFileOrder) {
    CliRun r = run("variants " + quoted_own_board(L"v1-variants.brd"));
    EXPECT_EQ(r.rc, 0) << r.err;
    EXPECT_EQ(r.out, "proto (current)\nlite\nfull\n");
    EXPECT_EQ(r.err, "");
    r = run("variants " + quoted_own_board(L"e7-odd-angles.brd"));
    EXPECT_EQ(r.out, "lite\nfull (current)\n");
    for (const wchar_t* none : {L"v2-no-variants.brd", L"e6-both-sides.brd", L"k9-small.kicad_pcb"}) {
        r = run("variants " + quoted_own_board(none));
        EXPECT_EQ(r.rc, 0) << r.err;
        EXPECT_EQ(r.out, "");
    }
    EXPECT_EQ(run("variants").rc, 3);
    EXPECT_EQ(run("variants " + quoted_own_board(L"v1-variants.brd") + " --side top").rc, 3);
    EXPECT_EQ(run("variants " + dir_ + "/missing.brd").rc, 1);
}

TEST_F(CliVariantTest, ListBomAndRenderShowTheChosenVariant) {
    const std::string b = quoted_own_board(L"v1-variants.brd");
    // Without --variant: the file's current one (proto).
    EXPECT_EQ(run("list " + b + " --format csv --sort 10").out,
              run("list " + b + " --format csv --sort 10 --variant proto").out);
    CliRun r = run("list " + b + " --format csv --sort 10 --variant lite");  // CSV lines end in CR LF
    ASSERT_EQ(r.rc, 0) << r.err;
    EXPECT_EQ(r.out,
              "name,library,package,value,x,y,rotation,side,amount,group,index\r\n"
              "R1,tindral-passive,R0603,10k,10.000,10.000,0.000,Top,2,1000,0\r\n"
              "R2,tindral-passive,R0603,10k,20.000,10.000,0.000,Top,0,1000,1\r\n"
              "C2,tindral-passive,C0805,100nF,40.000,10.000,0.000,Top,1,2003,3\r\n");
    r = run("list " + b + " --variant=full");
    EXPECT_NE(r.out.find("C2    tindral-passive  C0805    1uF"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Placed: Total 0 of 5     TOP 0 of 4     BOTTOM 0 of 1"), std::string::npos);
    r = run("bom " + b + " --format csv --variant full");
    EXPECT_EQ(r.out,
              "library,package,value,amount\r\n"
              "tindral-passive,R0603,10k,2\r\n"
              "tindral-passive,C0805,100nF,1\r\n"
              "tindral-passive,C0805,1uF,1\r\n"
              "tindral-semi,SO8,LM358,1\r\n");

    // The drawing: every part drawn, those not fitted in the grey pen.
    const CliRun proto = run("render " + b + " --out -");
    const CliRun lite = run("render " + b + " --out - --variant lite");
    ASSERT_EQ(lite.rc, 0) << lite.err;
    EXPECT_NE(proto.out, lite.out);
    EXPECT_NE(lite.out.find("#505050"), std::string::npos);
    const CliRun all = run("render " + quoted_own_board(L"e6-both-sides.brd") + " --out -");
    EXPECT_EQ(all.out.find("#505050"), std::string::npos);
}

TEST_F(CliVariantTest, UnknownVariantNamesTheOnesThereAre) {
    CliRun r = run("list " + quoted_own_board(L"v1-variants.brd") + " --variant Lite");
    EXPECT_EQ(r.rc, 3);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("unknown variant \"Lite\" (the board has: proto, lite, full)"), std::string::npos)
        << r.err;
    r = run("bom " + quoted_own_board(L"v2-no-variants.brd") + " --variant lite");
    EXPECT_EQ(r.rc, 3);
    EXPECT_NE(r.err.find("the board has no variants"), std::string::npos) << r.err;
    EXPECT_EQ(run("render " + quoted_own_board(L"v1-variants.brd") + " --out - --variant nope").rc, 3);
    EXPECT_EQ(run("list " + quoted_own_board(L"v1-variants.brd") + " --variant").rc, 3);  // value missing
}

}  // namespace
