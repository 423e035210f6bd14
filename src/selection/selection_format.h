#pragma once
// What the selection file beside a board is called and what it holds: one little-endian 32-bit
// state per component, in model order, nothing else.

#include <cstdint>
#include <string>
#include <vector>

namespace tindral {

// The board path with its extension replaced by ".TindralSel" (board1.brd gives
// board1.TindralSel). False when the path names no file or the name would pass the path limit.
bool make_selection_path(const std::wstring& board_path, std::wstring& selection_path);

// The name older versions used: the board path without its last five characters, then
// ".TindralSel", so board1.brd and board2.brd shared board.TindralSel. Only read, never written.
bool legacy_selection_path(const std::wstring& board_path, std::wstring& selection_path);

// Where a save is written before it replaces the old file: beside it, no longer than it.
std::wstring temp_selection_path(const std::wstring& selection_path);

std::string encode_states(const std::vector<uint32_t>& states);

// Reads as many states as bytes holds, at most states.size(); the others keep their values.
void decode_states(const std::string& bytes, std::vector<uint32_t>& states);

// A file written for a board of components states: 4 bytes each, no more, no fewer.
bool fits_board(const std::string& bytes, size_t components);

// True when some state in bytes is not 0.
bool holds_marks(const std::string& bytes);

}  // namespace tindral
