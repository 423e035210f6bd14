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
#ifdef __GLIBC__
#include <malloc.h>
#endif

int main(int argc, char** argv) {
#ifdef __GLIBC__
    // One load allocates and frees blocks of many megabytes (the file, its tokens, the rows).
    // Kept in the heap instead of mapped and unmapped one by one, a freed block serves the next
    // one without fresh pages, each of which costs a fault when first touched.
    mallopt(M_MMAP_THRESHOLD, 256 << 20);
    mallopt(M_TRIM_THRESHOLD, 512 << 20);
#endif
    std::vector<std::wstring> args;
    // A board's name may hold bytes that are not UTF-8: they are kept, to reach the file.
    for (int i = 1; i < argc; ++i) args.push_back(tindral::path_to_wide(argv[i]));
    return tindral::cli::run_cli(args, stdout, stderr);
}
#endif
