#pragma once
// What the program knows about pads beyond their records: which one is pin 1, the ring a
// through-hole pad has when the file gives no diameter, and the side a pad ends up on.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/board_model.h"

namespace tindral {

// The pad named "1", else the first pad in file order; pads.size() when there is none.
size_t pin_one_pad(const std::vector<PadRec>& pads);

// The outer diameter of a through-hole pad whose file gives none (or 0): the drill and a ring
// of a quarter of the drill on each side, the ring at least 0.254 mm and at most 0.508 mm.
double derived_pad_diameter(double drill);

// kPadTop / kPadBottom bits of where the pad lies on the board: a mirrored element turns its
// package over; a part whose outline is already turned has its pads where the file says.
uint8_t pad_sides_on_board(const PadRec& pad, const ElementRec& element);

}  // namespace tindral
