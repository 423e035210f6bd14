#include "lists/placed_counter.h"

#include "app/format.h"
#include "app/lang.h"

namespace tindral {

std::wstring placed_counter_text(const MarkCounts& c) {
    return format_text(260, L"%s %d %s %d     %s %d %s %d     %s %d %s %d",
                       text(TXT_PLACED_TOTAL), c.marked, text(TXT_OF), c.total,
                       text(TXT_STATUS_TOP), c.marked_top, text(TXT_OF), c.top,
                       text(TXT_STATUS_BOTTOM), c.marked_bottom, text(TXT_OF), c.bottom);
}

std::wstring placed_counter_text(const BoardModel& board) {
    return placed_counter_text(board.marks.count(board.elements));
}

}  // namespace tindral
