#include "shell/window_settings_win.h"

#include "settings/registry_settings.h"
#include "settings/settings.h"
#include "shell/app_win.h"

namespace tindral {

namespace {

bool monitor_info(HMONITOR monitor, MONITORINFO& info) {
    info = MONITORINFO{};
    info.cbSize = sizeof info;
    return monitor && GetMonitorInfoW(monitor, &info);
}

}  // namespace

bool normal_window_rect(HWND hwnd, RECT& r) {
    if (!hwnd) return false;
    if (!IsIconic(hwnd) && !IsZoomed(hwnd)) return GetWindowRect(hwnd, &r) != 0;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(hwnd, &placement)) return false;
    r = placement.rcNormalPosition;
    // The normal position is in workspace coordinates, which start at the work area.
    MONITORINFO info;
    if (monitor_info(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), info))
        OffsetRect(&r, info.rcWork.left - info.rcMonitor.left, info.rcWork.top - info.rcMonitor.top);
    return true;
}

void record_window(HWND hwnd, TopWindow which) {
    Session& session = app_session();
    RECT r{};
    if (normal_window_rect(hwnd, r))
        record_window_rect(session.settings, which, r.left, r.top, r.right, r.bottom);
}

ScreenArea work_area_near(const WindowRect& w) {
    const RECT r{w.x, w.y, w.x + w.width, w.y + w.height};
    MONITORINFO info;
    if (monitor_info(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), info))
        return {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
    // No monitor information: the primary screen.
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

void store_window_settings() { put_window_settings(app_session().settings); }

void store_settings() { put_settings(app_session().settings); }

}  // namespace tindral
