// The whole load of a board from bytes: tokens, model, groups, drawing of every side and a hit
// test. The parser runs twice: every question answered Yes, then one answered No.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "board/parse_board.h"
#include "board/tokenise.h"
#include "fuzz_support.h"
#include "model/grouping.h"
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

void load_once(const TokenList& tokens, unsigned no_at) {
    fuzz::QuietPort port(no_at);
    BoardModel board;
    const ParseOutcome parsed = parse_board(tokens, board);
    if (!parsed.result) {
        release_board(board);
        return;
    }
    board.marks.reset(board.placement_count);
    group_components(board);
    draw_and_hit(board, 1, 0);
    draw_and_hit(board, 0, 1);
    draw_and_hit(board, 1, 1);
    release_board(board);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    g_settings = Settings{};
    g_settings.report_unexpected = 1;
    g_settings.xml_path_file_name = L"C:\\boards\\fuzz.brd";
    TokenList tokens;
    {
        fuzz::QuietPort port;
        const TokeniseResult t =
            tokenise_bytes(std::string_view(reinterpret_cast<const char*>(data), size), tokens);
        if (!t.ok) return 0;
    }
    load_once(tokens, 0);
    // The n-th question answered No, n taken from the input so that every question is reached.
    load_once(tokens, 1 + (size ? data[size - 1] % 8 : 0));
    return 0;
}
