// The whole load of a board from bytes: tokens, model, groups, drawing of every side and a hit
// test. The load runs twice: every question answered Yes, then one answered No.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "board/load_board.h"
#include "fuzz_support.h"
#include "settings/settings.h"
#include "view/board_view.h"
#include "view/draw_board.h"

namespace {

using namespace tindral;

void draw_and_hit(BoardModel& board, uint32_t top, uint32_t bottom) {
    Settings s;
    s.show_top_side = top;
    s.show_bottom_side = bottom;
    BoardView v;
    v.bottom_only = bottom_only_view(s);
    fit_view(v, board, 900, 700, FitKind::load);
    fuzz::CountingCanvas c;
    paint_board(c, board, v, s);
    if (board.elements.size() != 0 && v.boxes.size() != board.elements.size()) __builtin_trap();
    const std::vector<uint32_t> hits = hit_test(v.boxes, 450, 350, 700);
    for (uint32_t h : hits)
        if (h >= v.boxes.size()) __builtin_trap();
    zoom_view(v, board, 1.5);
    c.calls = 0;
    paint_board(c, board, v, s);
}

void load_once(std::string_view bytes, unsigned no_at) {
    LoadOptions options;
    options.path = L"C:\\boards\\fuzz.brd";
    options.open_reader = &open_platform_xml_reader;
    fuzz::QuietAsker asker(no_at);
    LoadResult loaded = load_board(bytes, options, asker);
    BoardModel& board = loaded.board;
    if (!board_read(loaded.status)) {
        if (!board.elements.empty() || !board.libraries.empty()) __builtin_trap();
        return;
    }
    draw_and_hit(board, 1, 0);
    draw_and_hit(board, 0, 1);
    draw_and_hit(board, 1, 1);
    release_board(board);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    load_once(bytes, 0);
    // The n-th question answered No, n taken from the input so that every question is reached.
    load_once(bytes, 1 + (size ? data[size - 1] % 8 : 0));
    return 0;
}
