// Arbitrary selection file bytes through load_selection, beside a board path of its own.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "selection/selection.h"
#include "selection/selection_format.h"
#include "model/board_model.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tindral;
    static const std::string dir = "/tmp/tindral-fuzz-sel-" + std::to_string(getpid());
    static const bool made = ::mkdir(dir.c_str(), 0700) == 0 || errno == EEXIST;
    if (!made) return 0;
    BoardModel board;
    board.path = std::wstring(dir.begin(), dir.end()) + L"/fuzz.brd";
    std::wstring sel_path;
    if (!make_selection_path(board.path, sel_path)) __builtin_trap();
    const std::string narrow(sel_path.begin(), sel_path.end());
    ::chmod(narrow.c_str(), 0600);
    {
        std::ofstream f(narrow, std::ios::binary | std::ios::trunc);
        f.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    // As many states as the first byte says, so that short and long files both meet the array.
    board.marks.assign(std::vector<uint32_t>(size ? data[0] % 64 : 3, 7));
    const std::vector<uint32_t> before = board.marks.states();
    fuzz::QuietPort port;
    const int r = load_selection(board);
    // Marks are applied whole or not at all: only a file of exactly one state a component fits.
    if (board.marks.states().size() != before.size()) __builtin_trap();
    if (size != 4 * before.size() && board.marks.states() != before) __builtin_trap();
    if (r == 1 && size == 4 * before.size())
        for (uint32_t s : board.marks.states())
            if (s != 0 && s != 2) __builtin_trap();
    return 0;
}
