#pragma once
// A multiple-selection list box of the layer table: the settings dialog's and the board
// window's.

#include <windows.h>

#include <string>
#include <vector>

namespace tindral {

// Empties the list box, adds one line per layer of the table and selects the layer set's lines.
void fill_layer_list(HWND list);

// Selects exactly the given lines.
void select_layer_lines(HWND list, const std::vector<int>& lines);

// The texts of the selected lines, top to bottom.
std::vector<std::wstring> selected_layer_texts(HWND list);

}  // namespace tindral
