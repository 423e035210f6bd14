#include <gtest/gtest.h>

#include <cmath>

#include "view/board_view.h"

namespace tindral::test {
namespace {

BoardModel board_of(double min_x, double min_y, double width, double height) {
    BoardModel b;
    b.extent = {min_x + width, min_x, min_y + height, min_y};
    b.board_width = width;
    b.board_height = height;
    b.board_loaded = 1;
    return b;
}

BoardView area(uint32_t w, uint32_t h) {
    BoardView v;
    v.area_width = w;
    v.area_height = h;
    return v;
}

TEST(FitView, LoadAndButtonScalesCentreTheBoard) {
    // the load: 200 x 100 in 1000 x 1000, exact quotients, the middle of the extent centred
    const BoardModel b = board_of(10, 20, 200, 100);
    BoardView v = area(1000, 1000);
    v.pan_dx = 7;
    v.hscroll.pos = 12;
    fit_view(v, b, 1000, 1000, FitKind::load);
    EXPECT_DOUBLE_EQ(v.scale, 1000.0 * 100 / 200 / 110);
    EXPECT_EQ(v.pan_dx, 0);
    EXPECT_EQ(v.hscroll.pos, 0);
    EXPECT_DOUBLE_EQ(logical_x(v, 110), 500);
    EXPECT_DOUBLE_EQ(logical_y(v, 70), 500);
    fit_view(v, b, 1001, 601, FitKind::load);  // integer halves for the centre
    EXPECT_EQ(v.centre_x, 500);
    EXPECT_EQ(v.centre_y, 300);

    // the button: 100 x 50 in 800 x 600 gives min(1200/110, 800/110) in single precision
    BoardView button = area(800, 600);
    fit_view(button, board_of(0, 0, 100, 50), 800, 600, FitKind::button);
    EXPECT_EQ(button.scale, static_cast<double>(800.0f / 110.0f));

    // a quotient with a fraction, and a size with one, tell the two apart
    const BoardModel narrow = board_of(0, 0, 7.9, 1000);
    BoardView load = area(333, 100000);
    fit_view(load, narrow, 333, 100000, FitKind::load);
    fit_view(button, narrow, 333, 100000, FitKind::button);
    EXPECT_DOUBLE_EQ(load.scale, 33300.0 / 7 / 110);
    EXPECT_EQ(button.scale, static_cast<double>(4757.0f / 110.0f));
}

TEST(FitView, BoardsBelowOneMillimetreAndNoBoardGiveAFiniteScale) {
    for (const BoardModel& b : {board_of(5, 5, 0.4, 0.2), board_of(0, 0, 0, 0)}) {
        for (FitKind kind : {FitKind::load, FitKind::button}) {
            BoardView v = area(800, 600);
            fit_view(v, b, 800, 600, kind);
            EXPECT_TRUE(std::isfinite(v.scale) && v.scale > 0);
            EXPECT_TRUE(std::isfinite(v.origin_x) && std::isfinite(v.origin_y));
        }
    }
    // only the direction with a size limits the scale
    BoardView v = area(1000, 1000);
    fit_view(v, board_of(0, 0, 0.5, 50), 1000, 1000, FitKind::load);
    EXPECT_DOUBLE_EQ(v.scale, 1000.0 * 100 / 50 / 110);
}

TEST(ScrollView, RangesPositionsAndTheMovedPicture) {
    const BoardModel b = board_of(0, 0, 100, 100);
    BoardView v = area(801, 600);
    set_scroll_ranges(v);
    EXPECT_EQ(v.hscroll.min, -400);
    EXPECT_EQ(v.hscroll.max, 400);
    EXPECT_EQ(v.hscroll.page, 80);
    EXPECT_EQ(v.vscroll.page, 60);

    v.hscroll.pos = 399;  // max - 1: a line down is refused, a line up taken
    recompute_origin(v, b);
    const double ox = v.origin_x, oy = v.origin_y;
    const auto h = [&](int code, int32_t thumb = 0) { return scroll_view(v, ScrollBarKind::horizontal, code, thumb); };
    EXPECT_EQ(h(1), 0);
    EXPECT_EQ(h(0), -1);
    EXPECT_EQ(v.origin_x, ox + 1);
    EXPECT_EQ(h(3), 0);  // a page only when it stays inside
    EXPECT_EQ(h(2), -80);
    EXPECT_EQ(h(5, -10), -328);  // the thumb goes where it is dragged
    EXPECT_EQ(h(4, 200), 0);     // other codes change nothing
    EXPECT_EQ(h(8, 200), 0);
    // the origin is the one the rule gives for the new position
    const double scrolled = v.origin_x;
    recompute_origin(v, b);
    EXPECT_DOUBLE_EQ(v.origin_x, scrolled);

    // vertical: a move down raises the origin (a lower part of the board shows)
    EXPECT_EQ(scroll_view(v, ScrollBarKind::vertical, 1, 0), 1);
    EXPECT_EQ(v.origin_y, oy + 1);
}

TEST(ZoomView, ButtonsKeepTheCentreAndTheWheelStepsInSinglePrecision) {
    BoardModel b = board_of(0, 0, 100, 100);
    BoardView v = area(800, 600);
    fit_view(v, b, 800, 600, FitKind::button);
    const double s = v.scale;
    zoom_view(v, b, 1.5);
    zoom_view(v, b, 0.5);
    EXPECT_DOUBLE_EQ(v.scale, s * 0.75);
    EXPECT_DOUBLE_EQ(logical_x(v, 50), 400);
    EXPECT_DOUBLE_EQ(logical_y(v, 50), 300);

    // wheel: forward always adds 0.2 (a float); backward only above 0.29
    v.scale = 0.3;
    wheel_zoom(v, b, -120);
    EXPECT_DOUBLE_EQ(v.scale, 0.3 - static_cast<double>(0.2f));
    v.scale = 0.28;
    wheel_zoom(v, b, -1);
    EXPECT_EQ(v.scale, 0.28);
    wheel_zoom(v, b, 0);
    EXPECT_DOUBLE_EQ(v.scale, 0.28 + static_cast<double>(0.2f));
    // with a board the centre moves to the unrounded middle of the area
    BoardView odd = area(801, 601);
    wheel_zoom(odd, b, 120);
    EXPECT_EQ(odd.centre_x, 400.5);
    EXPECT_DOUBLE_EQ(logical_y(odd, 50), 300.5);

    // without a board only the scale changes
    b.board_loaded = 0;
    BoardView empty = area(800, 600);
    empty.origin_x = 3;
    zoom_view(empty, b, 1.5);
    wheel_zoom(empty, b, 120);
    EXPECT_DOUBLE_EQ(empty.scale, 1.5 + static_cast<double>(0.2f));
    EXPECT_EQ(empty.origin_x, 3);
}

TEST(PanView, MiddleButtonDragMovesThePictureAndTheReleaseKeepsIt) {
    const BoardModel b = board_of(0, 0, 100, 100);
    BoardView v = area(800, 600);
    fit_view(v, b, 800, 600, FitKind::load);
    const double x0 = logical_x(v, 50), y0 = logical_y(v, 50);

    EXPECT_FALSE(pan_move(v, 10, 10, true));  // no drag begun
    pan_begin(v, 100, 100);
    EXPECT_TRUE(pan_move(v, 130, 90, true));  // right 30, up 10 (y upwards)
    EXPECT_DOUBLE_EQ(logical_x(v, 50), x0 + 30);
    EXPECT_DOUBLE_EQ(logical_y(v, 50), y0 + 10);
    pan_end(v, b);
    EXPECT_EQ(v.pan_dx, 0);
    EXPECT_DOUBLE_EQ(logical_x(v, 50), x0 + 30);
    EXPECT_DOUBLE_EQ(logical_y(v, 50), y0 + 10);

    // a move without the button held ends the drag and moves nothing
    pan_begin(v, 0, 0);
    EXPECT_FALSE(pan_move(v, 50, 50, false));
    EXPECT_FALSE(pan_move(v, 60, 60, true));
    EXPECT_EQ(v.pan_dx, 0);
}

TEST(HitTest, EveryBoxHoldingTheClickInComponentOrderWithoutALimit) {
    const std::vector<ElementBox> boxes = {{10, 10, 50, 50}, ElementBox{}, {40, 40, 60, 60}, {0, 0, 100, 100}};
    // client height 200: y = 150 is 50 from the bottom; borders count
    EXPECT_EQ(hit_test(boxes, 50, 150, 200), (std::vector<uint32_t>{0, 2, 3}));
    EXPECT_EQ(hit_test(boxes, 51, 149, 200), (std::vector<uint32_t>{2, 3}));
    EXPECT_TRUE(hit_test(boxes, 150, 150, 200).empty());
    // the empty box of a hidden element is never hit, not even at the extremes
    EXPECT_TRUE(hit_test({ElementBox{}}, 2147483647, -2147483647, 0).empty());

    const std::vector<uint32_t> hits = hit_test(std::vector<ElementBox>(100, ElementBox{0, 0, 10, 10}), 5, 5, 10);
    ASSERT_EQ(hits.size(), 100u);
    EXPECT_EQ(hits.back(), 99u);
}

TEST(Crosshair, MiddleOfTheBoxInClientCoordinates) {
    const auto p = crosshair_position({10, 20, 31, 61}, {5, 0, 205, 100});
    ASSERT_TRUE(p.has_value());
    EXPECT_EQ(p->x, 10 + 10 + 5);
    EXPECT_EQ(p->y, 100 - 20 - 20);
    EXPECT_FALSE(crosshair_position(ElementBox{}, {0, 0, 200, 100}).has_value());
    const auto wide = crosshair_position({-2147483647 - 1, 0, 2147483647, 0}, {0, 0, 200, 100});
    ASSERT_TRUE(wide.has_value());
    EXPECT_EQ(wide->x, -1);
}

TEST(BottomOnlyView, OnlyWhenTheBottomIsTheOneSideShown) {
    Settings s;
    for (uint32_t top : {0u, 1u})
        for (uint32_t bottom : {0u, 1u}) {
            s.show_top_side = top, s.show_bottom_side = bottom;
            EXPECT_EQ(bottom_only_view(s), !top && bottom) << top << bottom;
        }
}

}  // namespace
}  // namespace tindral::test
