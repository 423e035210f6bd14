#pragma once
// The find box's filter: which components' rows stay when the user types a text. A row stays
// when its name, value or package, as the list shows them, contains the text, letters compared
// without case. An empty text keeps every row.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/board_model.h"

namespace tindral {

// The text with its letters in one case, for comparisons that ignore case: ASCII, Latin-1,
// Latin Extended-A and Greek, which covers the names and values boards carry.
std::wstring fold_case(const std::wstring& text);

// Whether the element's Name, Value or Package cell contains folded_needle (already folded).
bool element_matches(const ElementRec& element, size_t index, const std::wstring& folded_needle);

// rows (model indices) without the ones that do not match text, order kept.
std::vector<size_t> filter_rows(const BoardModel& board, const std::vector<size_t>& rows,
                                const std::wstring& text);

// One flag per element: 1 where the element matches text. Empty for an empty text, so "no
// filter" costs nothing to ask.
std::vector<uint8_t> find_matches(const BoardModel& board, const std::wstring& text);

}  // namespace tindral
