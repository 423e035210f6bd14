#pragma once
// The counter line of the main window: how many components are placed, in total and per side.

#include <cstdint>
#include <string>

#include "model/board_model.h"

namespace tindral {

// The counter line in the current language; "placed" counts the marked components.
std::wstring placed_counter_text(const MarkCounts& counts);
std::wstring placed_counter_text(const BoardModel& board);

}  // namespace tindral
