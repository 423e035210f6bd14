#pragma once
// The main component list: its rows, marks, sorting, group colours, the counter line and the
// choice of a row.

#include <windows.h>
#include <commctrl.h>

#include <cstdint>

namespace tindral {

// One-click or two-click activation of the main list, after the settings dialog's double-click
// option.
void set_list_activation();

// Refills the rows of the shown sides; with reset, also makes the selection states anew.
void fill_component_list(bool reset);

// The rows made again for what is shown now (sides, search, variant), with their marks, in the
// order of the sort column.
void refill_component_list();

// Every row's image from its component's state (after a refill that kept them); the one
// selected and focused row is the last marked one, none when nothing is marked.
void show_row_marks();

// The sort mark (image 2) on the header of column only.
void set_sort_header(int column);

// Sorts the rows by one column; the highlight and the focus stay with their components.
void sort_component_list(int column);

// A header click: mark, sort by Index then by the column, "Sort col" stored at once.
void sort_by_header_click(int column);

// The component of a row, from the model index it carries; -1 for no row.
int32_t row_component(int row);

// The one selected row of the main list, -1 for none.
int selected_main_row();

// Image 1 and highlight, or image 0 and none.
void mark_row(int row, bool marked);

void update_placed_counter();

// The selection step for component shown in row: states, row images, counter line.
void toggle_row_selection(uint32_t component, int row);

// The row of component; -1 when it has no row (hidden side).
int find_component_row(uint32_t component);

// Steps of choosing a row: by mouse the found-components window is hidden first.
void choose_main_row(int row, bool by_mouse);

// WM_NOTIFY from the main list (also its questions for cells and typed letters); returns the
// notification's answer.
LRESULT main_list_notify(const NMHDR* header, LPARAM lparam);

}  // namespace tindral
