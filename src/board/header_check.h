#pragma once
// The quick look at a newly chosen file before it joins the recent-path list, and the file-name
// part of the board path that the window titles show.

#include <cstddef>
#include <string>

#include "board/board_file.h"

namespace tindral {

constexpr size_t kHeaderCheckBytes = 512;

// 1 when bytes (the start of a file) begin with the XML declaration, then line breaks only,
// then the Eagle DOCTYPE line, or begin as a ZIP archive does (a .fbrd: the load then says
// whether a board is in it) or as a KiCad board, old or new (the load says which it reads);
// 0 otherwise.
int eagle_header_ok(const std::string& bytes);

// How the check reads the start of a file: the platform's read_file_start, handed in by the shell.
using FileStartReader = FileReadResult (*)(const std::wstring& path, size_t max_bytes,
                                           std::string& bytes);

// Checks the start of the file at path. Returns 1 or 0 as above, or -1 when the file cannot be
// opened or read (already reported to the user).
int is_eagle_version_ok(const std::wstring& path, FileStartReader read_start);

// The text after the last separator of path (the whole path when there is none).
std::wstring file_name_part(const std::wstring& path);

}  // namespace tindral
