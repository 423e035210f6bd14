// The whole load of a board from bytes: tokens, model, groups, drawing of every side and a hit
// test. The load runs twice: every question answered Yes, then one answered No. Each time a
// walk over a list of every token must read what the load read.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "board/board_archive.h"
#include "board/kicad_reader.h"
#include "board/load_board.h"
#include "board/parse_board.h"
#include "board/tokenise.h"
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

bool same_elements(const BoardModel& a, const BoardModel& b) {
    if (a.elements.size() != b.elements.size()) return false;
    for (size_t i = 0; i < a.elements.size(); ++i) {
        const ElementRec &x = a.elements[i], &y = b.elements[i];
        if (x.name != y.name || x.package != y.package || x.library != y.library ||
            x.side != y.side || x.x != y.x)
            return false;
    }
    return true;
}

// The load leaves the board's <signals> out of its tokens: a walk over every token must ask
// the same questions and read the same board.
void compare_with_every_token(std::string_view bytes, const LoadOptions& options, unsigned no_at,
                              const LoadResult& loaded, unsigned asked) {
    if (is_zip_archive(bytes) || is_kicad_board(bytes) || is_legacy_kicad_board(bytes)) return;
    TokenList all;
    const TokeniseResult t = tokenise_bytes(bytes, options.open_reader, all);
    if (!t.ok()) {
        if (loaded.status.code != t.status.code) __builtin_trap();
        return;
    }
    fuzz::QuietAsker asker(no_at);
    BoardModel board;
    board.layers = options.layers;
    const ParseOutcome parsed = parse_board(all, board, options, asker);
    if (asker.questions != asked) __builtin_trap();
    if (!parsed.result || !board_read(loaded.status)) {
        if (parsed.result || board_read(loaded.status)) __builtin_trap();
        return;
    }
    if (!same_elements(board, loaded.board) ||
        board.libraries.size() != loaded.board.libraries.size() ||
        board.plain_wires.size() != loaded.board.plain_wires.size() ||
        board.variants != loaded.board.variants)
        __builtin_trap();
}

void load_once(std::string_view bytes, unsigned no_at) {
    LoadOptions options;
    options.path = L"C:\\boards\\fuzz.brd";
    options.open_reader = &open_platform_xml_reader;
    fuzz::QuietAsker asker(no_at);
    LoadResult loaded = load_board(bytes, options, asker);
    compare_with_every_token(bytes, options, no_at, loaded, asker.questions);
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
