#pragma once
// tindral-cli as a function: arguments in, exit code out; rows to out, messages to err.

#include <cstdio>
#include <string>
#include <vector>

namespace tindral::cli {

int run_cli(const std::vector<std::wstring>& args, std::FILE* out, std::FILE* err);

}  // namespace tindral::cli
