#pragma once
// Where running out of memory ends in the Windows program: the window and dialog procedures'
// guard, and the load (which must still tell its caller that it failed).

#include <windows.h>

#include "text/messages.h"

namespace tindral {

// The board goes (it holds nearly all the memory the program uses), the windows show no board,
// and the user is told. Never throws.
void report_out_of_memory(Owner owner);

// The owner of the box for a failure inside hwnd's procedure: the main window's own boxes are
// owned by it, the others' by none (as their other boxes).
Owner out_of_memory_owner(HWND hwnd);

}  // namespace tindral
