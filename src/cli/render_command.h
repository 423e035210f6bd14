#pragma once
// tindral-cli render: the board's outlines as an SVG picture.

#include <cstdio>
#include <string>
#include <vector>

#include "model/session.h"

namespace tindral::cli {

// args as given to tindral-cli, starting with "render"; the board is read into session.
int run_render(const std::vector<std::wstring>& args, Session& session, std::FILE* out,
               std::FILE* err);

}  // namespace tindral::cli
