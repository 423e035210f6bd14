#include "app/win/layout_area_win.h"

#include "app/win/globals_win.h"

namespace tindral {

void redraw_layout_area() {
    if (!g_hwnd_layout) return;
    InvalidateRect(g_hwnd_layout, nullptr, TRUE);
    UpdateWindow(g_hwnd_layout);
}

}  // namespace tindral
