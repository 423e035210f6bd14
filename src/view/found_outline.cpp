#include "view/found_outline.h"

#include <algorithm>

namespace tindral {

void outline_found(Canvas& c, const BoardView& v, const std::vector<uint8_t>& matches) {
    const size_t n = std::min(matches.size(), v.boxes.size());
    if (n == 0) return;
    const Pen kept = c.select_pen({PenRole::found, kFoundPenColour});
    for (size_t i = 0; i < n; ++i) {
        const ElementBox& b = v.boxes[i];
        if (!matches[i] || b.empty()) continue;
        // 64-bit sums: a box at the edge of the 32-bit range must not wrap round.
        const auto out = [](int64_t x) {
            return static_cast<int32_t>(std::clamp<int64_t>(x, INT32_MIN, INT32_MAX));
        };
        const int32_t left = out(int64_t{b.min_x} - kFoundOutlineGap);
        const int32_t right = out(int64_t{b.max_x} + kFoundOutlineGap);
        const int32_t bottom = out(int64_t{b.min_y} - kFoundOutlineGap);
        const int32_t top = out(int64_t{b.max_y} + kFoundOutlineGap);
        c.move_to(left, bottom);
        c.line_to(right, bottom);
        c.line_to(right, top);
        c.line_to(left, top);
        c.line_to(left, bottom);
    }
    c.select_pen(kept);
}

}  // namespace tindral
