// The board window with a real board loaded: the colours of picture and screen, the toolbar
// commands, scrolling, panning, the wheel, the found window (a row chosen by real mouse or key),
// the layer list, the exclusive-or crosshair, and the pads.

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

#include "board/utf8.h"
#include "shell/board_paint_win.h"
#include "shell/board_window_win.h"
#include "shell/colour_dialog_win.h"
#include "shell/keyboard_hook_win.h"
#include "win/support/app_windows_win.h"

using namespace tindral;
using namespace tindral::test;

namespace {

constexpr COLORREF kBlack = 0, kMagenta = 0x00FF00FF;

int client_height() {
    RECT r{};
    GetClientRect(app_windows().hwnd_layout, &r);
    return r.bottom;
}

// How often a colour occurs inside a component's box (device pixels, y downwards), and where first.
struct Hit {
    int count = 0, x = -1, y = -1;
};

Hit find_in_box(HDC dc, const ElementBox& box, COLORREF colour) {
    const int h = client_height();
    Hit hit;
    for (int x = std::max(box.min_x, 0); x <= box.max_x; ++x)
        for (int y = std::max(h - box.max_y, 0); y <= std::min(h - box.min_y, h - 1); ++y)
            if (GetPixel(dc, x, y) == colour) {
                if (hit.count == 0) hit = {0, x, y};
                ++hit.count;
            }
    return hit;
}

int count_in_box(HDC dc, const ElementBox& box, COLORREF colour) { return find_in_box(dc, box, colour).count; }

// A board point as a pixel of the drawing area (y downwards).
POINT pixel_of(double x, double y) {
    const BoardView& v = app_session().view;
    return {static_cast<LONG>(logical_x(v, x)), client_height() - static_cast<LONG>(logical_y(v, y))};
}

// The pixels of a colour on the screen inside the drawing area.
int count_on_screen(COLORREF colour) { return shot_of(app_windows().hwnd_layout).count(colour); }

// How many of the pixels within one of p have the colour.
int around(POINT p, COLORREF colour) {
    return shot_of(app_windows().hwnd_layout, {p.x - 1, p.y - 1, p.x + 2, p.y + 2}).count(colour);
}

class BoardWindow : public AppWindowsTest {
protected:
    BoardWindow() {
        places_.main = {0, 0, 900, 600};
        places_.board = {0, 0, 900, 700};
        places_.found = {920, 40, 650, 300};  // beside the board, over nothing
    }

    void SetUp() override {
        app_session().settings.show_bottom_side = 1;
        AppWindowsTest::SetUp();
        show_board_on_top();
    }

    void load(const std::wstring& path = sample_board()) {
        load_painted(path);
        ASSERT_EQ(app_session().view.boxes.size(), app_session().board.elements.size());
    }

