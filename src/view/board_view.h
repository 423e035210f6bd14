#pragma once
// The board window's view state and its arithmetic: the mapping of board millimetres to
// pixels, fitting, scroll bars, zoom, middle-button panning, the hit test against the element
// box table and the crosshair position. No window is touched here; the window procedure
// feeds in sizes, positions and codes and redraws where the answer says so.

#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

#include "model/board_model.h"
#include "settings/settings.h"

namespace tindral {

// What one element left on the drawing area, in logical pixels (y upwards). A box that saw no
// point keeps min above max, so no point lies inside it.
struct ElementBox {
    int32_t min_x = std::numeric_limits<int32_t>::max();
    int32_t min_y = std::numeric_limits<int32_t>::max();
    int32_t max_x = std::numeric_limits<int32_t>::min();
    int32_t max_y = std::numeric_limits<int32_t>::min();

    bool empty() const { return min_x > max_x || min_y > max_y; }
    bool contains(int32_t x, int32_t y) const {
        return min_x <= x && x <= max_x && min_y <= y && y <= max_y;
    }
    bool operator==(const ElementBox&) const = default;
};

struct ScrollAxis {
    int32_t pos = 0;
    int32_t min = 0;
    int32_t max = 0;
    int32_t page = 0;
};

struct BoardView {
    double scale = 1;               // pixels per millimetre
    double centre_x = 0, centre_y = 0;
    double origin_x = 0, origin_y = 0;  // pixel of the board point (0, 0)
    double pan_dx = 0, pan_dy = 0;      // only while the middle button drags
    bool dragging = false;
    int32_t drag_start_x = 0, drag_start_y = 0;
    ScrollAxis hscroll, vscroll;
    uint32_t area_width = 0, area_height = 0;
    bool bottom_only = false;       // top side hidden, bottom shown: every x is mirrored

    std::vector<ElementBox> boxes;  // one per element, from the last full drawing
    std::vector<uint32_t> hits;     // components under the last left click
    int32_t current = -1;           // component with the crosshair
    uint32_t crosshair_drawn = 0;   // 0, or index + 1 of the component it was drawn for
};

// Board point to logical pixel, y upwards, mirrored in the bottom-only view.
// Inline: every point of a paint passes here.
inline double logical_x(const BoardView& v, double board_x) {
    const double x = board_x * v.scale + v.origin_x + v.pan_dx;
    return v.bottom_only ? v.area_width - x : x;
}
inline double logical_y(const BoardView& v, double board_y) {
    return board_y * v.scale + v.origin_y + v.pan_dy;
}

// The bottom-only view follows the two side settings.
bool bottom_only_view(const Settings& s);

// Applies the origin rule: the middle of the board extent lands on the centre, shifted by the
// scroll positions.
void recompute_origin(BoardView& v, const BoardModel& b);

// Both scroll bars from the area size: range -(e/2) .. e/2, page (e/2)/5, position 0.
void set_scroll_ranges(BoardView& v);

// Fits the board into an area of w x h pixels: centre in the middle, no pan, scroll bars
// reset, about 1/1.1 of the tighter direction filled. The load keeps the quotients exact; the
// Fit button and a resize truncate them and divide in single precision. A board size below
// one millimetre counts as one, so a tiny or empty board never divides by zero.
enum class FitKind { load, button };
void fit_view(BoardView& v, const BoardModel& b, int32_t w, int32_t h, FitKind kind);

// Plus (1.5) and Minus (0.5); without a board only the scale changes.
void zoom_view(BoardView& v, const BoardModel& b, double factor);

// One wheel message: forward adds 0.2, backward takes 0.2 off while the scale is above 0.29.
// With a board loaded the board is centred in the area again.
void wheel_zoom(BoardView& v, const BoardModel& b, int delta);

// Scroll bar codes as the window messages carry them.
enum class ScrollCode : int {
    line_up = 0,
    line_down = 1,
    page_up = 2,
    page_down = 3,
    thumb_position = 4,
    thumb_track = 5,
};
enum class ScrollBarKind { horizontal, vertical };

// Moves the bar's position by the code and the picture with it; returns the change in pixels.
int32_t scroll_view(BoardView& v, ScrollBarKind bar, int code, int32_t thumb_pos);

// Keeping the current part in view: when box does not lie wholly inside the area, the view
// moves (zoom kept) so that the box's middle lands in the area's middle. True when it moved;
// the boxes are then stale until the next full drawing. An empty box (nothing drawn) stays put.
bool centre_on_box(BoardView& v, const BoardModel& b, const ElementBox& box);

// Middle-button panning in client coordinates (y downwards).
void pan_begin(BoardView& v, int32_t x, int32_t y);
// Returns true when the picture moved and must be redrawn.
bool pan_move(BoardView& v, int32_t x, int32_t y, bool middle_held);
// Takes the pan into the centre; does not redraw by itself.
void pan_end(BoardView& v, const BoardModel& b);

// Every component whose box holds the click (client coordinates, y downwards), borders
// included, in component order. There is no limit on the number of hits.
std::vector<uint32_t> hit_test(const std::vector<ElementBox>& boxes, int32_t x, int32_t y,
                               int32_t client_height);

struct ClientRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// The crosshair's vertical line x and horizontal line y (client coordinates, y downwards)
// over a component's box. A component that drew nothing gets no crosshair.
struct CrosshairPos {
    int32_t x = 0, y = 0;
};
std::optional<CrosshairPos> crosshair_position(const ElementBox& box, const ClientRect& client);

}  // namespace tindral
