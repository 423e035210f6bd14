#pragma once
// Draws the board as outlines: the plain section, then every element's package in the colour
// of its side and selection state, filling the element box table on the way.

#include <cstddef>
#include <cstdint>

#include "model/board_model.h"
#include "settings/settings.h"
#include "view/board_view.h"
#include "view/canvas.h"

namespace tindral {

// The pen for a side (0 top, 1000 bottom) and a selection state (0, 1, 2; anything else grey).
Pen pen_for(uint32_t side, uint32_t state, const Settings& s);

// The pen of one element: grey for a part not fitted in the variant shown, otherwise the pen of
// its side and state.
Pen part_pen(const BoardModel& b, size_t element, const Settings& s);

// Selection state of an element; 0 when the state array does not reach it.
uint32_t element_state(const BoardModel& b, size_t element);

// Whether the element's side is shown by the side settings.
bool side_shown(const ElementRec& e, const Settings& s);

// Widens a box by a logical point (compared as double, stored truncated).
void widen_box(ElementBox& box, double x, double y);

// A logical coordinate as the drawing calls take it: truncated toward zero, held inside the
// 32-bit range (far zoom), NaN as 0.
int32_t to_logical(double v);

// The plain wires, circles and holes, in the "Color top unselected" pen.
int draw_plain(Canvas& c, const BoardModel& b, const BoardView& v, const Settings& s);

// One element with the pen currently selected, widening box by what it draws. Nothing is drawn
// for an element of a hidden side or one whose package was not found.
int draw_element(Canvas& c, const BoardModel& b, const BoardView& v, const Settings& s,
                 size_t element, ElementBox& box);

// The element's pads of the sides shown, and the dot on pin 1, in the pad colour; nothing when
// the pads are switched off. The pen selected before is selected again. The element box does
// not take them: hits and the crosshair stay where the outline puts them.
void draw_pads(Canvas& c, const BoardModel& b, const BoardView& v, const Settings& s, size_t element);

// Every element in its part_pen; rebuilds v.boxes, one row per element. A part not fitted in
// the variant shown gets an empty box: a click cannot choose it.
void draw_elements(Canvas& c, const BoardModel& b, BoardView& v, const Settings& s);

// A full paint: plain section then elements; nothing before a board is loaded. Running out of
// memory goes to the caller (the element boxes may then be partly filled).
void paint_board(Canvas& c, const BoardModel& b, BoardView& v, const Settings& s);

// Draws component e in the colour of its state, after the component demoted by the same choice
// (-1 for none). The marks are settled before; drawing only reads them.
void redraw_element(Canvas& c, const BoardModel& b, const BoardView& v, const Settings& s,
                    size_t e, int32_t demoted);

}  // namespace tindral
