#pragma once
// The main window's path combo box, its count box and Delete button, mirrored from a PathCombo.

#include <string>
#include <vector>

#include "settings/path_list.h"

namespace tindral {

// The combo box items, top to bottom.
std::vector<std::wstring> path_combo_items();

// Items and selection into the combo box, the count text into the count box; the count box and
// the Delete button shown or hidden with the file list.
void show_path_combo(const PathCombo& combo);

// "%d" of the combo box's item count into the count box.
void show_path_count();

}  // namespace tindral
