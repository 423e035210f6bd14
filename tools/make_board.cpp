// Writes a generated board of N elements (default 10000) to a file or to standard output:
//   tindral-make-board [N] [out.brd]
#include <cstdio>
#include <cstdlib>

#include "support/synthetic_board.h"

int main(int argc, char** argv) {
    const int n = argc > 1 ? std::atoi(argv[1]) : 10000;
    if (n < 0) {
        std::fprintf(stderr, "usage: tindral-make-board [N] [out.brd]\n");
        return 2;
    }
    const std::string board = tindral::test::synthetic_board(n);
    std::FILE* f = argc > 2 ? std::fopen(argv[2], "wb") : stdout;
    if (!f) {
        std::perror(argv[2]);
        return 1;
    }
    const bool ok = std::fwrite(board.data(), 1, board.size(), f) == board.size();
    if (f != stdout) std::fclose(f);
    return ok ? 0 : 1;
}
