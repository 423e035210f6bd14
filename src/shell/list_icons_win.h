#pragma once
// The main list's small images: unmarked row, marked row, sort mark.

namespace tindral {

// Makes the image list and gives it to the main list. A failure is reported and the program
// goes on without images.
void create_list_icons();

}  // namespace tindral
