#pragma once
// What the selection file beside a board is called and what it holds: one little-endian 32-bit
// state per component, in model order, nothing else.

#include <cstdint>
#include <string>
#include <vector>

namespace tindral {

// The board path without its last five characters, then ".TindralSel". False when that does
// not give a name in the board's own folder (a file name of fewer than five characters), or
// when the name would pass the path limit.
bool make_selection_path(const std::wstring& board_path, std::wstring& selection_path);

// Where a save is written before it replaces the old file: beside it, no longer than it.
std::wstring temp_selection_path(const std::wstring& selection_path);

std::string encode_states(const std::vector<uint32_t>& states);

// Reads as many states as bytes holds, at most states.size(); the others keep their values.
void decode_states(const std::string& bytes, std::vector<uint32_t>& states);

}  // namespace tindral
