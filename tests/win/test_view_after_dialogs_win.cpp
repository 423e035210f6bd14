// What the board window shows after a dialog closed: the sides switched with real clicks on the
// toolbar stay as they are, with the list, the mirror flag and the toolbar agreeing, and the
// crosshair leaves no stray lines behind when its colour changed in a cancelled colour dialog.

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "shell/board_window_win.h"
#include "shell/colour_dialog_win.h"
#include "shell/path_delete_dialog_win.h"
#include "shell/settings_dialog_win.h"
#include "view/board_view.h"
#include "win/support/app_windows_win.h"

using namespace tindral;
using namespace tindral::test;

namespace {

constexpr COLORREF kBlack = 0;

// The toolbar button's pixels on the screen, as the user sees them.
std::vector<COLORREF> button_pixels(int index) { return shot_of(nullptr, tool_on_screen(index)).pixels; }

class ViewAfterDialogs : public AppWindowsTest {
protected:
    ViewAfterDialogs() {
        main_menu_ = main_menu();
        places_.main = {0, 0, 900, 600};
        places_.board = {0, 0, 900, 700};
        places_.found = {0, 750, 650, 240};  // below the board window
    }

    void SetUp() override {
        app_session().settings.use_filelist = 1;
        AppWindowsTest::SetUp();
        show_board_on_top();
        load_sample();
        port_.boxes.clear();
    }

    void press(int id, int code = BN_CLICKED) { test::press(dialog_, id, code); }

    // The shown sides are the same everywhere: settings, mirror flag, main list rows.
    void expect_bottom_only_everywhere() {
        EXPECT_EQ(app_session().settings.show_top_side, 0u);
        EXPECT_EQ(app_session().settings.show_bottom_side, 1u);
        EXPECT_TRUE(app_session().view.bottom_only);
        const int rows = static_cast<int>(SendMessageW(app_windows().list_main, LVM_GETITEMCOUNT, 0, 0));
        const std::vector<ElementRec>& elements = app_session().board.elements;
        const auto bottoms = std::count_if(elements.begin(), elements.end(),
                                           [](const ElementRec& e) { return e.side == kSideBottom; });
        EXPECT_EQ(rows, bottoms);
        for (int r = 0; r < rows; ++r) EXPECT_EQ(list_cell(app_windows().list_main, r, 7), L"Bottom");
    }
};

TEST_F(ViewAfterDialogs, SidesChosenOnTheToolbarSurviveEveryDialog) {
    const std::vector<COLORREF> top_on = button_pixels(0), bottom_off = button_pixels(1);
    ASSERT_TRUE(click_tool(0));  // Top off
    ASSERT_TRUE(click_tool(1));  // Bottom on
    expect_bottom_only_everywhere();
    const std::vector<COLORREF> top_off = button_pixels(0), bottom_on = button_pixels(1);
    ASSERT_NE(top_off, top_on);  // the buttons show the switch
    ASSERT_NE(bottom_on, bottom_off);

    struct Step {
        int dialog;
        DLGPROC proc;
        int button;
    };
    const Step steps[] = {
        {IDD_COLORS, DlgColorSettings, IDCANCEL},
        {IDD_SETTINGS, DlgSettings, IDCANCEL},
        {IDD_PATH_DELETE, path_delete_dialog_proc, IDCANCEL},
        {IDD_SETTINGS, DlgSettings, IDOK},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.dialog);
        ASSERT_NE(open_dialog(s.dialog, s.proc), nullptr);
        press(s.button);
        pump_for(100);
        expect_bottom_only_everywhere();
        EXPECT_EQ(button_pixels(0), top_off);
        EXPECT_EQ(button_pixels(1), bottom_on);
    }
    // OK stored the sides as they are shown.
    EXPECT_EQ(store_.dword(L"show top side"), 0u);
    EXPECT_EQ(store_.dword(L"Show bottom side"), 1u);
}

TEST_F(ViewAfterDialogs, CancelledCrosshairColourLeavesNoStrayLines) {
    Settings& settings = app_session().settings;
    BoardView& view = app_session().view;
    settings.use_crosshair = 1;
    RECT client{};
    GetClientRect(app_windows().hwnd_layout, &client);
    // Two drawn components whose crosshair lines do not cross each other's.
    uint32_t a = 0, b = 0;
    const auto centre_x = [&](uint32_t i) {
        return view.boxes[i].min_x + (view.boxes[i].max_x - view.boxes[i].min_x) / 2;
    };
    for (a = 0; a < view.boxes.size() && view.boxes[a].empty(); ++a) {
    }
    for (b = a + 1; b < view.boxes.size(); ++b)
        if (!view.boxes[b].empty() && std::abs(centre_x(b) - centre_x(a)) > 10) break;
    ASSERT_LT(b, view.boxes.size());

    choose(a);
    ASSERT_EQ(view.crosshair_drawn, a + 1);
    const int xa = centre_x(a);
    const ElementBox& bb = view.boxes[b];
    const int yb = client.bottom - (bb.min_y + (bb.max_y - bb.min_y) / 2);
    // A row of a's vertical line over black background, away from b's horizontal line.
    HDC pic = area_picture_dc();
    int y = -1;
    for (int i = 0; i < client.bottom && y < 0; ++i)
        if (GetPixel(pic, xa, i) == kBlack && std::abs(i - yb) > 2) y = i;
    ASSERT_GE(y, 0);
    HDC screen = GetDC(app_windows().hwnd_layout);
    EXPECT_EQ(GetPixel(screen, xa, y), settings.color_crosshair);

    // A new crosshair colour picked, then the dialog cancelled.
    ASSERT_NE(open_dialog(IDD_COLORS, DlgColorSettings), nullptr);
    app_windows().colour_chooser = [](HWND, uint32_t& c) {
        c = 0x0000FFFF;
        return 1;
    };
    press(1056, STN_CLICKED);
    press(IDCANCEL);
    pump_for(100);

    // A click on another part lists it and draws the crosshair of the current part again: in
    // the colour now in force, on the same place.
    const int xb = centre_x(b);
    SendMessageW(app_windows().hwnd_layout, WM_LBUTTONDOWN, 0, MAKELPARAM(xb, yb));
    ASSERT_TRUE(IsWindowVisible(app_windows().hwnd_found));
    EXPECT_EQ(view.crosshair_drawn, a + 1);
    EXPECT_EQ(GetPixel(screen, xa, y), 0x0000FFFFu);

    // Taken away, it leaves nothing behind.
    set_current_component(-1);
    draw_crosshair(false);
    EXPECT_EQ(view.crosshair_drawn, 0u);
    EXPECT_EQ(GetPixel(screen, xa, y), kBlack);
    ReleaseDC(app_windows().hwnd_layout, screen);
}

}  // namespace
