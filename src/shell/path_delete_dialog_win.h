#pragma once
// The dialog that deletes entries from the list of recent board files (template 146).

#include <windows.h>

namespace tindral {

INT_PTR CALLBACK path_delete_dialog_proc(HWND dialog, UINT msg, WPARAM wparam, LPARAM lparam);

// The Delete button and key of the main window: the dialog, when the path combo box has
// entries and the file list is in use; afterwards the count box shows the entries left.
void open_path_delete_dialog();

}  // namespace tindral
