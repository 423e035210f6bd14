#pragma once
// The main window's part in choosing a board file: the path combo box at start-up, the browse
// and Load buttons, and the combo box's selection.

namespace tindral {

// Start-up: the combo box, the count box and the Delete button from the recent-path list.
void fill_path_combo_box();

// The browse button: a chosen file is loaded at once; when its load fails it leaves the list.
void browse_for_board();

// The Load button: loads the path shown in the combo box; a failed one leaves the list.
void load_from_path_combo();

// The combo box's selection changed (CBN_SELCHANGE).
void path_selection_changed();

}  // namespace tindral
