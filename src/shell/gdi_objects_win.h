#pragma once
// Fonts, pens and brushes shared by every window.

namespace tindral {

// The nine fonts, all "Arial".
void create_fonts();

// Pens and brushes in the colours of the session's settings; called again when the colours
// change, which replaces the previous objects.
void create_pens_and_brushes();

}  // namespace tindral
