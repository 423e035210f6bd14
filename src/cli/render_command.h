#pragma once
// tindral-cli render: the board's outlines as an SVG picture.

#include <cstdio>
#include <string>
#include <vector>

namespace tindral::cli {

// args as given to tindral-cli, starting with "render".
int run_render(const std::vector<std::wstring>& args, std::FILE* out, std::FILE* err);

}  // namespace tindral::cli
