#pragma once
// The outlines around the parts the find box matches, drawn over the finished picture.

#include <cstdint>
#include <vector>

#include "view/board_view.h"
#include "view/canvas.h"

namespace tindral {

// How far the outline stands off the part's box, in pixels: clear of the part's own lines.
constexpr int32_t kFoundOutlineGap = 3;

// A rectangle around the box of every element flagged in matches that drew something; matches
// empty (no find text) draws nothing.
void outline_found(Canvas& c, const BoardView& v, const std::vector<uint8_t>& matches);

}  // namespace tindral
