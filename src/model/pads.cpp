#include "model/pads.h"

#include <algorithm>

namespace tindral {

size_t pin_one_pad(const std::vector<PadRec>& pads) {
    for (size_t i = 0; i < pads.size(); ++i)
        if (pads[i].name == L"1") return i;
    return pads.empty() ? pads.size() : 0;
}

double derived_pad_diameter(double drill) {
    if (!(drill > 0)) return 0;
    const double ring = std::clamp(drill * 0.25, 0.254, 0.508);
    return drill + 2 * ring;
}

uint8_t pad_sides_on_board(const PadRec& pad, const ElementRec& element) {
    const uint8_t sides = pad.sides & (kPadTop | kPadBottom);
    if (element.side != kSideBottom || element.outline_turned()) return sides;
    return static_cast<uint8_t>(((sides & kPadTop) ? kPadBottom : 0) | ((sides & kPadBottom) ? kPadTop : 0));
}

}  // namespace tindral
