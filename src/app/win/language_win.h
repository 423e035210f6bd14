#pragma once
// Puts the texts of the current language into the menu and the controls.

namespace tindral {

// Every menu entry from the language table; redraws the menu bar.
void set_menu_texts();

// The buttons and the path label of the main, found-components and BOM windows.
void set_control_texts();

}  // namespace tindral
