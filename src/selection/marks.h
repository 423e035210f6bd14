#pragma once
// The user's marks on the loaded board, one state per component: 0 unselected, 1 current,
// 2 selected (placed). Every change of a mark goes through this type; drawing and lists only
// read the states.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tindral {

struct ElementRec;

constexpr uint32_t kStateUnselected = 0;
constexpr uint32_t kStateCurrent = 1;
constexpr uint32_t kStateSelected = 2;

// What the list has to show after a choice: the row chosen before may lose its mark, and the
// chosen row is marked (image 1, highlighted) or unmarked (image 0, no highlight).
struct ToggleOutcome {
    int32_t unmark_row = -1;  // a row that loses its mark, -1 for none
    bool row_marked = false;
    bool changed = false;     // false when the component is outside the state array
};

// Components in all and per side, and how many of them are marked.
struct MarkCounts {
    uint32_t total = 0, top = 0, bottom = 0;
    uint32_t marked = 0, marked_top = 0, marked_bottom = 0;
};

// The marks changed since kept was taken: some component is marked in one and not in the
// other (a current selection counts as marked, as it is saved).
bool marks_changed(const std::vector<uint32_t>& states, const std::vector<uint32_t>& kept);

class Marks {
public:
    const std::vector<uint32_t>& states() const { return states_; }
    size_t size() const { return states_.size(); }
    // 0 for a component the states do not reach.
    uint32_t state(size_t c) const { return c < states_.size() ? states_[c] : kStateUnselected; }
    // The component that became current last and is still marked, -1 for none.
    int32_t previous_current() const { return previous_; }

    // count components, all unselected, none current.
    void reset(size_t count);
    // Every mark removed; the number of components stays.
    void clear();
    // Frees the states (the board is released).
    void release();
    // The states exactly as given, e.g. to restore a known picture of the marks.
    void assign(std::vector<uint32_t> states);

    // The choice of component c shown in row. With "Leave selected" off, the row chosen last is
    // unmarked and c starts from 0, so a choice always makes c current; with it on, choosing a
    // current or selected component clears it.
    ToggleOutcome toggle(uint32_t c, int32_t row, bool leave_selected, int32_t& last_row);

    // After c was chosen: the component that was current before becomes selected with "Leave
    // selected" on, else unselected, unless it is c itself or no longer current. c is then the
    // previous current one when it is marked. Returns the demoted component (to redraw), or -1.
    int32_t settle_previous(uint32_t c, bool leave_selected);

    // The component current now: the one that became current last and still is; -1 for none.
    int32_t current() const;

    // Place and next: placed (-1 for none) becomes selected and next current, whatever either
    // was before, so a part already placed is not unmarked by stepping onto it. next is then the
    // previous current one. False, and nothing changes, when either lies outside the states.
    bool advance(int32_t placed, uint32_t next);

    // c becomes selected (the last part of a place-and-next run); false outside the states.
    bool place(uint32_t c);

    // States read from a selection file: every mark comes back as selected, and they are what
    // is on disk. False, and nothing changes, when they are not one per component.
    bool apply_loaded(const std::vector<uint32_t>& loaded);
    // The states now are the ones on disk (after a save or a load).
    void keep() { kept_ = states_; }
    const std::vector<uint32_t>& kept() const { return kept_; }
    // Some mark differs from the ones on disk.
    bool unsaved() const { return marks_changed(states_, kept_); }

    // Counted over the elements fitted in the variant shown; a component whose state is not 0
    // is marked.
    MarkCounts count(const std::vector<ElementRec>& elements) const;

private:
    std::vector<uint32_t> states_;
    std::vector<uint32_t> kept_;
    int32_t previous_ = -1;
};

}  // namespace tindral
