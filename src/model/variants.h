#pragma once
// Assembly variants: which parts a variant fits and the value it gives them. The list, the
// BOM, the counter, the drawing and tindral-cli all follow choose_variant, which applies
// part_in_variant to every element.

#include <cstdint>
#include <string>
#include <string_view>

#include "model/board_model.h"

namespace tindral {

struct PartChoice {
    bool populated = true;
    const std::string* value = nullptr;   // the variant's value, else the file's own (never null)
};

// What variant (an index into the board's variants, or -1 on a board without any) makes of
// one element. A <variant> child naming it decides; otherwise, in the file's current variant,
// the element's own attributes do (Eagle writes the current choice on the element); in any
// other variant the part is fitted with its own value.
PartChoice part_in_variant(const ElementRec& element, int32_t variant, int32_t current);

// Shows variant: sets every element's populated flag and shown value, then groups the fitted
// parts anew (amounts and groups follow the values shown). The marks are left as they are.
void choose_variant(BoardModel& board, int32_t variant);

// The index of the variant named name, -1 when the board has none of that name.
int32_t find_variant(const BoardModel& board, std::wstring_view name);

// Adds a variant name unless the board has it already; returns its index.
uint32_t add_variant(BoardModel& board, std::wstring_view name);

}  // namespace tindral
