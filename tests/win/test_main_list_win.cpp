// Boards loaded through the real main window and the main list read back: tindral-cli's rows,
// choices (also real clicks on a long list), sorting, marks, failed loads, archives, KiCad boards
// and the variant chooser used with real clicks.

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "board/utf8.h"
#include "lists/list_rows.h"
#include "selection/selection_format.h"
#include "shell/found_list_win.h"
#include "support/synthetic_board.h"
#include "support/temp_folder.h"
#include "win/support/main_list_checks_win.h"

using namespace tindral;
using namespace tindral::test;
namespace fs = std::filesystem;

namespace {

class LoadAndList : public AppWindowsTest {
protected:
    // Found through the list's own Index cells, apart from the program's row search.
    static int row_of(int component) {
        const std::vector<int> rows = row_components();
        return static_cast<int>(std::find(rows.begin(), rows.end(), component) - rows.begin());
    }
};

TEST_F(LoadAndList, RowsAreThoseOfTheCliForEitherSideChoiceAndOrder) {
    // A generated board of a later Eagle version beside the sample; its mirrored parts are
    // those placed below.
    TempFolder dir;
    const std::string generated_xml = synthetic_board(40);
    size_t generated_bottom = 0;
    for (size_t at = 0; (at = generated_xml.find("rot=\"M", at)) != std::string::npos; ++at) ++generated_bottom;
    ASSERT_GT(generated_bottom, 0u);
    const std::wstring generated = dir.write("generated.brd", generated_xml).wstring();

    // The sample board has 13 parts on top and 6 mirrored below.
    struct Case {
        std::wstring path, name;
        uint32_t top, bottom, sort;
        const wchar_t* options;
        size_t rows, parts;
    };
    const Case cases[] = {
        {sample_board(), L"tindral-sample.brd", 1, 0, 9, L"--side top --sort 9", 13, 19},
        {sample_board(), L"tindral-sample.brd", 1, 1, 3, L"--side both --sort 3", 19, 19},
        {sample_board(), L"tindral-sample.brd", 0, 1, 4, L"--side bottom --sort 4", 6, 19},
        {generated, L"generated.brd", 0, 1, 2, L"--side bottom --sort 2", generated_bottom, 40},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name + L" " + c.options);
        settings.show_top_side = c.top;
        settings.show_bottom_side = c.bottom;
        settings.sort_col = c.sort;
        load_through_combo(c.path);
        EXPECT_TRUE(port_.boxes.empty());
        EXPECT_EQ(model.board_loaded, 1u);
        const Rows expected = cli_csv_rows(L"list", c.path, c.options);
        EXPECT_EQ(expected.size(), c.rows);
        EXPECT_EQ(list_rows(app_windows().list_main, 11), expected);
        EXPECT_EQ(window_text(app_windows().hwnd_main), L"Tindral V2.00.1      " + c.name);
        EXPECT_EQ(window_text(app_windows().hwnd_board), L"Tindral V2.00.1    " + c.name);
        EXPECT_EQ(model.marks.states(), std::vector<uint32_t>(c.parts, 0));
        EXPECT_EQ(store_.string(L"Xml path file name"), c.path);
        EXPECT_TRUE(GetWindowLongW(app_windows().button_bom, GWL_STYLE) & WS_VISIBLE);
    }
}

