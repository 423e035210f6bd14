#pragma once
// What every tindral-cli command does before its own work: the usage line for a mistaken
// command line, and the board read into the session with its troubles reported on stderr; and
// the writing of the files the commands make.

#include <cstdio>
#include <filesystem>
#include <string>

#include "model/session.h"

namespace tindral::cli {

void write_bytes(std::FILE* f, const std::string& s);

// Writes the one-line reason and the hint to --help; returns the usage exit code.
int usage_error(std::FILE* err, const std::wstring& error);

// Reads board into session.board, grouped, with the session's settings. Returns kExitOk, or the
// exit code to end with.
int load_cli_board(Session& session, const std::wstring& board, bool strict, std::FILE* err);

// A path from the command line as the file system takes it.
std::filesystem::path cli_file_path(const std::wstring& path);
// Writes bytes as the whole of a file, replacing it; false when that failed.
bool write_cli_file(const std::filesystem::path& file, const std::string& bytes);
// "tindral-cli: PATH: WHY" on stderr; returns the exit code of a file not written.
int cannot_write(std::FILE* err, const std::wstring& path, const std::string& why);

}  // namespace tindral::cli
