#pragma once
// What every tindral-cli command does before its own work: the usage line for a mistaken
// command line, and the board read into g_board with its troubles reported on stderr.

#include <cstdio>
#include <string>

namespace tindral::cli {

void write_bytes(std::FILE* f, const std::string& s);

// Writes the one-line reason and the hint to --help; returns the usage exit code.
int usage_error(std::FILE* err, const std::wstring& error);

// Reads board into g_board, grouped, with the settings' options. Returns kExitOk, or the exit
// code to end with.
int load_cli_board(const std::wstring& board, bool strict, std::FILE* err);

}  // namespace tindral::cli
