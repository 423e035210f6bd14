#include "view/board_view.h"

#include <algorithm>
#include <cmath>

namespace tindral {

namespace {

// The wheel steps are single-precision constants widened to double.
constexpr double kWheelStep = static_cast<double>(0.2f);
constexpr double kWheelFloor = static_cast<double>(0.29f);

// trunc() of a board size for the fit, at least 1 so that it can be divided by.
int64_t whole_millimetres(double size) {
    const double t = std::trunc(size);
    if (!(t >= 1)) return 1;  // also NaN
    if (t > 1e15) return static_cast<int64_t>(1e15);
    return static_cast<int64_t>(t);
}

double fit_quotient(int64_t pixels, double board_size, FitKind kind) {
    const int64_t size = whole_millimetres(board_size);
    if (kind == FitKind::load) return (static_cast<double>(pixels) * 100 / size) / 110;
    const int64_t q = pixels * 100 / size;
    return static_cast<double>(static_cast<float>(q) / 110.0f);
}

}  // namespace

bool bottom_only_view(const Settings& s) { return s.show_top_side == 0 && s.show_bottom_side != 0; }

void recompute_origin(BoardView& v, const BoardModel& b) {
    v.origin_x = v.centre_x - (b.board_width / 2 + b.extent.min_x) * v.scale - v.hscroll.pos;
    v.origin_y = v.centre_y - (b.board_height / 2 + b.extent.min_y) * v.scale + v.vscroll.pos;
}

void set_scroll_ranges(BoardView& v) {
    for (ScrollAxis* axis : {&v.hscroll, &v.vscroll}) {
        const int32_t e = static_cast<int32_t>(axis == &v.hscroll ? v.area_width : v.area_height);
        axis->min = -(e / 2);
        axis->max = e / 2;
        axis->page = (e / 2) / 5;
        axis->pos = 0;
    }
}

void fit_view(BoardView& v, const BoardModel& b, int32_t w, int32_t h, FitKind kind) {
    v.centre_x = w / 2;
    v.centre_y = h / 2;
    v.pan_dx = v.pan_dy = 0;
    v.hscroll.pos = v.vscroll.pos = 0;
    v.scale = std::min(fit_quotient(h, b.board_height, kind), fit_quotient(w, b.board_width, kind));
    set_scroll_ranges(v);
    recompute_origin(v, b);
}

void zoom_view(BoardView& v, const BoardModel& b, double factor) {
    v.scale *= factor;
    if (b.board_loaded) recompute_origin(v, b);
}

void wheel_zoom(BoardView& v, const BoardModel& b, int delta) {
    if (delta >= 0)
        v.scale += kWheelStep;
    else if (v.scale > kWheelFloor)
        v.scale -= kWheelStep;
    if (!b.board_loaded) return;
    v.centre_x = v.area_width / 2.0;
    v.centre_y = v.area_height / 2.0;
    recompute_origin(v, b);
}

int32_t scroll_view(BoardView& v, ScrollBarKind bar, int code, int32_t thumb_pos) {
    ScrollAxis& a = bar == ScrollBarKind::horizontal ? v.hscroll : v.vscroll;
    // 64-bit so that a step past the range cannot overflow before it is refused
    int64_t p = a.pos;
    switch (static_cast<ScrollCode>(code)) {
    case ScrollCode::line_up:
        if (p - 1 > a.min) p -= 1;
        break;
    case ScrollCode::page_up:
        if (p - a.page > a.min) p -= a.page;
        break;
    case ScrollCode::line_down:
        if (p + 1 < a.max) p += 1;
        break;
    case ScrollCode::page_down:
        if (p + a.page < a.max) p += a.page;
        break;
    case ScrollCode::thumb_track:
        p = thumb_pos;
        break;
    default:
        break;
    }
    const int32_t d = static_cast<int32_t>(p - a.pos);
    a.pos = static_cast<int32_t>(p);
    // A move down shows a lower part of the board.
    if (bar == ScrollBarKind::horizontal)
        v.origin_x -= d;
    else
        v.origin_y += d;
    return d;
}

bool centre_on_box(BoardView& v, const BoardModel& b, const ElementBox& box) {
    if (box.empty()) return false;
    const bool inside = box.min_x >= 0 && box.min_y >= 0 &&
                        box.max_x <= static_cast<int64_t>(v.area_width) &&
                        box.max_y <= static_cast<int64_t>(v.area_height);
    if (inside) return false;
    const double mid_x = (static_cast<double>(box.min_x) + box.max_x) / 2;
    const double mid_y = (static_cast<double>(box.min_y) + box.max_y) / 2;
    const double dx = v.area_width / 2.0 - mid_x;
    const double dy = v.area_height / 2.0 - mid_y;
    // The bottom-only view mirrors x after the mapping: the board moves the other way.
    v.centre_x += v.bottom_only ? -dx : dx;
    v.centre_y += dy;
    recompute_origin(v, b);
    return true;
}

void pan_begin(BoardView& v, int32_t x, int32_t y) {
    v.drag_start_x = x;
    v.drag_start_y = y;
    v.dragging = true;
}

bool pan_move(BoardView& v, int32_t x, int32_t y, bool middle_held) {
    if (!middle_held) {
        v.dragging = false;
        return false;
    }
    if (!v.dragging) return false;
    v.pan_dx = static_cast<double>(x) - v.drag_start_x;
    v.pan_dy = static_cast<double>(v.drag_start_y) - y;  // y upwards
    return true;
}

void pan_end(BoardView& v, const BoardModel& b) {
    v.centre_x += v.pan_dx;
    v.centre_y += v.pan_dy;
    recompute_origin(v, b);
    v.pan_dx = v.pan_dy = 0;
    v.dragging = false;
}

std::vector<uint32_t> hit_test(const std::vector<ElementBox>& boxes, int32_t x, int32_t y,
                               int32_t client_height) {
    const int64_t up = static_cast<int64_t>(client_height) - y;
    std::vector<uint32_t> hits;
    if (up < std::numeric_limits<int32_t>::min() || up > std::numeric_limits<int32_t>::max())
        return hits;
    for (size_t i = 0; i < boxes.size(); ++i)
        if (boxes[i].contains(x, static_cast<int32_t>(up))) hits.push_back(static_cast<uint32_t>(i));
    return hits;
}

std::optional<CrosshairPos> crosshair_position(const ElementBox& box, const ClientRect& client) {
    if (box.empty()) return std::nullopt;
    // 64-bit: a box may span more than half the 32-bit range when zoomed far in
    const int64_t x = int64_t{box.min_x} + (int64_t{box.max_x} - box.min_x) / 2 + client.left;
    const int64_t y = int64_t{client.bottom} - box.min_y - (int64_t{box.max_y} - box.min_y) / 2;
    const auto clamp32 = [](int64_t n) {
        return static_cast<int32_t>(std::clamp<int64_t>(n, std::numeric_limits<int32_t>::min(),
                                                        std::numeric_limits<int32_t>::max()));
    };
    return CrosshairPos{clamp32(x), clamp32(y)};
}

}  // namespace tindral
