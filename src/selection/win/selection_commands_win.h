#pragma once
// The menu commands Save selection and Load selection, and the save at the end of the program.

namespace tindral {

// Saves the marks of the loaded board; without a board the user is told so.
void save_selection_command();

// Loads the marks of the loaded board and shows them in the main list, the counter line and on
// the board; without a board the user is told so.
void load_selection_command();

// At the end of the program, when "Save selections on exit" is set and a board with placed
// components is loaded.
void save_selection_on_exit();

}  // namespace tindral
