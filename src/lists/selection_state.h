#pragma once
// The per-component selection state lives in the marks (selection/marks.h); the list keeps the
// row chosen last.

#include <cstdint>

#include "selection/marks.h"

namespace tindral {

// The main-list row chosen last, -1 for none. Reset with every load.
extern int32_t g_last_row;

}  // namespace tindral
