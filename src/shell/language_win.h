#pragma once
// Puts the texts of the current language into the menu and the controls, and re-texts
// everything already on screen when the language changes.

namespace tindral {

// Every menu entry from the language table; redraws the menu bar.
void set_menu_texts();

// The buttons and the path label of the main, found-components and BOM windows.
void set_control_texts();

// Menu, main-window buttons and label, the Close and Print buttons, the main list's columns,
// rows, sort mark, order and the counter line. Window titles keep their language until they are
// set again.
void apply_language();

}  // namespace tindral
