// The marks type on its own: what a load, a reset and a stale choice do to the states.

#include <gtest/gtest.h>

#include <vector>

#include "selection/marks.h"

using namespace tindral;

namespace {

using States = std::vector<uint32_t>;

TEST(MarkStates, LoadedStatesComeBackSelectedAndOnlyWhenTheyFit) {
    Marks m;
    m.reset(3);
    m.assign({1, 0, 0});
    EXPECT_FALSE(m.apply_loaded({2, 2}));  // a file for another board
    EXPECT_FALSE(m.apply_loaded({2, 2, 2, 2}));
    EXPECT_EQ(m.states(), (States{1, 0, 0}));
    EXPECT_TRUE(m.unsaved());

    EXPECT_TRUE(m.apply_loaded({0, 1, 7}));
    EXPECT_EQ(m.states(), (States{0, 2, 2}));
    EXPECT_EQ(m.kept(), m.states());
    EXPECT_FALSE(m.unsaved());
}

TEST(MarkStates, ResetForgetsTheCurrentOneButNotWhatIsOnDisk) {
    Marks m;
    m.reset(2);
    m.apply_loaded({2, 0});
    int32_t last_row = -1;
    m.toggle(1, 0, true, last_row);
    m.settle_previous(1, true);
    ASSERT_EQ(m.previous_current(), 1);

    m.reset(3);
    EXPECT_EQ(m.states(), (States{0, 0, 0}));
    EXPECT_EQ(m.previous_current(), -1);
    EXPECT_EQ(m.kept(), (States{2, 0}));
    EXPECT_TRUE(m.unsaved());  // the loaded mark would be lost
}

TEST(MarkStates, APreviousComponentNoLongerCurrentIsLeftAlone) {
    Marks m;
    m.reset(2);
    int32_t last_row = -1;
    m.toggle(0, 0, true, last_row);
    m.settle_previous(0, true);
    m.clear();  // the marks were removed meanwhile
    m.assign({2, 0});
    EXPECT_EQ(m.settle_previous(1, true), -1);
    EXPECT_EQ(m.states(), (States{2, 0}));
    EXPECT_EQ(m.previous_current(), -1);  // the unselected choice leaves no previous one
}

}  // namespace
