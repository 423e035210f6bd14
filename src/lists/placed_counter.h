#pragma once
// The counter line of the main window: how many components are placed, in total and per side.

#include <cstdint>
#include <string>

#include "model/board_model.h"

namespace tindral {

struct PlacedCounts {
    uint32_t total = 0, top = 0, bottom = 0;
    uint32_t placed = 0, placed_top = 0, placed_bottom = 0;
};

// Counts over all components; a component is placed when its selection state is not 0.
PlacedCounts count_placed(const BoardModel& board);

// The counter line in the current language.
std::wstring placed_counter_text(const PlacedCounts& counts);
std::wstring placed_counter_text(const BoardModel& board);

}  // namespace tindral