    void command(int id) { SendMessageW(app_windows().hwnd_board, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

    void mouse(UINT msg, int x, int y, WPARAM keys = 0) {
        SendMessageW(app_windows().hwnd_layout, msg, keys, MAKELPARAM(x, y));
    }

    // Clicks the component on the board; the found window must come up with its row.
    void open_found_for(uint32_t c, POINT at) {
        ASSERT_TRUE(left_click_in(app_windows().hwnd_layout, at.x, at.y));
        ASSERT_TRUE(IsWindowVisible(app_windows().hwnd_found));
        ASSERT_EQ(SendMessageW(app_windows().list_found, LVM_GETITEMCOUNT, 0, 0), 1);
        ASSERT_EQ(list_cell(app_windows().list_found, 0, 0),
                  utf8_to_wide(app_session().board.elements[c].name));
    }

    // A drawn component of the side whose box overlaps no other box; past the end for none.
    uint32_t lone_component(uint32_t side) {
        const auto& boxes = app_session().view.boxes;
        for (uint32_t i = 0; i < boxes.size(); ++i) {
            if (boxes[i].empty() || app_session().board.elements[i].side != side) continue;
            if (boxes[i].max_x - boxes[i].min_x < 4 || boxes[i].max_y - boxes[i].min_y < 4) continue;
            bool alone = boxes[i].min_x >= 0 && boxes[i].min_y >= 0;
            for (uint32_t j = 0; j < boxes.size() && alone; ++j)  // no other box overlaps it
                alone = j == i || boxes[j].empty() || boxes[i].min_x > boxes[j].max_x ||
                        boxes[j].min_x > boxes[i].max_x || boxes[i].min_y > boxes[j].max_y ||
                        boxes[j].min_y > boxes[i].max_y;
            if (alone) return i;
        }
        return static_cast<uint32_t>(app_session().view.boxes.size());
    }
};

TEST_F(BoardWindow, StateColoursOnPictureAndScreenThroughSidesAndZoom) {
    settings.use_crosshair = 0;
    settings.set_layer_enabled(20, false);  // the board outline is drawn in the top colours
    load();
    const uint32_t a = lone_component(kSideTop);
    ASSERT_LT(a, view.boxes.size());
    const ElementBox box_a = view.boxes[a];
    HDC pic = area_picture_dc();
    ASSERT_NE(pic, nullptr);
    EXPECT_GT(count_in_box(pic, box_a, settings.color_top_unselected), 0);
    EXPECT_EQ(count_in_box(pic, box_a, settings.color_top_curr_selection), 0);

    // Chosen: current colour in the picture and on the screen, no unselected pixel left.
    choose(a);
    EXPECT_EQ(model.marks.states()[a], kStateCurrent);
    EXPECT_EQ(count_in_box(pic, box_a, settings.color_top_unselected), 0);
    const Hit current = find_in_box(pic, box_a, settings.color_top_curr_selection);
    ASSERT_GE(current.x, 0);
    HDC screen = GetDC(app_windows().hwnd_layout);
    EXPECT_EQ(GetPixel(screen, current.x, current.y), settings.color_top_curr_selection);

    // Another choice leaves the first one selected.
    choose(a == 0 ? 1 : 0);
    EXPECT_EQ(model.marks.states()[a], kStateSelected);
    EXPECT_EQ(count_in_box(pic, box_a, settings.color_top_curr_selection), 0);
    EXPECT_GT(count_in_box(pic, box_a, settings.color_top_selected), 0);
    EXPECT_EQ(GetPixel(screen, current.x, current.y), settings.color_top_selected);
    ReleaseDC(app_windows().hwnd_layout, screen);

    // Top off: only the bottom is drawn, mirrored; the list shows the bottom rows only.
    command(IDM_TOP_SIDE);
    EXPECT_EQ(settings.show_top_side, 0u);
    EXPECT_TRUE(view.bottom_only);
    EXPECT_EQ(SendMessageW(app_windows().hwnd_toolbar, TB_BUTTONCOUNT, 0, 0), 8);
    EXPECT_TRUE(view.boxes[a].empty());
    EXPECT_EQ(count_in_box(pic, box_a, settings.color_top_selected), 0);
    const uint32_t b = lone_component(kSideBottom);
    ASSERT_LT(b, view.boxes.size());
    EXPECT_GT(count_in_box(pic, view.boxes[b], settings.color_bottom_unselected), 0);
    size_t bottoms = 0;
    for (const ElementRec& e : model.elements) bottoms += e.side == kSideBottom;
    EXPECT_EQ(SendMessageW(app_windows().list_main, LVM_GETITEMCOUNT, 0, 0), static_cast<LRESULT>(bottoms));

    command(IDM_BOTTOM_SIDE);  // nothing shown at all
    EXPECT_TRUE(std::all_of(view.boxes.begin(), view.boxes.end(),
                            [](const ElementBox& x) { return x.empty(); }));
    command(IDM_TOP_SIDE);
    command(IDM_BOTTOM_SIDE);
    EXPECT_FALSE(view.bottom_only);
    EXPECT_EQ(view.boxes[a], box_a);
    EXPECT_GT(count_in_box(pic, box_a, settings.color_top_selected), 0);

    // Plus and Minus scale the picture about the centre; Fit brings the fitted picture back.
    command(IDM_FIT);
    const double fitted = view.scale;
    const ElementBox fitted_a = view.boxes[a];
    const int width = fitted_a.max_x - fitted_a.min_x;
    command(IDM_ZOOM_IN);
    EXPECT_DOUBLE_EQ(view.scale, fitted * 1.5);
    EXPECT_NEAR(view.boxes[a].max_x - view.boxes[a].min_x, width * 1.5, 2);
    command(IDM_ZOOM_OUT);
    command(IDM_ZOOM_OUT);
    EXPECT_DOUBLE_EQ(view.scale, fitted * 0.375);
    EXPECT_NEAR(view.boxes[a].max_x - view.boxes[a].min_x, width * 0.375, 2);
    command(IDM_FIT);
    EXPECT_EQ(view.boxes[a], fitted_a);
    EXPECT_TRUE(port_.boxes.empty());
}

TEST_F(BoardWindow, ScrollPanAndWheelMoveThePicture) {
    load();
    const uint32_t a = lone_component(kSideTop);
    ASSERT_LT(a, view.boxes.size());
    const ElementBox start = view.boxes[a];
    const auto shifted = [&](int dx, int dy) {
        const ElementBox& now = view.boxes[a];
        return now.min_x - start.min_x == dx && now.max_x - start.max_x == dx &&
               now.min_y - start.min_y == dy && now.max_y - start.max_y == dy;
    };

    SendMessageW(app_windows().hwnd_layout, WM_VSCROLL, SB_LINEDOWN, 0);
    SendMessageW(app_windows().hwnd_layout, WM_HSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(GetScrollPos(app_windows().hwnd_layout, SB_VERT), 1);
    EXPECT_EQ(GetScrollPos(app_windows().hwnd_layout, SB_HORZ), view.hscroll.page);
    EXPECT_GT(view.hscroll.page, 0);
    EXPECT_TRUE(shifted(-view.hscroll.page, 1)) << view.boxes[a].min_x - start.min_x;
    SendMessageW(app_windows().hwnd_layout, WM_HSCROLL, SB_PAGEUP, 0);
    SendMessageW(app_windows().hwnd_layout, WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_TRUE(shifted(0, 0));

    // Dragging with the middle button moves the picture with the mouse and keeps it there.
    mouse(WM_MBUTTONDOWN, 100, 100, MK_MBUTTON);
    mouse(WM_MOUSEMOVE, 110, 95, MK_MBUTTON);
    EXPECT_TRUE(shifted(10, 5));
    mouse(WM_MBUTTONUP, 110, 95);
    command(IDM_REFRESH);
    EXPECT_TRUE(shifted(10, 5));
    mouse(WM_MOUSEMOVE, 200, 200);  // no button: nothing moves
    EXPECT_TRUE(shifted(10, 5));

    const double scale = view.scale;
    SendMessageW(app_windows().hwnd_board, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_DOUBLE_EQ(view.scale, scale + static_cast<double>(0.2f));
    EXPECT_GT(view.boxes[a].max_x - view.boxes[a].min_x, start.max_x - start.min_x);
    ShowWindow(app_windows().hwnd_board, SW_MINIMIZE);  // no wheel zoom while the area cannot be seen
    const double minimised = view.scale;
    SendMessageW(app_windows().hwnd_board, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_DOUBLE_EQ(view.scale, minimised);
}

TEST_F(BoardWindow, ClicksFillTheFoundWindowTakeLayersAndMoveTheCrosshair) {
    settings.use_crosshair = 1;
    load();
    const uint32_t a = lone_component(kSideTop);
    ASSERT_LT(a, view.boxes.size());
    const ElementBox box = view.boxes[a];
    const int h = client_height();
    const int cx = box.min_x + (box.max_x - box.min_x) / 2;
    const int cy = h - (box.min_y + (box.max_y - box.min_y) / 2);

    // A click on the component lists it; the crosshair is not moved by the click.
    mouse(WM_LBUTTONDOWN, cx, cy);
    EXPECT_TRUE(IsWindowVisible(app_windows().hwnd_found));
    ASSERT_EQ(SendMessageW(app_windows().list_found, LVM_GETITEMCOUNT, 0, 0), 1);
    EXPECT_EQ(list_cell(app_windows().list_found, 0, 0),
              utf8_to_wide(app_session().board.elements[a].name));
    EXPECT_EQ(list_cell(app_windows().list_found, 0, 4), L"Top");
    EXPECT_EQ(view.crosshair_drawn, 0u);
    mouse(WM_LBUTTONDOWN, 0, 0);  // nothing there
    EXPECT_FALSE(IsWindowVisible(app_windows().hwnd_found));

    // Choosing it draws the crosshair by exclusive-or; drawing it for no component removes it.
    choose(a);
    EXPECT_EQ(view.crosshair_drawn, a + 1);
    EXPECT_EQ(settings.crosshair_x, static_cast<uint32_t>(cx));
    HDC screen = GetDC(app_windows().hwnd_layout);
    HDC pic = area_picture_dc();
    int row = -1;  // a pixel of the vertical line over black background
    for (int y = 0; y < h && row < 0; ++y)
        if (GetPixel(pic, cx, y) == kBlack) row = y;
    ASSERT_GE(row, 0);
    EXPECT_EQ(GetPixel(screen, cx, row), settings.color_crosshair);
    draw_crosshair(false);  // removed and drawn again in the same place
    EXPECT_EQ(GetPixel(screen, cx, row), settings.color_crosshair);
    set_current_component(-1);
    draw_crosshair(false);
    EXPECT_EQ(GetPixel(screen, cx, row), kBlack);
    EXPECT_EQ(view.crosshair_drawn, 0u);
    ReleaseDC(app_windows().hwnd_layout, screen);

    // The layer list opens at a right click; a left click takes over its (empty) choice, after
    // which nothing is drawn and the same click finds nothing.
    mouse(WM_RBUTTONDOWN, 30, 40);
    ASSERT_TRUE(IsWindowVisible(app_windows().list_layers));
    RECT r{};
    GetWindowRect(app_windows().list_layers, &r);
    MapWindowPoints(nullptr, app_windows().hwnd_layout, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 30);
    EXPECT_EQ(r.top, 40);
    EXPECT_EQ(r.right - r.left, 200);
    EXPECT_GT(SendMessageW(app_windows().list_layers, LB_GETSELCOUNT, 0, 0), 0);
    SendMessageW(app_windows().list_layers, LB_SETSEL, FALSE, -1);
    mouse(WM_LBUTTONDOWN, cx, cy);
    EXPECT_FALSE(IsWindowVisible(app_windows().list_layers));
    EXPECT_TRUE(std::all_of(settings.layer_groups.begin(), settings.layer_groups.end(),
                            [](uint32_t g) { return g == 0; }));
    EXPECT_TRUE(view.boxes[a].empty());
    EXPECT_FALSE(IsWindowVisible(app_windows().hwnd_found));
}

TEST_F(BoardWindow, FoundWindowClickOnTheBoardShowsTheListAndARowIsChosenByMouseOrKey) {
    // Not above the found window, which real clicks and keys must reach.
    SetWindowPos(app_windows().hwnd_board, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    load();
    const uint32_t c = lone_component(kSideTop);
    ASSERT_LT(c, view.boxes.size());
    const ElementBox& box = view.boxes[c];
    const POINT at{(box.min_x + box.max_x) / 2, client_height() - (box.min_y + box.max_y) / 2};
    open_found_for(c, at);

    // The list is there for the user: visible, laid out inside its window, its first row
    // selected and focused and drawn highlighted on the screen.
    EXPECT_TRUE(IsWindowVisible(app_windows().list_found));
    RECT list{}, window{};
    GetWindowRect(app_windows().list_found, &list);
    GetClientRect(app_windows().hwnd_found, &window);
    EXPECT_EQ(list.right - list.left, window.right - 20);
    EXPECT_EQ(list.bottom - list.top, window.bottom - 15 - 60);
    EXPECT_EQ(SendMessageW(app_windows().list_found, LVM_GETITEMSTATE, 0, LVIS_SELECTED | LVIS_FOCUSED),
              LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(GetFocus(), app_windows().list_found);
    const RECT row = list_row_on_screen(app_windows().list_found, 0, LVIR_BOUNDS);
    EXPECT_GT(shot_of(nullptr, row).count(GetSysColor(COLOR_HIGHLIGHT)), 100);

    // A double click on the row makes the part current and closes the window.
    ASSERT_TRUE(click_list_row(app_windows().list_found, 0, 2));
    EXPECT_EQ(model.marks.states()[c], kStateCurrent);
    EXPECT_EQ(view.current, static_cast<int32_t>(c));
    EXPECT_EQ(view.crosshair_drawn, c + 1);
    EXPECT_FALSE(IsWindowVisible(app_windows().hwnd_found));

    // Enter on the row chooses it again: a current part chosen again is cleared.
    open_found_for(c, at);
    ASSERT_TRUE(press_key(VK_RETURN));
    pump_for(200);
    EXPECT_EQ(model.marks.states()[c], kStateUnselected);
    EXPECT_FALSE(IsWindowVisible(app_windows().hwnd_found));

    // Space goes through the program's keyboard hook.
    set_visible(app_windows().hwnd_main, true);
    ASSERT_EQ(install_keyboard_hook(), 1);
    open_found_for(c, at);
    ASSERT_TRUE(press_key(VK_SPACE));
    pump_for(200);
    EXPECT_EQ(model.marks.states()[c], kStateCurrent);
    EXPECT_FALSE(IsWindowVisible(app_windows().hwnd_found));
    EXPECT_TRUE(port_.boxes.empty());
}

TEST_F(BoardWindow, PadsAndPinOneOnScreenGoWithTheLayerLineAndTakeANewColour) {
    settings.use_crosshair = 0;
    load(native_path(own_board(L"p1-pads.brd")));
    ASSERT_EQ(settings.show_pads, 1u);  // on without anyone asking
    const COLORREF copper = settings.color_pads;
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
    ASSERT_TRUE(left_click_in(app_windows().hwnd_layout, client.right - 260, 20, 1, true));  // right
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
    ASSERT_TRUE(click_middle(list, item));
    EXPECT_EQ(SendMessageW(list, LB_GETSEL, line, 0), 0);
    ASSERT_TRUE(left_click_in(app_windows().hwnd_layout, client.right - 20, client.bottom - 20));
    pump_for(100);
    EXPECT_FALSE(IsWindowVisible(list));
    EXPECT_EQ(settings.show_pads, 0u);
    EXPECT_EQ(count_on_screen(copper), 0);
    EXPECT_EQ(around(pin_one, copper), 0);

    // Back on, then a new colour picked through the colour dialog's pad swatch.
    settings.show_pads = 1;
    RedrawWindow(app_windows().hwnd_layout, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    pump_for(100);
    EXPECT_EQ(count_on_screen(copper), before);
    ASSERT_NE(open_dialog(IDD_COLORS, DlgColorSettings), nullptr);
    EXPECT_EQ(window_text(GetDlgItem(dialog_, IDC_PAD_COLOUR_CAPTION)), L"Pads");
    pick_colour(IDC_PAD_COLOUR_SWATCH, kMagenta);
    press(dialog_, IDOK);
    pump_for(100);
    EXPECT_EQ(settings.color_pads, kMagenta);
    EXPECT_EQ(store_.dword(L"Color pads"), kMagenta);
    EXPECT_EQ(around(pin_one, kMagenta), 9);
    EXPECT_EQ(count_on_screen(copper), 0);
    EXPECT_EQ(count_on_screen(kMagenta), before);
}

}  // namespace

// Side switches, Reset selection and a loaded selection draw the board on a second thread while
// the list is refilled: what reaches the screen must be what a full paint of the area shows,
// crosshair included, and it must have changed with the step.
TEST_F(BoardWindow, StepsDrawnBesideTheListShowWhatAFullPaintShows) {
    settings.use_crosshair = 1;
    load(copy_board(L"board.brd").wstring());  // the selection is saved beside it
    HWND area = app_windows().hwnd_layout;
    const auto expect_full_paint = [&](const char* step) -> std::vector<COLORREF> {
        SCOPED_TRACE(step);
        const Shot shown = shot_of(area);
        EXPECT_EQ(view.boxes.size(), model.elements.size());
        InvalidateRect(area, nullptr, TRUE);
        UpdateWindow(area);
        const Shot painted = shot_of(area);
        EXPECT_FALSE(shown.pixels.empty());
        EXPECT_TRUE(shown.pixels == painted.pixels);
        return shown.pixels;
    };
    const uint32_t a = lone_component(kSideTop);
    ASSERT_LT(a, view.boxes.size());
    choose(a);
    choose(a == 0 ? 1 : 0);  // a stays marked, the other is current under the crosshair
    const std::vector<COLORREF> both = expect_full_paint("chosen");

    command(IDM_TOP_SIDE);
    const std::vector<COLORREF> bottom = expect_full_paint("bottom only");
    EXPECT_TRUE(bottom != both);
    command(IDM_TOP_SIDE);
    EXPECT_TRUE(expect_full_paint("both sides again") == both);

    SendMessageW(app_windows().hwnd_main, WM_COMMAND, MAKEWPARAM(IDM_SAVE_SELECTION, 0), 0);
    click(app_windows().button_clear);
    EXPECT_EQ(model.marks.state(a), kStateUnselected);
    EXPECT_TRUE(expect_full_paint("reset") != both);

    SendMessageW(app_windows().hwnd_main, WM_COMMAND, MAKEWPARAM(IDM_LOAD_SELECTION, 0), 0);
    EXPECT_EQ(model.marks.state(a), kStateSelected);
    expect_full_paint("selection loaded");
}
