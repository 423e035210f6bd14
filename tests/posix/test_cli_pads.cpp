// tindral-cli render draws pads only when asked, so that its picture without --pads stays the
// one it always was.

#include <gtest/gtest.h>

#include <string>

#include "posix/support/cli_process.h"
#include "support/board_folders.h"
#include "support/temp_folder.h"

namespace {

size_t occurrences(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

TEST(CliPads, RenderDrawsPadsAndPinOneDotsOnlyWithPads) {
    tindral::test::TempFolder folder;
    const std::string dir = folder.path.string();
    const std::string b = "'" + tindral::test::narrow(tindral::test::own_board(L"p1-pads.brd")) + "'";
    const tindral::test::CliRun plain = tindral::test::run_cli_process(dir, "render " + b + " --out -");
    const tindral::test::CliRun pads = tindral::test::run_cli_process(dir, "render " + b + " --out - --pads");
    ASSERT_EQ(plain.rc, 0) << plain.err;
    ASSERT_EQ(pads.rc, 0) << pads.err;
    const std::string copper = "#d08f3a";
    EXPECT_EQ(occurrences(plain.out, copper), 0u);
    EXPECT_GT(occurrences(pads.out, copper), 4u);
    // one filled dot per part: three on top, one mirrored below
    EXPECT_EQ(occurrences(pads.out, "fill=\"" + copper + "\""), 4u);
}

}  // namespace
