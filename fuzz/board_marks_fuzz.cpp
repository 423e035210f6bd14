// A board and the marks file beside it, loaded together: the marks meet the board's own number
// of components, then the counter, the lists and the drawing read them, and a save and a second
// load must give them back unchanged.
// Input: board bytes, then the marks file's bytes, then two bytes with the marks' length.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "board/load_board.h"
#include "fuzz_support.h"
#include "lists/list_rows.h"
#include "selection/selection.h"
#include "selection/selection_format.h"
#include "settings/settings.h"
#include "view/board_view.h"
#include "view/draw_board.h"

namespace {

using namespace tindral;

// The marks file for the current board path, made writable first (a save leaves it read-only).
bool write_marks(const BoardModel& board, std::string_view bytes) {
    std::wstring path;
    if (!make_selection_path(board.path, path)) return false;
    const std::string narrow(path.begin(), path.end());
    ::chmod(narrow.c_str(), 0600);
    std::ofstream f(narrow, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(f);
}

void read_marks(BoardModel& board) {
    Settings s;
    BoardView v;
    fit_view(v, board, 640, 480, FitKind::load);
    fuzz::CountingCanvas c;
    paint_board(c, board, v, s);
    (void)placed_counter_text(board);
    for (size_t r : shown_list_rows(board, true, true)) {
        if (r >= board.elements.size()) __builtin_trap();
        (void)list_row_cells(board.elements[r], r);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string dir = "/tmp/tindral-fuzz-marks-" + std::to_string(getpid());
    static const bool made = ::mkdir(dir.c_str(), 0700) == 0 || errno == EEXIST;
    if (!made || size < 2) return 0;
    const size_t marks_size = std::min<size_t>(data[size - 2] | data[size - 1] << 8, size - 2);
    const std::string_view input(reinterpret_cast<const char*>(data), size - 2);
    const std::string_view board_bytes = input.substr(0, input.size() - marks_size);
    const std::string_view marks = input.substr(input.size() - marks_size);

    fuzz::QuietPort port;  // the marks file's boxes
    LoadOptions options;
    options.path = std::wstring(dir.begin(), dir.end()) + L"/fuzz.brd";
    options.open_reader = &open_platform_xml_reader;
    fuzz::QuietAsker asker;
    LoadResult loaded = load_board(board_bytes, options, asker);
    if (!board_read(loaded.status)) return 0;
    BoardModel& board = loaded.board;
    if (!write_marks(board, marks)) return 0;

    const size_t n = board.marks.states().size();
    if (load_selection(board) == 1) {
        if (board.marks.states().size() != n) __builtin_trap();
        for (uint32_t s : board.marks.states())
            if (s != kStateUnselected && s != kStateSelected) __builtin_trap();
    }
    read_marks(board);

    // What is saved comes back as it was.
    const std::vector<uint32_t> saved = board.marks.states();
    if (save_selection(board) == 1) {
        if (load_selection(board) != 1 || board.marks.states() != saved) __builtin_trap();
    }
    release_board(board);
    return 0;
}
