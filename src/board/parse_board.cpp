#include "board/parse_board.h"

#include <cmath>
#include <new>

#include "board/parse_walk.h"
#include "board/primitive_readers.h"
#include "board/section_readers.h"
#include "model/placement.h"
#include "text/format.h"

namespace tindral {

std::wstring board_title_for(const std::wstring& path) {
    const size_t slash = path.rfind(L'\\');
    const std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    return format_text(261, L"%s    %s", L"Tindral V2.00.1", name);
}

namespace {

// A section Eagle always writes may still be missing; it then reads as empty.
bool section(const TokenList& tokens, const wchar_t* name, size_t& pos) {
    const long found = find_element(tokens, name);
    if (found < 0) return false;
    pos = static_cast<size_t>(found);
    return true;
}

bool read_libraries(const WalkContext& ctx,
                    const TokenList& tokens, size_t pos, BoardModel& board) {
    if (tokens.at(pos).kind == kTokenEmptyEnd) return true;  // <libraries/>
    for (;;) {
        if (past_end(tokens, pos) || is_end(tokens, pos, L"libraries")) return true;
        if (!is_start(tokens, pos, L"library")) {
            ++pos;  // nothing else belongs between the libraries, not even the end of a <x/>
            continue;
        }
        ++pos;
        LibraryRec library;
        const int r = set_lib(ctx, tokens, pos, library);
        if (r < 0) return false;
        if (r == 1) board.libraries.push_back(std::move(library));
        // A library without packages is not kept; either way the walk goes on past its end.
        if (is_end(tokens, pos, L"library")) ++pos;
    }
}

int walk_and_place(const WalkContext& ctx, const TokenList& tokens, BoardModel& board,
                   const LoadOptions& options, ParseOutcome& out) {
    size_t pos = 0;
    if (section(tokens, L"grid", pos) && !set_grid(ctx, tokens, pos)) return 0;
    if (section(tokens, L"layers", pos) && !set_layers(ctx, tokens, pos, board.layers)) return 0;
    if (section(tokens, L"plain", pos) && !set_plain(ctx, tokens, pos, board)) return 0;
    if (section(tokens, L"elements", pos)) {
        if (const long defs = find_variantdefs(tokens, pos); defs >= 0)
            read_variantdefs(tokens, static_cast<size_t>(defs), board);
        if (!set_elem(ctx, tokens, pos, board)) return 0;
    }
    if (section(tokens, L"libraries", pos) && !read_libraries(ctx, tokens, pos, board)) return 0;

    out.set_title = true;
    out.board_title = board_title_for(options.path);
    take_plain_extent(board);

    // With neither side shown nothing is placed and the board does not count as loaded.
    if (!options.show_top && !options.show_bottom) return 1;

    place_all_elements(board);
    board.board_width = std::fabs(board.extent.max_x - board.extent.min_x);
    board.board_height = std::fabs(board.extent.max_y - board.extent.min_y);
    board.board_loaded = 1;
    out.show_bom_button = true;
    return 1;
}

}  // namespace

ParseOutcome parse_board(const TokenList& tokens, BoardModel& board, const LoadOptions& options,
                         LoadAsker& asker) {
    const WalkContext ctx{asker, options.report_unexpected, options.language};
    ParseOutcome out;
    release_board(board);  // every table anew; the layer table keeps what earlier loads set
    reset_extent(board.extent);
    board.board_width = board.board_height = 0;
    try {
        out.result = walk_and_place(ctx, tokens, board, options, out);
    } catch (const std::bad_alloc&) {
        release_board(board);
        out = ParseOutcome{};
        out.code = LoadCode::out_of_memory;
        return out;
    }
    if (!out.result) {
        release_board(board);  // nothing of an abandoned walk is shown
        out.code = LoadCode::declined;
    }
    return out;
}

}  // namespace tindral
