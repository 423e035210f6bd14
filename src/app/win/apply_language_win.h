#pragma once
// Re-texts everything already on the screen after "Language" changed.

namespace tindral {

// Menu, main-window buttons and label, the Close and Print buttons, the main list's columns,
// rows, sort mark, order and the counter line. Window titles keep their language until they are
// set again.
void apply_language();

}  // namespace tindral
