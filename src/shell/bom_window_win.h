#pragma once
// The BOM window: one row per package and value, with Print and Close buttons.

#include <windows.h>

#include <vector>

#include "lists/bom_rows.h"

namespace tindral {

LRESULT CALLBACK WndProcBom(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);

// Shows the window on top and fills it from the loaded board: the date line and one row per
// package and value over both sides.
void fill_bom_list();

// The rows of the last fill in the order the list shows them (for printing).
const std::vector<BomRow>& shown_bom_rows();

}  // namespace tindral
