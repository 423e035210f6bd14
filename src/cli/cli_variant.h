#pragma once
// Assembly variants on the command line: --variant NAME for list, bom and render, and the
// variants command.

#include <cstdio>
#include <string>
#include <vector>

#include "model/board_model.h"
#include "model/session.h"

namespace tindral::cli {

// With name given, shows that variant of the loaded board; otherwise the file's current one
// stays. An unknown name is a usage error naming the variants there are: returns kExitUsage.
int choose_cli_variant(BoardModel& board, bool given, const std::wstring& name, std::FILE* err);

// One variant name per line in file order, the current one followed by " (current)".
std::string variant_lines(const BoardModel& board);

// tindral-cli variants BOARD (args from the command word on).
int run_variants(const std::vector<std::wstring>& args, Session& session, std::FILE* out,
                 std::FILE* err);

}  // namespace tindral::cli
