#include "lists/selection_state.h"

namespace tindral {

int32_t g_last_row = -1;

ToggleOutcome toggle_selection(std::vector<uint32_t>& states, uint32_t c, int32_t row,
                               bool leave_selected, int32_t& last_row) {
    ToggleOutcome out;
    if (c >= states.size()) return out;
    out.changed = true;
    if (!leave_selected) {
        out.unmark_row = last_row;
        states[c] = kStateUnselected;
    }
    if (states[c] != kStateUnselected) {
        last_row = -1;
        states[c] = kStateUnselected;
        out.row_marked = false;
    } else {
        last_row = row;
        states[c] = kStateCurrent;
        out.row_marked = true;
    }
    // The chosen row's own look is given by row_marked; it must not be unmarked after it.
    if (out.unmark_row == row) out.unmark_row = -1;
    return out;
}

int32_t settle_previous_current(std::vector<uint32_t>& states, int32_t& previous, uint32_t c,
                                bool leave_selected) {
    int32_t demoted = -1;
    const int32_t p = previous;
    if (p >= 0 && static_cast<uint32_t>(p) != c && static_cast<size_t>(p) < states.size() &&
        states[p] == kStateCurrent) {
        states[p] = leave_selected ? kStateSelected : kStateUnselected;
        demoted = p;
    }
    previous = (c < states.size() && states[c] != kStateUnselected) ? static_cast<int32_t>(c) : -1;
    return demoted;
}

bool marks_changed(const std::vector<uint32_t>& states, const std::vector<uint32_t>& kept) {
    for (size_t i = 0; i < states.size(); ++i) {
        const bool was = i < kept.size() && kept[i] != kStateUnselected;
        if ((states[i] != kStateUnselected) != was) return true;
    }
    return false;
}

}  // namespace tindral
