#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "model/board_model.h"
#include "model/session.h"

namespace tindral {
namespace {

TEST(LayerTable, FixedRowsThenEmptyOnes) {
    const auto rows = make_layer_table();
    size_t filled = 0;
    std::set<int> defaults;
    for (const LayerRec& r : rows) {
        if (r.number == 0) break;
        // walkers stop at the first empty row, so the numbers must rise without a gap of 0
        if (filled > 0) {
            EXPECT_GT(r.number, rows[filled - 1].number);
        }
        ASSERT_NE(r.name, nullptr);
        if (r.default_choice) defaults.insert(r.number);
        ++filled;
    }
    EXPECT_EQ(filled, 56u);
    for (size_t i = filled; i < rows.size(); ++i) EXPECT_EQ(rows[i].number, 0);
    EXPECT_EQ(defaults, (std::set<int>{20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 44, 45, 51, 52}));
    // A session starts with them and no row chosen.
    const Session session;
    EXPECT_STREQ(session.board.layers[55].name, L"OrgLBR");
    EXPECT_EQ(session.board.layers[55].colour, 13);
    EXPECT_EQ(session.last_row, -1);
}

TEST(BoardModel, ReleaseEmptiesEveryTableButKeepsTheLayers) {
    BoardModel b;
    b.layers = make_layer_table();
    b.layers[4].colour = 99;
    b.plain_wires.resize(3);
    b.plain_holes.resize(1);
    b.elements.resize(7);
    b.libraries.resize(2);
    b.marks.assign(std::vector<uint32_t>(7, 2));
    b.placement_count = 7;
    b.board_loaded = 1;
    release_board(b);
    EXPECT_TRUE(b.plain_wires.empty() && b.plain_holes.empty() && b.elements.empty() &&
                b.libraries.empty() && b.marks.states().empty());
    EXPECT_EQ(b.elements.capacity(), 0u);
    EXPECT_EQ(b.placement_count, 0u);
    EXPECT_EQ(b.board_loaded, 0u);
    EXPECT_EQ(b.layers[4].colour, 99);
}

}  // namespace
}  // namespace tindral
