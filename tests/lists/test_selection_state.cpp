// Choosing components in turn, "Leave selected" on and off, as list and board apply the rules.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "lists/list_rows.h"

using namespace tindral;

namespace {

// Rows show components in a different order than the model, as a sorted list does.
struct Chooser {
    BoardModel board;
    bool leave = true;
    int32_t last_row = -1;
    std::vector<bool> marked;  // per row

    explicit Chooser(bool leave_selected) : leave(leave_selected) {
        const uint32_t sides[] = {kSideTop, kSideBottom, kSideTop, kSideBottom, kSideTop};
        for (uint32_t s : sides) {
            ElementRec e;
            e.side = s;
            board.elements.push_back(e);
        }
        board.marks.reset(board.elements.size());
        marked.assign(board.elements.size(), false);
    }
    static int32_t row_of(uint32_t c) { return 4 - static_cast<int32_t>(c); }

    int32_t choose(uint32_t c) {
        const int32_t row = row_of(c);
        const ToggleOutcome t = board.marks.toggle(c, row, leave, last_row);
        if (t.unmark_row >= 0) marked[t.unmark_row] = false;
        marked[row] = t.row_marked;
        return board.marks.settle_previous(c, leave);
    }
    std::vector<uint32_t> states() const { return board.marks.states(); }
};

TEST(SelectionState, LeaveSelectedOnKeepsPlacedComponentsAndClearsOnSecondChoice) {
    Chooser ch(true);
    EXPECT_EQ(ch.choose(0), -1);
    EXPECT_EQ(ch.choose(1), 0);  // A demoted, to be redrawn
    EXPECT_EQ(ch.states(), (std::vector<uint32_t>{2, 1, 0, 0, 0}));
    EXPECT_EQ(ch.board.marks.previous_current(), 1);
    EXPECT_EQ(ch.last_row, Chooser::row_of(1));
    EXPECT_TRUE(ch.marked[Chooser::row_of(0)]);
    EXPECT_EQ(ch.board.marks.count(ch.board.elements).marked, 2u);

    // Choosing the current one clears it; nothing is left current.
    EXPECT_EQ(ch.choose(1), -1);
    EXPECT_EQ(ch.states(), (std::vector<uint32_t>{2, 0, 0, 0, 0}));
    EXPECT_EQ(ch.board.marks.previous_current(), -1);
    EXPECT_EQ(ch.last_row, -1);
    EXPECT_FALSE(ch.marked[Chooser::row_of(1)]);

    // A selected (placed) one is cleared as well; the current one still becomes selected.
    ch.choose(2);
    EXPECT_EQ(ch.choose(0), 2);
    EXPECT_EQ(ch.states(), (std::vector<uint32_t>{0, 0, 2, 0, 0}));
    EXPECT_EQ(ch.board.marks.previous_current(), -1);
    EXPECT_EQ(ch.choose(3), -1);
    EXPECT_EQ(ch.states(), (std::vector<uint32_t>{0, 0, 2, 1, 0}));
}

TEST(SelectionState, LeaveSelectedOffKeepsOnlyTheCurrentComponent) {
    Chooser ch(false);
    ch.choose(0);
    EXPECT_EQ(ch.choose(1), 0);
    EXPECT_EQ(ch.states(), (std::vector<uint32_t>{0, 1, 0, 0, 0}));
    EXPECT_FALSE(ch.marked[Chooser::row_of(0)]);
    EXPECT_TRUE(ch.marked[Chooser::row_of(1)]);

    // Choosing the current one again keeps it current and its row marked.
    EXPECT_EQ(ch.choose(1), -1);
    EXPECT_EQ(ch.states(), (std::vector<uint32_t>{0, 1, 0, 0, 0}));
    EXPECT_TRUE(ch.marked[Chooser::row_of(1)]);
    EXPECT_EQ(ch.last_row, Chooser::row_of(1));
    EXPECT_EQ(ch.board.marks.previous_current(), 1);
    EXPECT_EQ(std::count(ch.marked.begin(), ch.marked.end(), true), 1);
}

}  // namespace
