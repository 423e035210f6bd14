// The main list as a user meets it on a board too long for the screen: a real click on a row
// marks that part, and the row shows its tick, its highlight and the other rows their group
// colours on the screen; far down the list, after scrolling, the rows still show their parts.
// Then the list's marks after a selection load and side switches: the checks the 50 000-element
// run of the Windows benchmark (bench/win/) makes at every step.

#include <string>
#include <utility>
#include <vector>

#include "support/synthetic_board.h"
#include "support/temp_folder.h"
#include "win/support/main_list_checks_win.h"

using namespace tindral;
using namespace tindral::test;

namespace {

RECT row_rect(int row, int part) { return list_row_on_screen(app_windows().list_main, row, part); }

// How many pixels of the screen rectangle have the colour.
int count_colour(const RECT& r, COLORREF colour) { return shot_of(nullptr, r).count(colour); }

// The row's label and cells, not its image.
RECT cells_of(int row) {
    RECT r = row_rect(row, LVIR_BOUNDS);
    r.left = row_rect(row, LVIR_LABEL).left;
    return r;
}

constexpr COLORREF kUnmarkedImage = RGB(250, 250, 250), kMarkedImage = RGB(0, 200, 0);

// Plain squares in place of the program's icons, so that each image has a colour of its own:
// unmarked, marked, sort mark. The list owns the image list.
void give_plain_images(HWND list) {
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR24, 3, 0);
    HDC screen = GetDC(nullptr);
    for (COLORREF colour : {kUnmarkedImage, kMarkedImage, RGB(0, 0, 200)}) {
        HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
        HDC dc = CreateCompatibleDC(screen);
        HGDIOBJ old = SelectObject(dc, bitmap);
        HBRUSH brush = CreateSolidBrush(colour);
        RECT r{0, 0, 16, 16};
        FillRect(dc, &r, brush);
        DeleteObject(brush);
        SelectObject(dc, old);
        DeleteDC(dc);
        ImageList_Add(images, bitmap, nullptr);
        DeleteObject(bitmap);
    }
    ReleaseDC(nullptr, screen);
    SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
}

class MainListClicks : public AppWindowsTest {
protected:
    MainListClicks() { places_.main = {0, 0, 1100, 600}; }

    void SetUp() override {
        app_session().settings.show_bottom_side = 1;
        app_session().settings.use_crosshair = 0;
        AppWindowsTest::SetUp();
        give_plain_images(app_windows().list_main);
        ShowWindow(app_windows().hwnd_main, SW_SHOW);
        SetWindowPos(app_windows().hwnd_main, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow(app_windows().hwnd_main);
    }

};

TEST_F(MainListClicks, AClickedRowShowsItsMarkAndHighlightOnTheScreen) {
    const BoardModel& board = app_session().board;
    HWND list = app_windows().list_main;
    load_through_combo(dir_.write("board.brd", synthetic_board(2000)).wstring());
    ASSERT_EQ(board.board_loaded, 1u);
    UpdateWindow(list);
    pump_for(200);
    ASSERT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 2000);
    const int per_page = static_cast<int>(SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0));
    ASSERT_GT(per_page, 6);

    // Before: no row highlighted, every row in its group's background.
    const auto back_of = [&](int row) {
        const ElementRec& e = board.elements[static_cast<size_t>(row_component(row))];
        const Settings& s = app_session().settings;
        if (e.side == kSideTop) return e.shade == 0 ? s.group_color_top_back1 : s.group_color_top_back2;
        return e.shade == 0 ? s.group_color_bottom_back1 : s.group_color_bottom_back2;
    };
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const RECT icon2 = row_rect(2, LVIR_ICON);
    const std::vector<COLORREF> icon_before = shot_of(nullptr, icon2).pixels;
    EXPECT_GT(count_colour(icon2, kUnmarkedImage), 100);
    EXPECT_EQ(shot_of(nullptr, row_rect(5, LVIR_ICON)).pixels, icon_before);  // both unmarked
    EXPECT_EQ(count_colour(cells_of(2), highlight), 0);
    EXPECT_GT(count_colour(cells_of(2), back_of(2)), 100);

    // The click marks the row's part: the tick replaces the empty image, the row is highlighted,
    // its neighbours keep their group colours.
    ASSERT_TRUE(left_click_at(centre_of(cells_of(2))));
    UpdateWindow(list);
    const uint32_t c2 = static_cast<uint32_t>(row_component(2));
    EXPECT_EQ(board.marks.state(c2), kStateCurrent);
    EXPECT_NE(shot_of(nullptr, icon2).pixels, icon_before);
    EXPECT_EQ(shot_of(nullptr, row_rect(5, LVIR_ICON)).pixels, icon_before);
    EXPECT_GT(count_colour(cells_of(2), highlight), 100);
    EXPECT_EQ(count_colour(cells_of(3), highlight), 0);
    EXPECT_GT(count_colour(cells_of(3), back_of(3)), 100);
    EXPECT_EQ(list_cell(list, 2, 0), board.elements[c2].name);

    // At the end of the list: the last row's cells are its part's, and a click there marks it
    // and moves the highlight; the row chosen first keeps its mark.
    const int last = 1999;
    SendMessageW(list, LVM_ENSUREVISIBLE, last, FALSE);
    UpdateWindow(list);
    pump_for(100);
    const uint32_t c_last = static_cast<uint32_t>(row_component(last));
    EXPECT_EQ(list_cell(list, last, 0), board.elements[c_last].name);
    EXPECT_EQ(std::stoul(list_cell(list, last, 10)), c_last);
    const RECT icon_last = row_rect(last, LVIR_ICON);
    EXPECT_EQ(shot_of(nullptr, icon_last).pixels, icon_before);
    ASSERT_TRUE(left_click_at(centre_of(cells_of(last))));
    UpdateWindow(list);
    EXPECT_EQ(board.marks.state(c_last), kStateCurrent);
    EXPECT_EQ(board.marks.state(c2), kStateSelected);
    EXPECT_EQ(window_text(app_windows().static_counter), expected_counter(board.marks.states()));
    EXPECT_NE(shot_of(nullptr, icon_last).pixels, icon_before);
    EXPECT_GT(count_colour(cells_of(last), highlight), 100);
    SendMessageW(list, LVM_ENSUREVISIBLE, 2, FALSE);
    UpdateWindow(list);
    pump_for(100);
    EXPECT_GT(count_colour(row_rect(2, LVIR_ICON), kMarkedImage), 100);
    EXPECT_EQ(count_colour(cells_of(2), highlight), 0);
    EXPECT_EQ(count_colour(cells_of(last - 1), highlight), 0);
    EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), last);
    EXPECT_TRUE(port_.boxes.empty());
}

