// The bench-flow features in the real windows: the find box, Enter (or the toolbar button) placing
// and moving on, a part brought into the zoomed view, and the export with tindral-cli's bytes.

#include <filesystem>
#include <string>

#include "selection/marks.h"
#include "shell/board_commands_win.h"
#include "shell/export_list_win.h"
#include "shell/keyboard_hook_win.h"
#include "support/synthetic_board.h"
#include "support/temp_folder.h"
#include "view/canvas.h"
#include "win/support/main_list_checks_win.h"

using namespace tindral;
using namespace tindral::test;

namespace {

constexpr COLORREF kCyan = static_cast<COLORREF>(kFoundPenColour);

// Pixels of the drawing area in one colour, as the screen shows them.
int area_pixels_of(COLORREF colour) { return shot_of(app_windows().hwnd_layout).count(colour); }

void click_row(int row) { ASSERT_TRUE(click_list_row(app_windows().list_main, row)); }

uint32_t state_of_row(int row) {
    return app_session().board.marks.state(static_cast<size_t>(row_component(row)));
}

class BenchFlow : public AppWindowsTest {
protected:
    BenchFlow() {
        places_.main = {0, 0, 900, 560};
        places_.board = {905, 0, 680, 560};  // beside the main window: toolbar clicks reach it
    }

    void SetUp() override {
        settings.show_bottom_side = 1;
        settings.use_crosshair = 0;
        board_window_at_its_place();
        AppWindowsTest::SetUp();
        ASSERT_EQ(install_keyboard_hook(), 1);
        show_board_on_top();
        show_main_on_top();
        // A copy, so that no answer to a question ever writes beside the checkout's sample.
        board_ = copy_board(L"sample.brd").wstring();
        load_painted(board_);
        pump_for(150);
    }

    void TearDown() override {
        app_windows().keyboard_hook.reset();
        AppWindowsTest::TearDown();
    }

