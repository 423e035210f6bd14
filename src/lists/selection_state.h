#pragma once
// The per-component selection state and the rules that change it when a row is chosen.
// States: 0 unselected, 1 current selection, 2 selected (placed).

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tindral {

constexpr uint32_t kStateUnselected = 0;
constexpr uint32_t kStateCurrent = 1;
constexpr uint32_t kStateSelected = 2;

// The main-list row chosen last, -1 for none. Reset with every load.
extern int32_t g_last_row;

// What the list has to show after a choice: the row chosen before may lose its mark, and the
// chosen row is marked (image 1, highlighted) or unmarked (image 0, no highlight).
struct ToggleOutcome {
    int32_t unmark_row = -1;  // a row that loses its mark, -1 for none
    bool row_marked = false;
    bool changed = false;     // false when the component is outside the state array
};

// The choice of component c shown in row. With "Leave selected" off, the row chosen last is
// unmarked and c starts from 0, so a choice always makes c current; with it on, choosing a
// current or selected component clears it.
ToggleOutcome toggle_selection(std::vector<uint32_t>& states, uint32_t c, int32_t row,
                               bool leave_selected, int32_t& last_row);

// After c was chosen: the component that was current before (previous) becomes selected with
// "Leave selected" on, else unselected, unless it is c itself or no longer current. previous then
// names c when c is marked, else -1. Returns the demoted component (to redraw), or -1.
int32_t settle_previous_current(std::vector<uint32_t>& states, int32_t& previous, uint32_t c,
                                bool leave_selected);

// The marks changed since kept was taken: some component is marked in one and not in the
// other (a current selection counts as marked, as it is saved).
bool marks_changed(const std::vector<uint32_t>& states, const std::vector<uint32_t>& kept);

}  // namespace tindral
