#pragma once
// The file-open dialog of the browse button, replaceable so that tests can answer it.

#include <string>

namespace tindral {

// true with the chosen path, false when the user cancelled.
using OpenBoardDialogFn = bool (*)(std::wstring& chosen);

// The system's file-open dialog for one Eagle board, owned by the main window.
bool open_board_dialog(std::wstring& chosen);

// Asks through the dialog in use (open_board_dialog unless a test set another).
bool ask_for_board_file(std::wstring& chosen);

// Puts fn in place of the dialog (nullptr: the real one again); returns the one before.
OpenBoardDialogFn set_open_board_dialog(OpenBoardDialogFn fn);

}  // namespace tindral