// A side switch refills the list out of sight and scrolls it to the marked row: what the screen
// then shows, scroll bars and header included, is what a full repaint of the list shows.
TEST_F(MainListClicks, AfterASideSwitchTheScreenShowsTheListAsAFullRepaintDoes) {
    HWND list = app_windows().list_main;
    load_through_combo(dir_.write("board.brd", synthetic_board(2000)).wstring());
    ASSERT_EQ(app_session().board.board_loaded, 1u);
    SendMessageW(list, LVM_ENSUREVISIBLE, 1990, FALSE);
    UpdateWindow(list);
    ASSERT_TRUE(left_click_at(centre_of(cells_of(1990))));
    RECT whole{};
    GetWindowRect(list, &whole);
    for (const auto [top, bottom] : {std::pair{true, false}, {false, true}, {true, true}}) {
        SCOPED_TRACE(std::to_string(top) + std::to_string(bottom));
        switch_sides(top, bottom);
        pump_for(100);
        ASSERT_TRUE(IsWindowVisible(list));
        // the marked row highlighted where its side is shown
        const int chosen = selected_main_row();
        if (top && bottom) ASSERT_GE(chosen, 0);
        if (chosen >= 0) EXPECT_GT(count_colour(cells_of(chosen), GetSysColor(COLOR_HIGHLIGHT)), 100);
        const Shot shown = shot_of(nullptr, whole);
        RedrawWindow(list, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        pump_for(100);
        EXPECT_TRUE(shown.pixels == shot_of(nullptr, whole).pixels);
    }
}

using ListMarks = MarkingTest;

// The list's highlight after a selection load and side switches: a row highlighted before the
// load that the file leaves unmarked loses it, and it lands on a marked row.
TEST_F(ListMarks, SelectionLoadAndSideSwitchesKeepOneHighlightOnAMarkedRow) {
    BoardModel& model = app_session().board;
    const std::filesystem::path board = dir_.write("board.brd", synthetic_board(300));
    load_through_combo(board.wstring());
    ASSERT_EQ(model.board_loaded, 1u);
    const std::vector<int> rows = row_components();
    for (int row : {10, 20, 30}) notify(app_windows().list_main, NM_CLICK, row, 0);
    menu(IDM_SAVE_SELECTION);
    click(app_windows().button_clear);
    ASSERT_EQ(row_components(), rows);  // the refill keeps the order
    notify(app_windows().list_main, NM_CLICK, 40, 0);
    ASSERT_EQ(rows_in_state(LVIS_SELECTED), std::vector<int>{40});

    menu(IDM_LOAD_SELECTION);  // answered Yes
    std::vector<uint32_t> expected(model.elements.size(), kStateUnselected);
    for (int row : {10, 20, 30}) expected[rows[row]] = kStateSelected;
    EXPECT_EQ(model.marks.states(), expected);
    expect_marks(rows, expected);
    EXPECT_EQ(SendMessageW(app_windows().list_main, LVM_GETITEMSTATE, 40, LVIS_SELECTED | LVIS_FOCUSED), 0);
    for (const auto [top, bottom] : {std::pair{true, false}, {false, true}, {true, true}}) {
        SCOPED_TRACE(std::to_string(top) + std::to_string(bottom));
        switch_sides(top, bottom);
        expect_rows_of_sides(top, bottom);
    }

    // A file without marks takes the highlight away from the row chosen before the load.
    click(app_windows().button_clear);
    menu(IDM_SAVE_SELECTION);
    notify(app_windows().list_main, NM_CLICK, 50, 0);
    ASSERT_EQ(rows_in_state(LVIS_SELECTED), std::vector<int>{50});
    menu(IDM_LOAD_SELECTION);
    EXPECT_EQ(port_.boxes.size(), 2u);  // the question of each load
    EXPECT_EQ(model.marks.states(), std::vector<uint32_t>(model.elements.size(), kStateUnselected));
    expect_marks(row_components(), model.marks.states());
}

}  // namespace
