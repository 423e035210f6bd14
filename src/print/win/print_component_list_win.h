#pragma once
// Printing the BOM window's list.

namespace tindral {

// The BOM window's Print button: prints the list on the printer the "Printer selection mode"
// names. Returns 1 when a job was printed (or the print dialog was left with Apply), else 0;
// failures have been reported.
int print_component_list();

}  // namespace tindral
