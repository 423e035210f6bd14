#pragma once
// The menu commands Save selection, Load selection and Reset selection, the crosshair taken
// off, and the save at the end of the program.

#include <functional>

namespace tindral {

// Saves the marks of the loaded board; without a board the user is told so.
void save_selection_command();

// Loads the marks of the loaded board and shows them in the main list, the counter line and on
// the board; without a board the user is told so.
void load_selection_command();

// The marks just loaded into the model, in the main list, the counter line and on the board.
void show_loaded_marks();

// Before the program ends: with "Save selections on exit" set, saves unsaved marks. False when
// that failed and the user chose to stay.
bool settle_marks_for_exit();

// All components unselected, no current component, no crosshair, no row marked; the drawing
// area redrawn. list_work (refilling the list, say) runs while the board is drawn; it must not
// change what the board is drawn from.
void clear_selection(const std::function<void()>& list_work = {});

// The crosshair leaves the board and the current component becomes none.
void remove_crosshair();

}  // namespace tindral
