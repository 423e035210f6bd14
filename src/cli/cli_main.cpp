// Entry of tindral-cli: the arguments as wide strings, UTF-8 bytes out unchanged.

#include <cstdio>
#include <string>
#include <vector>

#include "board/utf8.h"
#include "cli/cli_run.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

int wmain(int argc, wchar_t** argv) {
    // Binary streams: UTF-8 bytes and our own line ends, no CR LF translation.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    std::vector<std::wstring> args(argv + 1, argv + argc);
    return tindral::cli::run_cli(args, stdout, stderr);
}
#else
int main(int argc, char** argv) {
    std::vector<std::wstring> args;
    // A board's name may hold bytes that are not UTF-8: they are kept, to reach the file.
    for (int i = 1; i < argc; ++i) args.push_back(tindral::path_to_wide(argv[i]));
    return tindral::cli::run_cli(args, stdout, stderr);
}
#endif