TEST_F(LoadAndList, ChoosingRowsHeaderClicksAndTheFoundList) {
    settings.show_bottom_side = 1;
    settings.sort_col = 9;
    load_through_combo(sample_board());
    ASSERT_EQ(model.board_loaded, 1u);
    ASSERT_GE(model.elements.size(), 3u);
    const int ra = row_of(0), rb = row_of(1);
    ASSERT_LT(std::max(ra, rb), item_count(app_windows().list_main));

    notify(app_windows().list_main, NM_DBLCLK, ra);  // a double click is not a choice by default
    EXPECT_EQ(model.marks.states()[0], 0u);
    notify(app_windows().list_main, NM_CLICK, ra);
    notify(app_windows().list_main, NM_CLICK, rb);
    EXPECT_EQ(model.marks.states()[0], kStateSelected);
    EXPECT_EQ(model.marks.states()[1], kStateCurrent);
    EXPECT_EQ(row_image(ra), 1);
    EXPECT_EQ(row_image(rb), 1);
    const size_t n = model.elements.size();
    EXPECT_EQ(window_text(app_windows().static_counter).rfind(L"  Placed: Total 2 of " + std::to_wstring(n), 0), 0u)
        << window_text(app_windows().static_counter).c_str();
    notify(app_windows().list_main, NM_CLICK, rb);  // chosen again: cleared
    EXPECT_EQ(model.marks.states()[1], kStateUnselected);
    EXPECT_EQ(row_image(rb), 0);
    notify(app_windows().list_main, NM_CLICK, static_cast<int>(n) + 5);  // no row there
    EXPECT_EQ(model.marks.states()[1], kStateUnselected);
    app_windows().double_click_select = true;  // the settings dialog's option: one click only selects
    notify(app_windows().list_main, NM_CLICK, rb);
    EXPECT_EQ(model.marks.states()[1], kStateUnselected);
    notify(app_windows().list_main, NM_DBLCLK, rb);
    app_windows().double_click_select = false;
    EXPECT_EQ(model.marks.states()[1], kStateCurrent);

    // Group colours by side and shade only while the list is sorted by group.
    auto draw_row = [&](int row, NMLVCUSTOMDRAW& cd) {
        cd = NMLVCUSTOMDRAW{};
        cd.nmcd.hdr.hwndFrom = app_windows().list_main;
        cd.nmcd.hdr.code = NM_CUSTOMDRAW;
        cd.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
        cd.nmcd.dwItemSpec = static_cast<DWORD_PTR>(row);
        cd.nmcd.hdc = GetDC(app_windows().list_main);
        cd.clrText = cd.clrTextBk = 0x123456;
        const LRESULT r = SendMessageW(app_windows().hwnd_main, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&cd));
        ReleaseDC(app_windows().list_main, cd.nmcd.hdc);
        return r;
    };
    bool seen[2][2] = {};
    for (int r = 0; r < static_cast<int>(n); ++r) {
        NMLVCUSTOMDRAW cd;
        EXPECT_EQ(draw_row(r, cd), CDRF_DODEFAULT);
        const ElementRec& e = model.elements[std::stoi(list_cell(app_windows().list_main, r, 10))];
        const bool top = e.side == kSideTop;
        const Settings& s = settings;
        const COLORREF text = top ? (e.shade ? s.group_color_top_text2 : s.group_color_top_text1)
                                  : (e.shade ? s.group_color_bottom_text2 : s.group_color_bottom_text1);
        const COLORREF back = top ? (e.shade ? s.group_color_top_back2 : s.group_color_top_back1)
                                  : (e.shade ? s.group_color_bottom_back2 : s.group_color_bottom_back1);
        EXPECT_EQ(cd.clrText, text) << r;
        EXPECT_EQ(cd.clrTextBk, back) << r;
        seen[top][e.shade != 0] = true;
    }
    EXPECT_TRUE(seen[1][0] && seen[1][1] && (seen[0][0] || seen[0][1]));

    // The count columns (Amount, Group, Index) sort by their numbers, ties by the Index.
    for (const int column : {8, 9, 10}) {
        notify(app_windows().list_main, LVN_COLUMNCLICK, -1, column);
        EXPECT_EQ(first_row_out_of_order(column, row_components()), -1) << column;
    }

    // A header click sorts by that column with the Index breaking ties, marks the header and
    // stores "Sort col" at once.
    notify(app_windows().list_main, LVN_COLUMNCLICK, -1, 2);
    EXPECT_EQ(settings.sort_col, 2u);
    EXPECT_EQ(store_.dword(L"Sort col"), 2u);
    EXPECT_EQ(first_row_out_of_order(2, row_components()), -1);
    HWND header = reinterpret_cast<HWND>(SendMessageW(app_windows().list_main, LVM_GETHEADER, 0, 0));
    for (int c = 0; c < 11; ++c) {
        HDITEMW item{};
        item.mask = HDI_FORMAT | HDI_IMAGE;
        SendMessageW(header, HDM_GETITEMW, c, reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ((item.fmt & HDF_IMAGE) != 0, c == 2) << c;
        if (c == 2) {
            EXPECT_EQ(item.iImage, 2);
        }
    }
    NMLVCUSTOMDRAW plain;
    draw_row(0, plain);
    EXPECT_EQ(plain.clrText, 0x123456u);
    EXPECT_EQ(plain.clrTextBk, 0x123456u);

    // The found list names the component by its model index even when names repeat.
    model.elements[2].name = model.elements[0].name;
    fill_found_list({2});
    ShowWindow(app_windows().hwnd_found, SW_SHOW);
    notify(app_windows().list_found, LVN_ITEMACTIVATE, 0);
    EXPECT_EQ(model.marks.states()[2], kStateCurrent);
    EXPECT_EQ(model.marks.states()[0], kStateSelected);
    EXPECT_EQ(model.marks.states()[1], kStateSelected);  // the current one before
    EXPECT_FALSE(IsWindowVisible(app_windows().hwnd_found));
    EXPECT_EQ(row_image(row_of(2)), 1);
}

