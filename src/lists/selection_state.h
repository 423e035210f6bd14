#pragma once
// The per-component selection state lives in the marks (selection/marks.h); the list keeps the
// row chosen last.

#include <cstdint>

#include "selection/marks.h"

namespace tindral {

// The main-list row chosen last in the Windows program, -1 for none. Reset with every load.
// The portable code takes it as a parameter (Session::last_row).
extern int32_t g_last_row;

}  // namespace tindral