    std::wstring board_;
};

TEST_F(BenchFlow, TypingInTheFindBoxFiltersRowsAndOutlinesThePartsUntilEscape) {
    HWND list = app_windows().list_main;
    HWND box = app_windows().edit_find;
    ASSERT_TRUE(IsWindowVisible(box));
    ASSERT_EQ(item_count(list), 19);
    const std::wstring counter = window_text(app_windows().static_counter);
    EXPECT_EQ(area_pixels_of(kCyan), 0);

    // Mark a part first: the filter must leave the marks alone.
    click_row(0);
    const int32_t marked = row_component(0);
    ASSERT_EQ(app_session().board.marks.state(static_cast<size_t>(marked)), kStateCurrent);
    const std::wstring counter_marked = window_text(app_windows().static_counter);
    EXPECT_NE(counter_marked, counter);

    // Ctrl+F from the list puts the focus into the box; then the user types.
    SetFocus(list);
    press_key('F', VK_CONTROL);
    pump_for(150);
    ASSERT_EQ(GetFocus(), box);
    ASSERT_TRUE(type_text(L"c0805"));
    pump_for(300);
    EXPECT_EQ(window_text(box), L"c0805");
    ASSERT_EQ(item_count(list), 5);  // C1..C5, on both sides
    for (int row = 0; row < 5; ++row)
        EXPECT_EQ(list_cell(list, row, 2), L"C0805") << row;
    EXPECT_EQ(window_text(app_windows().static_counter), counter_marked);
    const int outlined = area_pixels_of(kCyan);
    EXPECT_GT(outlined, 5 * 8);  // five rectangles on the screen

    // A narrower text, in another case: fewer rows, fewer outlines.
    ASSERT_TRUE(type_text(L"\b\b\b\b\b10uf"));
    pump_for(300);
    ASSERT_EQ(item_count(list), 1);
    EXPECT_EQ(list_cell(list, 0, 0), L"C3");
    const int one = area_pixels_of(kCyan);
    EXPECT_GT(one, 8);
    EXPECT_LT(one, outlined);

    // Escape in the box: every row again, the outlines gone, the mark still there.
    press_key(VK_ESCAPE);
    pump_for(300);
    EXPECT_EQ(window_text(box), L"");
    EXPECT_EQ(item_count(list), 19);
    EXPECT_EQ(area_pixels_of(kCyan), 0);
    EXPECT_EQ(app_session().board.marks.state(static_cast<size_t>(marked)), kStateCurrent);
    EXPECT_EQ(list_image(list, find_component_row(static_cast<uint32_t>(marked))), 1);
}

TEST_F(BenchFlow, EnterAndTheToolbarButtonPlaceThePartAndMakeTheNextRowCurrent) {
    HWND list = app_windows().list_main;
    click_row(2);
    ASSERT_EQ(state_of_row(2), kStateCurrent);
    SetFocus(list);
    press_key(VK_RETURN);
    pump_for(200);
    EXPECT_EQ(state_of_row(2), kStateSelected);
    EXPECT_EQ(state_of_row(3), kStateCurrent);
    EXPECT_EQ(list_image(list, 2), 1);
    EXPECT_EQ(list_image(list, 3), 1);
    EXPECT_EQ(selected_main_row(), 3);

    // The toolbar button does the same, clicked where the user sees it.
    ASSERT_TRUE(click_tool(7));
    EXPECT_EQ(state_of_row(3), kStateSelected);
    EXPECT_EQ(state_of_row(4), kStateCurrent);

    // Down to the end: the last row is placed and the user is told, once.
    click_row(17);
    SetFocus(list);
    press_key(VK_RETURN);
    pump_for(200);
    EXPECT_EQ(state_of_row(18), kStateCurrent);
    ASSERT_TRUE(port_.boxes.empty());
    press_key(VK_RETURN);
    pump_for(200);
    EXPECT_EQ(state_of_row(18), kStateSelected);
    ASSERT_EQ(port_.boxes.size(), 1u);
    EXPECT_EQ(port_.boxes[0].text, text(TXT_PLACE_NEXT_END));
    const MarkCounts counts = app_session().board.marks.count(app_session().board.elements);
    EXPECT_EQ(counts.marked, 5u);  // rows 2, 3, 4, 17, 18
    EXPECT_EQ(window_text(app_windows().static_counter), expected_counter(app_session().board.marks.states()));
}

// One mark at a time: after the rows moved, a click takes that part's mark, not its old row's.
TEST_F(BenchFlow, WithLeaveSelectedOffOneRowKeepsTheMarkAfterASortAndASearch) {
    app_session().settings.leave_selected = 0;
    HWND list = app_windows().list_main;
    const auto marked_rows = [&] {
        int n = 0;
        for (int row = 0; row < item_count(list); ++row) n += list_image(list, row) == 1;
        return n;
    };
    click_row(0);
    const int32_t first = row_component(0);
    ASSERT_EQ(marked_rows(), 1);
    sort_by_header_click(0);  // by name: the part moves to another row
    pump_for(100);
    ASSERT_NE(find_component_row(static_cast<uint32_t>(first)), 0);
    pump_for(GetDoubleClickTime() + 100);  // a second click on the same spot is no double click
    click_row(0);
    EXPECT_EQ(app_session().board.marks.state(static_cast<size_t>(first)), kStateUnselected);
    EXPECT_EQ(list_image(list, find_component_row(static_cast<uint32_t>(first))), 0);
    EXPECT_EQ(marked_rows(), 1);

    // A search moves the rows too.
    const int32_t second = row_component(0);
    SetFocus(app_windows().edit_find);
    ASSERT_TRUE(type_text(L"c"));
    pump_for(300);
    const int row_now = find_component_row(static_cast<uint32_t>(second));
    ASSERT_GE(row_now, 0);
    const int other = row_now == 0 ? 1 : 0;
    click_row(other);
    EXPECT_EQ(list_image(list, row_now), 0);
    EXPECT_EQ(marked_rows(), 1);
}

TEST_F(BenchFlow, APartChosenOutsideTheZoomedViewIsBroughtIntoItUnlessTheSettingIsOff) {
    for (int i = 0; i < 4; ++i) run_board_command(IDM_ZOOM_IN);
    redraw_area();
    pump_for(100);
    const BoardView& v = app_session().view;
    const auto outside = [&](int32_t c) {
        const ElementBox& b = v.boxes[static_cast<size_t>(c)];
        return b.empty() || b.min_x < 0 || b.min_y < 0 || b.max_x > static_cast<int32_t>(v.area_width) ||
               b.max_y > static_cast<int32_t>(v.area_height);
    };
    // The mounting holes sit in opposite corners: at this zoom both are off the screen.
    const int h1 = find_component_row(11), h2 = find_component_row(12);
    ASSERT_TRUE(outside(11));
    ASSERT_TRUE(outside(12));

    app_session().settings.keep_current_in_view = 0;
    click_row(h1);
    EXPECT_TRUE(outside(11));

    app_session().settings.keep_current_in_view = 1;
    click_row(h2);
    pump_for(150);
    ASSERT_EQ(app_session().board.marks.state(12), kStateCurrent);
    EXPECT_FALSE(outside(12));
    // The part's lines are on the screen where the box says, in the current colour.
    EXPECT_GT(area_pixels_of(static_cast<COLORREF>(app_session().settings.color_top_curr_selection)), 10);
}

TEST_F(BenchFlow, ExportWritesTheListAsShownAndTheBomAsTheCliDoesAndSaysWhenItCannot) {
    static std::wstring g_path;
    static ExportKind g_kind;
    const ExportDialogFn before = set_export_dialog([](std::wstring& path, ExportKind& kind) {
        path = g_path;
        kind = g_kind;
        return true;
    });
    const std::wstring& board = board_;

    g_path = (dir_.path / L"list.csv").wstring();
    g_kind = ExportKind::list;
    menu(IDM_EXPORT_LIST);
    EXPECT_EQ(TempFolder::read(dir_.path / L"list.csv"), cli_csv_bytes(L"list", board));

    g_path = (dir_.path / L"bom.csv").wstring();
    g_kind = ExportKind::bom;
    menu(IDM_EXPORT_LIST);
    EXPECT_EQ(TempFolder::read(dir_.path / L"bom.csv"), cli_csv_bytes(L"bom", board));
    EXPECT_TRUE(port_.boxes.empty());

    // A folder that is not there: one box naming the file, and nothing left behind.
    g_path = (dir_.path / L"missing" / L"x.csv").wstring();
    menu(IDM_EXPORT_LIST);
    ASSERT_EQ(port_.boxes.size(), 1u);
    EXPECT_NE(port_.boxes[0].text.find(g_path), std::wstring::npos);
    EXPECT_FALSE(std::filesystem::exists(dir_.path / L"missing"));

    // A list of many pieces goes to the file whole and in order, and only the file is left.
    const std::wstring large = dir_.write("large.brd", synthetic_board(3000)).wstring();
    load_painted(large);
    port_.boxes.clear();
    g_path = (dir_.path / L"large.csv").wstring();
    g_kind = ExportKind::list;
    menu(IDM_EXPORT_LIST);
    EXPECT_TRUE(port_.boxes.empty());
    const std::string written = TempFolder::read(dir_.path / L"large.csv");
    EXPECT_GT(written.size(), size_t{3} << 16);  // several pieces
    EXPECT_TRUE(written == cli_csv_bytes(L"list", large));
    EXPECT_FALSE(std::filesystem::exists(dir_.path / L"large.csv.tindral-export"));
    set_export_dialog(before);
}

}  // namespace
