#pragma once
// The menu commands Save selection and Load selection, and the save at the end of the program.

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

}  // namespace tindral
