#pragma once
// The assembly-variant chooser of the main window: a label and a drop-down list on the row
// above the component list, shown only for a board with named variants.

#include <windows.h>

namespace tindral {

// After a load (or none): the board's variants into the list, the shown one chosen; label and
// list shown when there are any, hidden otherwise.
void show_variant_chooser();

// The list's selection changed: shows that variant. The list, an open bill of materials, the
// counter and the picture follow; the marks stay as they are.
void variant_chosen();

// Whether a WM_COMMAND's control is the chooser.
bool is_variant_chooser(HWND control);

}  // namespace tindral
