#include <gtest/gtest.h>

#include <string>

#include "board_snippet.h"
#include "model/placement.h"
#include "support/synthetic_board.h"

namespace tindral::test {
namespace {

TEST(ParseLarge, FiftyThousandElementsAreReadAndPlaced) {
    const Loaded p = load_bytes(synthetic_board(50000), test_options(true, true, true));
    const BoardModel& board = p.board;
    EXPECT_TRUE(p.boxes.empty());
    EXPECT_EQ(p.status.code, LoadCode::ok);
    ASSERT_EQ(board.elements.size(), 50000u);
    EXPECT_EQ(board.libraries.size(), 3u);
    EXPECT_EQ(board.placement_count, 50000u);
    size_t unplaced = 0, bottom = 0;
    for (size_t i = 0; i < board.elements.size(); ++i) {
        unplaced += element_package(board, i) == nullptr;
        bottom += board.elements[i].side == kSideBottom;
    }
    EXPECT_EQ(unplaced, 0u);
    EXPECT_GT(bottom, 0u);
    // A 224 x 224 grid of 5 mm pitch inside an outline of 1125 mm; the outermost elements
    // reach no further than the outline.
    EXPECT_DOUBLE_EQ(board.extent.max_x, 1125);
    EXPECT_DOUBLE_EQ(board.board_width, 1125);
}

}  // namespace
}  // namespace tindral::test
