#pragma once
// The rows of the main list, an owner-data list view: which component each row shows, in which
// order, with which image, and the answers to the control's questions for a row's cells and
// for a row starting with typed letters.

#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tindral {

constexpr int kImageUnmarked = 0;
constexpr int kImageMarked = 1;

// The rows are these components in this order, every image unmarked.
void set_main_rows(const std::vector<size_t>& components, size_t element_count);

// The rows in the order of a header click on column (Index first, then the column).
void sort_main_rows(int column);

size_t main_row_count();
// The component of a row, -1 for none; the row of a component, -1 when it has none.
int32_t main_row_component(int row);
int main_component_row(uint32_t component);

// A row's image; setting one redraws the row only when it changes.
int main_row_image(int row);
void set_main_row_image(int row, int image);
// Without a redraw, for a pass over many rows that repaints once; true when it changed.
bool store_main_row_image(int row, int image);

// LVN_GETDISPINFOW: text, image and model index of the row asked for.
void give_main_row(NMLVDISPINFOW* info);
// LVN_ODFINDITEMW: the row whose Name starts with the typed letters, from iStart on and then
// from the top; -1 for none.
int find_main_row(const NMLVFINDITEMW* find);

}  // namespace tindral
