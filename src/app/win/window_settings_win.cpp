#include "app/win/window_settings_win.h"

#include "settings/registry_settings.h"
#include "settings/settings.h"

namespace tindral {

void record_window(HWND hwnd, TopWindow which) {
    RECT r{};
    if (hwnd && GetWindowRect(hwnd, &r))
        record_window_rect(g_settings, which, r.left, r.top, r.right, r.bottom);
}

void store_window_settings() { put_window_settings(); }

void store_settings() { put_settings(); }

}  // namespace tindral
