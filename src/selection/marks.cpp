#include "selection/marks.h"

#include <algorithm>

#include "model/board_model.h"

namespace tindral {

bool marks_changed(const std::vector<uint32_t>& states, const std::vector<uint32_t>& kept) {
    for (size_t i = 0; i < states.size(); ++i) {
        const bool was = i < kept.size() && kept[i] != kStateUnselected;
        if ((states[i] != kStateUnselected) != was) return true;
    }
    return false;
}

void Marks::reset(size_t count) {
    states_.assign(count, kStateUnselected);
    previous_ = -1;
}

void Marks::clear() { std::fill(states_.begin(), states_.end(), kStateUnselected); }

void Marks::release() {
    std::vector<uint32_t>().swap(states_);
    std::vector<uint32_t>().swap(kept_);
    previous_ = -1;
}

void Marks::assign(std::vector<uint32_t> states) { states_ = std::move(states); }

ToggleOutcome Marks::toggle(uint32_t c, int32_t row, bool leave_selected, int32_t& last_row) {
    ToggleOutcome out;
    if (c >= states_.size()) return out;
    out.changed = true;
    if (!leave_selected) {
        out.unmark_row = last_row;
        states_[c] = kStateUnselected;
    }
    if (states_[c] != kStateUnselected) {
        last_row = -1;
        states_[c] = kStateUnselected;
        out.row_marked = false;
    } else {
        last_row = row;
        states_[c] = kStateCurrent;
        out.row_marked = true;
    }
    // The chosen row's own look is given by row_marked; it must not be unmarked after it.
    if (out.unmark_row == row) out.unmark_row = -1;
    return out;
}

int32_t Marks::settle_previous(uint32_t c, bool leave_selected) {
    int32_t demoted = -1;
    const int32_t p = previous_;
    if (p >= 0 && static_cast<uint32_t>(p) != c && static_cast<size_t>(p) < states_.size() &&
        states_[p] == kStateCurrent) {
        states_[p] = leave_selected ? kStateSelected : kStateUnselected;
        demoted = p;
    }
    previous_ = state(c) != kStateUnselected ? static_cast<int32_t>(c) : -1;
    return demoted;
}

int32_t Marks::current() const {
    return previous_ >= 0 && state(static_cast<size_t>(previous_)) == kStateCurrent ? previous_ : -1;
}

bool Marks::advance(int32_t placed, uint32_t next) {
    if (next >= states_.size() || (placed >= 0 && static_cast<size_t>(placed) >= states_.size()))
        return false;
    if (placed >= 0) states_[static_cast<size_t>(placed)] = kStateSelected;
    states_[next] = kStateCurrent;
    previous_ = static_cast<int32_t>(next);
    return true;
}

bool Marks::place(uint32_t c) {
    if (c >= states_.size()) return false;
    states_[c] = kStateSelected;
    return true;
}

bool Marks::apply_loaded(const std::vector<uint32_t>& loaded) {
    if (loaded.size() != states_.size()) return false;
    // A saved current selection comes back as selected.
    for (size_t i = 0; i < loaded.size(); ++i)
        states_[i] = loaded[i] != kStateUnselected ? kStateSelected : kStateUnselected;
    keep();
    return true;
}

MarkCounts Marks::count(const std::vector<ElementRec>& elements) const {
    MarkCounts c;
    for (size_t i = 0; i < elements.size(); ++i) {
        if (!elements[i].populated) continue;  // not fitted in the variant shown
        const uint32_t side = elements[i].side;
        const bool marked = state(i) != kStateUnselected;
        ++c.total;
        if (marked) ++c.marked;
        if (side == kSideTop) {
            ++c.top;
            if (marked) ++c.marked_top;
        } else if (side == kSideBottom) {
            ++c.bottom;
            if (marked) ++c.marked_bottom;
        }
    }
    return c;
}

}  // namespace tindral