TEST_F(LoadAndList, FailedLoadsReportClearTheOldBoardAndDropThePath) {
    load_through_combo(sample_board());
    const std::wstring counter_before = window_text(app_windows().static_counter);
    ASSERT_FALSE(list_rows(app_windows().list_main, 11).empty());

    // The old board goes with its rows and counter: nothing on screen that Save would refuse.
    const std::wstring missing = own_board(L"no-such-board.brd");
    load_through_combo(missing);
    EXPECT_EQ(port_.boxes, (Boxes{{Owner::none, L"_taccess File not found", L"Tindral Error", 0x2010}}));
    EXPECT_TRUE(list_rows(app_windows().list_main, 11).empty());
    EXPECT_NE(window_text(app_windows().static_counter), counter_before);
    EXPECT_EQ(window_text(app_windows().static_counter), placed_counter_text(model));
    EXPECT_EQ(model.board_loaded, 0u);
    EXPECT_EQ(SendMessageW(app_windows().combo_path, CB_GETCOUNT, 0, 0), 0);
    EXPECT_TRUE(app_session().settings.recent_paths[0].empty());
    EXPECT_EQ(window_text(app_windows().hwnd_main), L"Tindral V2.00.1      no-such-board.brd");

    const std::wstring text_file = temp_file_with("no board\r\n");
    port_.boxes.clear();
    load_through_combo(text_file);
    ASSERT_EQ(port_.boxes.size(), 1u);  // the tokeniser's own refusal
    EXPECT_TRUE(port_.boxes[0].text == text(TXT_ONLY_V6_V7) ||
                port_.boxes[0].text == text(TXT_NOT_EAGLE_FILE))
        << port_.boxes[0].text.c_str();
    EXPECT_EQ(SendMessageW(app_windows().combo_path, CB_GETCOUNT, 0, 0), 0);
    DeleteFileW(text_file.c_str());

    // Larger than any board: refused unread (the file is sparse), with a message of its own.
    const std::wstring huge = temp_file_with("<?xml version=\"1.0\"?>\r\n<eagle>\r\n");
    HANDLE f = CreateFileW(huge.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    LARGE_INTEGER end{};
    end.QuadPart = (LONGLONG{64} << 20) + 1;
    ASSERT_TRUE(SetFilePointerEx(f, end, nullptr, FILE_BEGIN) && SetEndOfFile(f));
    CloseHandle(f);
    port_.boxes.clear();
    load_through_combo(huge);
    EXPECT_EQ(port_.boxes, (Boxes{{Owner::main,
                                   L"The file is too large for an Eagle board (more than 64 MB).",
                                   L"Tindral Error", 0x2010}}));
    EXPECT_TRUE(list_rows(app_windows().list_main, 11).empty());
    EXPECT_EQ(SendMessageW(app_windows().combo_path, CB_GETCOUNT, 0, 0), 0);
    DeleteFileW(huge.c_str());

    // "C:\" and an empty combo box ask for a file before touching anything.
    port_.boxes.clear();
    load_through_combo(L"C:\\");
    click(app_windows().button_load);  // the combo box is empty now
    EXPECT_EQ(port_.boxes, Boxes(2, {Owner::main, L"Please specify file", L"Tindral Error", 0x42010}));
}

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

// Plain squares for the icons, a colour each (unmarked, marked, sort mark); the list owns them.
void give_plain_images(HWND list) {
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR24, 3, 0);
    for (COLORREF c : {kUnmarkedImage, kMarkedImage, RGB(0, 0, 200)}) {
        const std::vector<uint32_t> bits(16 * 16, GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c));
        HBITMAP bitmap = CreateBitmap(16, 16, 1, 32, bits.data());
        ImageList_Add(images, bitmap, nullptr);
        DeleteObject(bitmap);
    }
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
        show_main_on_top();
    }
};

