#pragma once
// What the list windows share: a title after the program's, nothing of their own to
// paint, and their place kept when they end.

#include <windows.h>

#include "settings/startup_rules.h"
#include "text/lang.h"

namespace tindral {

// "<program title>     <list name>"
void set_list_window_title(HWND hwnd, TextKey list_name);

// Validates the window: its children draw everything it shows.
void paint_nothing(HWND hwnd);

// The window's rectangle and every other setting into the store, as the window ends.
void keep_place_on_destroy(HWND hwnd, TopWindow which);

// A list control paints nothing while one is held, and everything once it goes. Hold one around
// a whole step, not inside another; a held list keeps its old scroll range, so set the row
// count before.
class HeldListPaint {
public:
    explicit HeldListPaint(HWND list);
    ~HeldListPaint();
    HeldListPaint(const HeldListPaint&) = delete;
    HeldListPaint& operator=(const HeldListPaint&) = delete;

private:
    HWND list_;
};

}  // namespace tindral
