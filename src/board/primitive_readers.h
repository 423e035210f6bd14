#pragma once
// Readers of the drawing primitives of packages and of the plain section, and the checkers of
// the package elements that are accepted but not kept. Each returns false when the user answered
// No to a question about an unknown name (the load is then abandoned).

#include <cstddef>

#include "board/parse_walk.h"
#include "board/token_list.h"
#include "model/board_model.h"

namespace tindral {

// pos on the element's start token.
bool read_wire(const WalkContext& ctx, const TokenList& tokens, size_t& pos, WireRec& wire);
bool read_circle(const WalkContext& ctx, const TokenList& tokens, size_t& pos, CircleRec& circle);
bool read_rectangle(const WalkContext& ctx,
                    const TokenList& tokens, size_t& pos, RectangleRec& rectangle);
bool read_hole(const WalkContext& ctx, const TokenList& tokens, size_t& pos, HoleRec& hole);
bool check_dimension(const WalkContext& ctx, const TokenList& tokens, size_t& pos);

// pos on the first token after the element's start token.
bool read_polygon(const WalkContext& ctx,
                  const TokenList& tokens, size_t& pos, PolygonRec& polygon);
bool read_pad(const WalkContext& ctx, const TokenList& tokens, size_t& pos, PadRec& pad);
bool read_smd(const WalkContext& ctx, const TokenList& tokens, size_t& pos, PadRec& pad);
// Also steps over the text's content and its end token, when they are there.
bool check_text(const WalkContext& ctx, const TokenList& tokens, size_t& pos);

// The angle of a pad's rot text ("R90", "MR45", "SMR180"): the letters before the number are
// skipped; mirror tells whether an M was among them.
double pad_rotation(std::wstring_view text, bool& mirror);

// The number of a rectangle's rot text: one leading R or M, or the pair MR or RM, is skipped.
double rectangle_rotation(std::wstring_view text);

// The children of the plain section, pos on the first token after its start token. Returns with
// pos on the section's end token (or at the end of the list).
bool set_plain(const WalkContext& ctx, const TokenList& tokens, size_t& pos, BoardModel& board);

}  // namespace tindral