TEST_F(MainListClicks, AClickedRowShowsItsMarkAndHighlightOnTheScreen) {
    HWND list = app_windows().list_main;
    load_painted(dir_.write("board.brd", synthetic_board(2000)).wstring());
    pump_for(100);
    ASSERT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 2000);
    const int per_page = static_cast<int>(SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0));
    ASSERT_GT(per_page, 6);

    // Before: no row highlighted, every row in its group's background.
    const auto back_of = [&](int row) {
        const ElementRec& e = model.elements[static_cast<size_t>(row_component(row))];
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
    EXPECT_EQ(model.marks.state(c2), kStateCurrent);
    EXPECT_NE(shot_of(nullptr, icon2).pixels, icon_before);
    EXPECT_EQ(shot_of(nullptr, row_rect(5, LVIR_ICON)).pixels, icon_before);
    EXPECT_GT(count_colour(cells_of(2), highlight), 100);
    EXPECT_EQ(count_colour(cells_of(3), highlight), 0);
    EXPECT_GT(count_colour(cells_of(3), back_of(3)), 100);
    EXPECT_EQ(list_cell(list, 2, 0), utf8_to_wide(model.elements[c2].name));

    // At the end of the list: the last row's cells are its part's, and a click there marks it
    // and moves the highlight; the row chosen first keeps its mark.
    const int last = 1999;
    SendMessageW(list, LVM_ENSUREVISIBLE, last, FALSE);
    UpdateWindow(list);
    pump_for(100);
    const uint32_t c_last = static_cast<uint32_t>(row_component(last));
    EXPECT_EQ(list_cell(list, last, 0), utf8_to_wide(model.elements[c_last].name));
    EXPECT_EQ(std::stoul(list_cell(list, last, 10)), c_last);
    const RECT icon_last = row_rect(last, LVIR_ICON);
    EXPECT_EQ(shot_of(nullptr, icon_last).pixels, icon_before);
    ASSERT_TRUE(left_click_at(centre_of(cells_of(last))));
    UpdateWindow(list);
    EXPECT_EQ(model.marks.state(c_last), kStateCurrent);
    EXPECT_EQ(model.marks.state(c2), kStateSelected);
    EXPECT_EQ(window_text(app_windows().static_counter), expected_counter(model.marks.states()));
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
    for (const auto& [top, bottom] : {std::pair{true, false}, {false, true}, {true, true}}) {
        SCOPED_TRACE(std::to_string(top) + std::to_string(bottom));
        switch_sides(top, bottom);
        pump_for(100);
        ASSERT_TRUE(IsWindowVisible(list));
        // the marked row highlighted where its side is shown
        const int chosen = selected_main_row();
        if (top && bottom) {
            ASSERT_GE(chosen, 0);
        }
        if (chosen >= 0) {
            EXPECT_GT(count_colour(cells_of(chosen), GetSysColor(COLOR_HIGHLIGHT)), 100);
        }
        const Shot shown = shot_of(nullptr, whole);
        RedrawWindow(list, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        pump_for(100);
        EXPECT_TRUE(shown.pixels == shot_of(nullptr, whole).pixels);
    }
}

using ListMarks = MarkingTest;

// After a selection load and side switches the one highlight is on a marked row, never a stale one.
TEST_F(ListMarks, SelectionLoadAndSideSwitchesKeepOneHighlightOnAMarkedRow) {
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
    for (const auto& [top, bottom] : {std::pair{true, false}, {false, true}, {true, true}}) {
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

class LoadSources : public AppWindowsTest {
protected:
    void SetUp() override {
        app_session().settings.show_bottom_side = 1;
        AppWindowsTest::SetUp();
        show_board_on_top();
    }
};

// The rows and the picture of the board packed in it (e6-both-sides.fbrd holds e6-both-sides.brd).
TEST_F(LoadSources, AnArchiveLoadsAndDrawsAsTheBoardInIt) {
    const wchar_t* const files[] = {L"e6-both-sides.brd", L"e6-both-sides.fbrd"};
    Rows rows[2];
    Shot pictures[2];
    for (int i = 0; i < 2; ++i) {
        ASSERT_NO_FATAL_FAILURE(load_painted(own_board(files[i]))) << i;
        rows[i] = list_rows(app_windows().list_main, 11);
        pictures[i] = shot_of(app_windows().hwnd_layout);
    }
    EXPECT_TRUE(port_.boxes.empty());
    ASSERT_GE(rows[0].size(), 4u);
    EXPECT_EQ(rows[1], rows[0]);
    EXPECT_GT(pictures[1].pixels.size() - pictures[1].count(0), 100u);
    EXPECT_EQ(pictures[1].pixels, pictures[0].pixels);
    EXPECT_NE(window_text(app_windows().hwnd_board).find(L"e6-both-sides.fbrd"), std::wstring::npos);
}

// A KiCad board: its parts listed as KiCad names them, each drawn inside the box kept for it.
TEST_F(LoadSources, AKiCadBoardListsAndDrawsItsParts) {
    load_painted(own_board(L"k5-small.kicad_pcb"));
    EXPECT_TRUE(port_.boxes.empty());
    const Rows rows = list_rows(app_windows().list_main, 11);
    ASSERT_EQ(rows.size(), 3u);
    std::vector<std::wstring> names;
    for (const auto& row : rows) names.push_back(row[0] + L" " + row[7]);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"C1 Bottom", L"R1 Top", L"R1 Top"}));
    RECT client{};
    GetClientRect(app_windows().hwnd_layout, &client);
    for (size_t e = 0; e < 2; ++e) {  // R1 and C1 have outlines; the second R1 has none
        const ElementBox& box = app_session().view.boxes[e];
        ASSERT_FALSE(box.empty()) << e;
        const RECT r{std::max<LONG>(box.min_x, 0), std::max<LONG>(client.bottom - box.max_y, 0),
                     std::min<LONG>(box.max_x + 1, client.right),
                     std::min<LONG>(client.bottom - box.min_y + 1, client.bottom)};
        const Shot shot = shot_of(app_windows().hwnd_layout, r);
        EXPECT_GT(static_cast<int>(shot.pixels.size()) - shot.count(0), 3) << e;
    }
}

