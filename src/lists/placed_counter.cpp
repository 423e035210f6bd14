#include "lists/placed_counter.h"

#include "app/format.h"
#include "app/lang.h"

namespace tindral {

PlacedCounts count_placed(const BoardModel& board) {
    PlacedCounts c;
    for (size_t i = 0; i < board.elements.size(); ++i) {
        const uint32_t side = board.elements[i].side;
        // The selection state covers the placed elements; any other element reads as unselected.
        const bool placed = i < board.selection.size() && board.selection[i] != 0;
        ++c.total;
        if (placed) ++c.placed;
        if (side == kSideTop) {
            ++c.top;
            if (placed) ++c.placed_top;
        } else if (side == kSideBottom) {
            ++c.bottom;
            if (placed) ++c.placed_bottom;
        }
    }
    return c;
}

std::wstring placed_counter_text(const PlacedCounts& c) {
    return format_text(260, L"%s %d %s %d     %s %d %s %d     %s %d %s %d",
                       text(TXT_PLACED_TOTAL), c.placed, text(TXT_OF), c.total,
                       text(TXT_STATUS_TOP), c.placed_top, text(TXT_OF), c.top,
                       text(TXT_STATUS_BOTTOM), c.placed_bottom, text(TXT_OF), c.bottom);
}

std::wstring placed_counter_text(const BoardModel& board) {
    return placed_counter_text(count_placed(board));
}

}  // namespace tindral
