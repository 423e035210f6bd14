// Where the windows are kept for the next start: a window minimised or maximised when its place
// is taken keeps its normal rectangle, never the parking place of a minimised window.

#include <array>

#include "shell/window_settings_win.h"
#include "win/support/app_windows_win.h"
#include "win/support/real_input_win.h"

using namespace tindral;

namespace {

using Rect = std::array<int, 4>;

Rect stored(TopWindow w) {
    const WindowRect r = stored_window_rect(app_session().settings, w);
    return {r.x, r.y, r.width, r.height};
}

using WindowPlaces = test::AppWindowsTest;

TEST_F(WindowPlaces, MinimisedOrMaximisedWindowsKeepTheirNormalRectangle) {
    const struct {
        HWND hwnd;
        TopWindow which;
        Rect normal;
    } windows[] = {
        {app_windows().hwnd_main, TopWindow::main, {40, 50, 900, 600}},
        {app_windows().hwnd_board, TopWindow::board, {300, 60, 800, 650}},
        {app_windows().hwnd_found, TopWindow::found, {120, 130, 640, 310}},
    };
    for (int show : {SW_MINIMIZE, SW_MAXIMIZE}) {
        for (const auto& w : windows) {
            SCOPED_TRACE(static_cast<int>(w.which));
            ShowWindow(w.hwnd, SW_SHOWNORMAL);
            SetWindowPos(w.hwnd, nullptr, w.normal[0], w.normal[1], w.normal[2], w.normal[3],
                         SWP_NOZORDER);
            ShowWindow(w.hwnd, show);
            test::pump_for(50);
            ASSERT_TRUE(show == SW_MINIMIZE ? IsIconic(w.hwnd) : IsZoomed(w.hwnd));
            record_window(w.hwnd, w.which);
            EXPECT_EQ(stored(w.which), w.normal);
        }
        // The main window keeps its place in the store as soon as it moves.
        EXPECT_EQ(store_.dword(L"Wnd main X"), 40u);
        EXPECT_EQ(store_.dword(L"Wnd main Y"), 50u);
    }

    // A window in its normal state gives its rectangle as it is.
    ShowWindow(app_windows().hwnd_found, SW_SHOWNORMAL);
    SetWindowPos(app_windows().hwnd_found, nullptr, 200, 210, 500, 400, SWP_NOZORDER);
    record_window(app_windows().hwnd_found, TopWindow::found);
    EXPECT_EQ(stored(TopWindow::found), (Rect{200, 210, 500, 400}));
    for (const auto& w : windows) ShowWindow(w.hwnd, SW_HIDE);
}

}  // namespace
