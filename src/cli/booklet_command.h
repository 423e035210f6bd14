#pragma once
// tindral-cli booklet: the assembly booklet's pages as SVG files in a folder.

#include <cstdio>
#include <string>
#include <vector>

#include "model/session.h"

namespace tindral::cli {

// args as given to tindral-cli, starting with "booklet"; the board is read into session.
int run_booklet(const std::vector<std::wstring>& args, Session& session, std::FILE* out,
                std::FILE* err);

}  // namespace tindral::cli
