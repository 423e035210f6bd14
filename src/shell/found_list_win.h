#pragma once
// The list of the found-components window: the components under a click on the board, and
// choosing one of them.

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <vector>

namespace tindral {

// One row per hit, in the order of the hits (name, library, package, value, side); the first
// row is selected and focused.
void fill_found_list(const std::vector<uint32_t>& hits);

// The component of a row of the found list; -1 for no row.
int32_t found_row_component(int row);

// The component of the found list's selected row; -1 when none is selected.
int32_t selected_found_component();

// The user chose the selected row (double click, Enter or Space).
void activate_found_row();

// WM_NOTIFY from the found list; returns the notification's answer.
LRESULT found_list_notify(const NMHDR* header);

}  // namespace tindral
