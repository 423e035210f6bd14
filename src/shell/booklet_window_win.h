#pragma once
// The booklet's preview window: one page at a time, scaled into the window, with buttons to
// step through the pages, print them all and close. It shows the board and sides as they were
// when it opened; the menu command opens it again for what is shown now.

#include <windows.h>

#include <cstddef>

#include "print/print_job.h"

namespace tindral {

extern const wchar_t kClassBooklet[];

// File > Print booklet: the preview of the loaded board's shown sides, or a box saying that no
// board is loaded. Returns false for every other command.
bool run_booklet_command(HWND main, unsigned command);

// The page shown (from 0) and the number of pages of the open preview; 0 and 0 without one.
struct BookletPosition {
    size_t page = 0;
    size_t pages = 0;
};
BookletPosition booklet_position();

// Prints every page of the open preview through the device, choosing the printer as the BOM's
// Print button does. Returns 1 when a job was printed (or the dialog applied), else 0.
int print_booklet(PrintDevice& device);

}  // namespace tindral