// Shown, and on the screen: the control itself is under its own middle.
bool seen_on_screen(HWND hwnd) {
    return IsWindowVisible(hwnd) && WindowFromPoint(window_centre(hwnd)) == hwnd;
}

std::vector<std::wstring> column(const Rows& rows, size_t c) {
    std::vector<std::wstring> out;
    for (const auto& r : rows) out.push_back(r.at(c));
    return out;
}

// Pixels of the screen inside the window's rectangle dark enough to be text.
int dark_pixels(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    int n = 0;
    for (COLORREF c : shot_of(nullptr, r).pixels) n += GetRValue(c) + GetGValue(c) + GetBValue(c) < 200;
    return n;
}

using Texts = std::vector<std::wstring>;

class VariantChooser : public AppWindowsTest {
protected:
    VariantChooser() {
        places_.main = {0, 0, 1120, 600};
        places_.board = {1125, 0, 470, 500};
    }

    void SetUp() override {
        board_window_at_its_place();
        app_session().settings.show_bottom_side = 1;
        AppWindowsTest::SetUp();
        ShowWindow(app_windows().hwnd_main, SW_SHOW);
        ShowWindow(app_windows().hwnd_board, SW_SHOW);
        SetForegroundWindow(app_windows().hwnd_main);
        pump_for(200);
    }

