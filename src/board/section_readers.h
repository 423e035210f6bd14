#pragma once
// Readers of the board file's sections. Each returns false (or -1 for set_lib) when the user
// answered No to a question about an unknown name; the load is then abandoned.

#include <cstddef>
#include <cstdint>
#include <string>

#include "board/parse_walk.h"
#include "board/token_list.h"
#include "model/board_model.h"

namespace tindral {

// Grid: checked, nothing kept. pos on the first token after the grid's start token.
bool set_grid(const WalkContext& ctx, const TokenList& tokens, size_t& pos);

// Layers: colour, fill, visible and active of the fixed rows the file names (numbers above 16).
// pos on the first token after the layers' start token.
bool set_layers(const WalkContext& ctx,
                const TokenList& tokens, size_t& pos, std::array<LayerRec, kLayerRows>& layers);

// How a rot text places an element. A leading spin flag S is read past.
struct Rotation {
    bool known = false;  // false: the text changes neither side nor rotation
    uint32_t side = kSideTop;
    double degrees = 0;  // mirrored elements get the file angle + 180, not reduced
};
Rotation read_rotation(std::wstring_view text);

// The position after the <variantdefs> start token that belongs to the elements starting at
// elements_pos, or -1 when the board has none.
long find_variantdefs(const TokenList& tokens, size_t elements_pos);

// The variant names (a repeated one kept once) and the current one into board, pos after the
// <variantdefs> start token. Nothing in there is asked about.
void read_variantdefs(const TokenList& tokens, size_t pos, BoardModel& board);

// All consecutive elements, pos on the first element's start token. Elements go to the end of
// board.elements. The board's variants must be read before.
bool set_elem(const WalkContext& ctx, const TokenList& tokens, size_t& pos, BoardModel& board);

// One package, pos on the first token after its start token; returns with pos past its end.
bool set_package(const WalkContext& ctx, const TokenList& tokens, size_t& pos, PackageRec& package);

// One library, pos on the first token after its start token: 1 when it had at least one
// package, 0 when it had none, -1 when the load is abandoned. Returns with pos on the
// library's end token (or where the library ended without one).
int set_lib(const WalkContext& ctx, const TokenList& tokens, size_t& pos, LibraryRec& library);

}  // namespace tindral
