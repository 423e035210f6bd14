// The found-components window as a user meets it: a real click on the board opens it with its
// list visible and filled, and a double click, Enter or Space on a row chooses that part.

#include <string>

#include "shell/keyboard_hook_win.h"
#include "view/board_view.h"
#include "win/support/app_windows_win.h"
#include "win/support/real_input_win.h"

using namespace tindral;
using tindral::test::left_click_at;
using tindral::test::left_click_in;
using tindral::test::list_cell;
using tindral::test::pump_for;

namespace {

// The screen point at the middle of a list row.
POINT row_centre(HWND list, int row) {
    RECT r{};
    r.left = LVIR_LABEL;
    SendMessageW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r));
    POINT p{r.left + (r.right - r.left) / 2, r.top + (r.bottom - r.top) / 2};
    ClientToScreen(list, &p);
    return p;
}

// How many pixels of a list row on the screen have this colour.
int row_pixels(HWND list, int row, COLORREF colour) {
    RECT r{};
    r.left = LVIR_BOUNDS;
    SendMessageW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r));
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&r), 2);
    HDC screen = GetDC(nullptr);
    int n = 0;
    for (int x = r.left; x < r.right; x += 2)
        for (int y = r.top; y < r.bottom; ++y) n += GetPixel(screen, x, y) == colour;
    ReleaseDC(nullptr, screen);
    return n;
}

class FoundWindow : public test::AppWindowsTest {
protected:
    FoundWindow() {
        places_.main = {0, 0, 900, 600};
        places_.board = {0, 0, 900, 700};
        places_.found = {920, 40, 650, 300};  // beside the board, over nothing
    }

    void SetUp() override {
        app_session().settings.show_top_side = 1;
        app_session().settings.show_bottom_side = 1;
        app_session().settings.leave_selected = 1;
        app_session().settings.use_crosshair = 1;
        AppWindowsTest::SetUp();
        ShowWindow(app_windows().hwnd_board, SW_SHOW);
        load_sample();
    }

    // A drawn component whose middle hits only itself, and that middle in area pixels.
    bool lone_component(uint32_t& which, POINT& at) {
        RECT client{};
        GetClientRect(app_windows().hwnd_layout, &client);
        const std::vector<ElementBox>& boxes = app_session().view.boxes;
        for (uint32_t i = 0; i < boxes.size(); ++i) {
            const ElementBox& b = boxes[i];
            if (b.empty() || b.max_x - b.min_x < 6 || b.max_y - b.min_y < 6) continue;
            const int x = b.min_x + (b.max_x - b.min_x) / 2;
            const int y = client.bottom - (b.min_y + (b.max_y - b.min_y) / 2);
            if (x < 5 || y < 5 || x > client.right - 5 || y > client.bottom - 5) continue;
            if (hit_test(boxes, x, y, client.bottom) == std::vector<uint32_t>{i}) {
                which = i;
                at = {x, y};
                return true;
            }
        }
        return false;
    }

    // Clicks the component on the board; the found window must come up with its row.
    void open_found_for(uint32_t c, POINT at) {
        ASSERT_TRUE(left_click_in(app_windows().hwnd_layout, at.x, at.y));
        ASSERT_TRUE(IsWindowVisible(app_windows().hwnd_found));
        ASSERT_EQ(SendMessageW(app_windows().list_found, LVM_GETITEMCOUNT, 0, 0), 1);
        ASSERT_EQ(list_cell(app_windows().list_found, 0, 0), app_session().board.elements[c].name);
    }
};

TEST_F(FoundWindow, ClickOnTheBoardShowsTheListAndARowIsChosenByMouseOrKey) {
    BoardModel& board = app_session().board;
    BoardView& view = app_session().view;
    uint32_t c = 0;
    POINT at{};
    ASSERT_TRUE(lone_component(c, at));
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
    EXPECT_GT(row_pixels(app_windows().list_found, 0, GetSysColor(COLOR_HIGHLIGHT)), 50);

    // A double click on the row makes the part current and closes the window.
    ASSERT_TRUE(left_click_at(row_centre(app_windows().list_found, 0), 2));
    EXPECT_EQ(board.marks.states()[c], kStateCurrent);
    EXPECT_EQ(view.current, static_cast<int32_t>(c));
    EXPECT_EQ(view.crosshair_drawn, c + 1);
    EXPECT_FALSE(IsWindowVisible(app_windows().hwnd_found));

    // Enter on the row chooses it again: a current part chosen again is cleared.
    open_found_for(c, at);
    ASSERT_TRUE(test::press_key(VK_RETURN));
    pump_for(200);
    EXPECT_EQ(board.marks.states()[c], kStateUnselected);
    EXPECT_FALSE(IsWindowVisible(app_windows().hwnd_found));

    // Space goes through the program's keyboard hook.
    test::set_visible(app_windows().hwnd_main, true);
    ASSERT_EQ(install_keyboard_hook(), 1);
    open_found_for(c, at);
    ASSERT_TRUE(test::press_key(VK_SPACE));
    pump_for(200);
    EXPECT_EQ(board.marks.states()[c], kStateCurrent);
    EXPECT_FALSE(IsWindowVisible(app_windows().hwnd_found));
    EXPECT_TRUE(port_.boxes.empty());
}

}  // namespace
