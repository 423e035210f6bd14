#pragma once
// The find box above the main list: what is typed there filters the rows and outlines the
// matching parts on the board. Marks, the counter and the sort order are left alone.

namespace tindral {

// EN_CHANGE of the box: the rows and the outlines follow the new text.
void find_text_changed();

// Ctrl+F: the focus moves into the box, its text selected for overtyping.
void focus_find_box();

// Escape in the box: the text goes and every row comes back.
void clear_find_box();

// A new board: the box starts empty, with nothing filtered and nothing outlined.
void forget_find_text();

}  // namespace tindral
