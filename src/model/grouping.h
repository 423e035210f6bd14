#pragma once
// Groups of like components: one group per package and value, numbered by class and side, with
// the amounts per side and the alternating shade of the main list.

#include <cstddef>
#include <cstdint>

#include "model/board_model.h"

namespace tindral {

// The numbering step: 1000 for boards of up to 1000 elements, otherwise the smallest power of
// ten that is at least the element count, so that the six class ranges never overlap.
uint32_t group_step(size_t element_count);

// The class base of an element: 1, 2, 3 (top R, C, other) or 5, 6, 7 (bottom) times the step.
uint32_t group_class_base(const ElementRec& element, uint32_t step);

// Sets amount top, amount bottom, group and shade of every element; a part not fitted in the
// variant shown gets none of them (all 0).
void group_components(BoardModel& board);

}  // namespace tindral