    fs::path copy_own(const wchar_t* name) { return copy_board(name, own_board(name)); }

    // Opens the drop-down list with a click on the chooser and clicks the entry named name.
    bool pick_by_mouse(const std::wstring& name) {
        HWND combo = app_windows().combo_variant;
        SetForegroundWindow(app_windows().hwnd_main);
        pump_for(100);
        if (!left_click_at(window_centre(combo))) return false;
        pump_for(200);
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        if (!GetComboBoxInfo(combo, &info) || !IsWindowVisible(info.hwndList)) return false;
        const LRESULT item = SendMessageW(info.hwndList, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                          reinterpret_cast<LPARAM>(name.c_str()));
        RECT r{};
        if (item == LB_ERR || SendMessageW(info.hwndList, LB_GETITEMRECT, item, reinterpret_cast<LPARAM>(&r)) == LB_ERR)
            return false;
        if (!click_middle(info.hwndList, r)) return false;
        pump_for(300);
        return !IsWindowVisible(info.hwndList);
    }

    static Rows main_rows() { return list_rows(app_windows().list_main, 11); }
    static Rows bom_list_rows() { return list_rows(app_windows().list_bom, 4); }
};

TEST_F(VariantChooser, SwitchByMouseChangesRowsBomAndCounterAndKeepsMarks) {
    AppWindows& w = app_windows();
    const fs::path board = copy_own(L"v1-variants.brd");
    load_through_combo(board.wstring());
    ASSERT_EQ(model.board_loaded, 1u);
    pump_for(200);

    // On the screen, starting on the file's current variant.
    ASSERT_TRUE(seen_on_screen(w.combo_variant));
    EXPECT_TRUE(IsWindowVisible(w.static_variant));
    EXPECT_EQ(window_text(w.static_variant), L"Variant");
    UpdateWindow(w.hwnd_main);
    EXPECT_GT(dark_pixels(w.static_variant), 10);  // the label's letters on the screen
    EXPECT_EQ(window_text(w.combo_variant), L"proto");
    EXPECT_EQ(SendMessageW(w.combo_variant, CB_GETCOUNT, 0, 0), 3);
    // The list starts below the chooser's row.
    RECT list{}, combo{};
    GetWindowRect(w.list_main, &list);
    GetWindowRect(w.combo_variant, &combo);
    EXPECT_GE(list.top, combo.bottom);

    EXPECT_EQ(column(main_rows(), 0), (Texts{L"R1", L"C1", L"C2", L"U1"}));
    EXPECT_EQ(window_text(w.static_counter), L"  Placed: Total 0 of 4     TOP 0 of 3     BOTTOM 0 of 1");

    // Two parts placed, C1 (not fitted in lite) among them; the bill of materials open.
    choose(2);  // C1
    choose(0);  // R1: C1 becomes placed
    const std::vector<uint32_t> marks = model.marks.states();
    ASSERT_EQ(marks, (std::vector<uint32_t>{kStateCurrent, 0, kStateSelected, 0, 0}));
    click(w.button_bom);
    ASSERT_TRUE(IsWindowVisible(w.hwnd_bom));
    EXPECT_EQ(column(bom_list_rows(), 3), (Texts{L"1", L"2", L"1"}));

    ASSERT_TRUE(pick_by_mouse(L"lite"));
    EXPECT_EQ(model.chosen_variant, 1);
    EXPECT_EQ(window_text(w.combo_variant), L"lite");
    EXPECT_EQ(column(main_rows(), 0), (Texts{L"R1", L"R2", L"C2"}));
    EXPECT_EQ(window_text(w.static_counter), L"  Placed: Total 1 of 3     TOP 1 of 3     BOTTOM 0 of 0");
    const Rows bom = bom_list_rows();
    EXPECT_EQ(column(bom, 2), (Texts{L"10k", L"100nF"}));
    EXPECT_EQ(column(bom, 3), (Texts{L"2", L"1"}));
    EXPECT_EQ(model.marks.states(), marks);
    // R1 is still current: its row is highlighted with the mark.
    EXPECT_EQ(row_image(0), 1);

    ASSERT_TRUE(pick_by_mouse(L"full"));
    const Rows full = main_rows();
    EXPECT_EQ(column(full, 0), (Texts{L"R1", L"R2", L"C1", L"C2", L"U1"}));
    EXPECT_EQ(column(full, 3), (Texts{L"10k", L"10k", L"100nF", L"1uF", L"LM358"}));
    EXPECT_EQ(window_text(w.static_counter), L"  Placed: Total 2 of 5     TOP 2 of 4     BOTTOM 0 of 1");
    EXPECT_EQ(column(bom_list_rows(), 2), (Texts{L"10k", L"100nF", L"1uF", L"LM358"}));

    // Saved after the switches: one state per element of the file, as before them.
    menu(IDM_SAVE_SELECTION);
    std::wstring file;
    ASSERT_TRUE(make_selection_path(board.wstring(), file));
    EXPECT_EQ(TempFolder::read(file), encode_states(marks));
}

