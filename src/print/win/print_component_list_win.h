#pragma once
// Printing the BOM window's list.

namespace tindral {

// The BOM window's Print button. Printing is not built yet: this does nothing and shows nothing.
void print_component_list();

}  // namespace tindral
