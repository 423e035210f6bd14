// Pads on the real board window: their colour where the pads are, the dot on pin 1, gone after
// a real click takes the pad line out of the layer list, and a new pad colour through the
// colour dialog.

#include <algorithm>

#include "shell/board_paint_win.h"
#include "shell/colour_dialog_win.h"
#include "view/board_view.h"
#include "win/support/app_windows_win.h"
#include "win/support/real_input_win.h"

using namespace tindral;
using tindral::test::pump_for;

namespace {

constexpr COLORREF kMagenta = 0x00FF00FF;

int area_height() {
    RECT r{};
    GetClientRect(app_windows().hwnd_layout, &r);
    return r.bottom;
}

// A board point as a pixel of the drawing area (y downwards).
POINT pixel_of(double x, double y) {
    const BoardView& v = app_session().view;
    return {static_cast<LONG>(logical_x(v, x)), area_height() - static_cast<LONG>(logical_y(v, y))};
}

// The pixels of a colour on the screen inside the drawing area.
int count_on_screen(COLORREF colour) {
    RECT r{};
    GetClientRect(app_windows().hwnd_layout, &r);
    HDC dc = GetDC(app_windows().hwnd_layout);
    int n = 0;
    for (int y = 0; y < r.bottom; ++y)
        for (int x = 0; x < r.right; ++x) n += GetPixel(dc, x, y) == colour;
    ReleaseDC(app_windows().hwnd_layout, dc);
    return n;
}

// How many of the pixels within one of p have the colour.
int around(POINT p, COLORREF colour) {
    HDC dc = GetDC(app_windows().hwnd_layout);
    int n = 0;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) n += GetPixel(dc, p.x + dx, p.y + dy) == colour;
    ReleaseDC(app_windows().hwnd_layout, dc);
    return n;
}

bool right_click_in(HWND hwnd, int x, int y) {
    POINT p{x, y};
    if (!ClientToScreen(hwnd, &p) || !SetCursorPos(p.x, p.y)) return false;
    pump_for(30);
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
    if (!test::send_inputs(in, 2)) return false;
    pump_for(150);
    return true;
}

class Pads : public test::AppWindowsTest {
protected:
    Pads() {
        places_.main = {0, 0, 900, 600};
        places_.board = {0, 0, 900, 700};
    }

    void SetUp() override {
        Settings& s = app_session().settings;
        s.show_top_side = 1;
        s.show_bottom_side = 1;
        s.use_crosshair = 0;
        AppWindowsTest::SetUp();
        show_board_on_top();
        test::load_through_combo(test::native_path(test::own_board(L"p1-pads.brd")));
        ASSERT_EQ(app_session().board.board_loaded, 1u);
        UpdateWindow(app_windows().hwnd_layout);
        pump_for(100);
    }
};

TEST_F(Pads, PadsAndPinOneOnScreenGoWithTheLayerLineAndTakeANewColour) {
    Settings& s = app_session().settings;
    ASSERT_EQ(s.show_pads, 1u);  // on without anyone asking
    const COLORREF copper = s.color_pads;
    // R1 at (12, 8): its pin 1 at x 10.8 carries the dot, pin 2 at x 13.2 is an outline only.
    const POINT pin_one = pixel_of(10.8, 8), pin_two = pixel_of(13.2, 8);
    EXPECT_EQ(around(pin_one, copper), 9);
    EXPECT_EQ(around(pin_two, copper), 0);
    // The left edge of U1's square pad "A" (x 7 - 0.8) and of the mirrored R3's pin 1.
    EXPECT_GT(around(pixel_of(6.2, 20), copper), 0);
    EXPECT_EQ(around(pixel_of(31.2, 20), copper), 9);
    const int before = count_on_screen(copper);
    EXPECT_GT(before, 200);

    // A real right click opens the layer list, a real click on the pad line takes it out, and
    // a click on the drawing area puts the choice into force.
    RECT client{};
    GetClientRect(app_windows().hwnd_layout, &client);
    ASSERT_TRUE(right_click_in(app_windows().hwnd_layout, client.right - 260, 20));
    const HWND list = app_windows().list_layers;
    ASSERT_TRUE(IsWindowVisible(list));
    int line = -1;
    const int lines = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < lines && line < 0; ++i) {
        wchar_t buf[64] = {};
        if (SendMessageW(list, LB_GETTEXTLEN, i, 0) < 64) SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(buf));
        if (std::wcsstr(buf, L"Pads") && std::wcsstr(buf, L" 17 ")) line = i;
    }
    ASSERT_GE(line, 0);
    EXPECT_GT(SendMessageW(list, LB_GETSEL, line, 0), 0);
    SendMessageW(list, LB_SETTOPINDEX, line, 0);  // scrolled to it as a user would
    RECT item{};
    ASSERT_NE(SendMessageW(list, LB_GETITEMRECT, line, reinterpret_cast<LPARAM>(&item)), LB_ERR);
    ASSERT_TRUE(test::left_click_in(list, (item.left + item.right) / 2, (item.top + item.bottom) / 2));
    EXPECT_EQ(SendMessageW(list, LB_GETSEL, line, 0), 0);
    ASSERT_TRUE(test::left_click_in(app_windows().hwnd_layout, client.right - 20, client.bottom - 20));
    pump_for(100);
    EXPECT_FALSE(IsWindowVisible(list));
    EXPECT_EQ(s.show_pads, 0u);
    EXPECT_EQ(count_on_screen(copper), 0);
    EXPECT_EQ(around(pin_one, copper), 0);

    // Back on, then a new colour picked through the colour dialog's pad swatch.
    s.show_pads = 1;
    RedrawWindow(app_windows().hwnd_layout, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    pump_for(100);
    EXPECT_EQ(count_on_screen(copper), before);
    ASSERT_NE(open_dialog(IDD_COLORS, DlgColorSettings), nullptr);
    EXPECT_EQ(test::window_text(GetDlgItem(dialog_, IDC_PAD_COLOUR_CAPTION)), L"Pads");
    app_windows().colour_chooser = [](HWND, uint32_t& c) {
        c = kMagenta;
        return 1;
    };
    test::press(dialog_, IDC_PAD_COLOUR_SWATCH, STN_CLICKED);
    test::press(dialog_, IDOK);
    pump_for(100);
    EXPECT_EQ(s.color_pads, kMagenta);
    EXPECT_EQ(store_.dword(L"Color pads"), kMagenta);
    EXPECT_EQ(around(pin_one, kMagenta), 9);
    EXPECT_EQ(count_on_screen(copper), 0);
    EXPECT_EQ(count_on_screen(kMagenta), before);
}

}  // namespace