TEST_F(VariantChooser, NoChooserWithoutNamedVariants) {
    AppWindows& w = app_windows();
    load_through_combo(copy_own(L"v1-variants.brd").wstring());
    ASSERT_TRUE(seen_on_screen(w.combo_variant));
    // A board without variants after one with them: the chooser goes, R2's populate="no"
    // still keeps it out of the list.
    load_through_combo(copy_own(L"v2-no-variants.brd").wstring());
    ASSERT_EQ(app_session().board.board_loaded, 1u);
    pump_for(100);
    EXPECT_FALSE(IsWindowVisible(w.combo_variant));
    EXPECT_FALSE(IsWindowVisible(w.static_variant));
    EXPECT_NE(WindowFromPoint(window_centre(w.combo_variant)), w.combo_variant);
    UpdateWindow(w.hwnd_main);
    EXPECT_EQ(dark_pixels(w.static_variant), 0);  // nothing where the label was
    EXPECT_EQ(column(main_rows(), 0), (Texts{L"R1", L"C1"}));
    EXPECT_EQ(window_text(w.static_counter), L"  Placed: Total 0 of 2     TOP 0 of 2     BOTTOM 0 of 0");

    load_through_combo(sample_board());
    EXPECT_FALSE(IsWindowVisible(w.combo_variant));
    EXPECT_EQ(main_rows().size(), 19u);
}

}  // namespace
