// Boards through the Load button from other sources than a plain board file.

#include <algorithm>
#include <string>
#include <vector>

#include "support/board_folders.h"
#include "win/support/app_windows_win.h"
#include "win/support/real_input_win.h"

using namespace tindral;

namespace {

using LoadSources = test::AppWindowsTest;

// The drawing area as the screen shows it, every second pixel each way.
std::vector<COLORREF> area_on_screen() {
    HWND area = app_windows().hwnd_layout;
    RECT r{};
    GetClientRect(area, &r);
    HDC dc = GetDC(area);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < r.bottom; y += 2)
        for (int x = 0; x < r.right; x += 2) pixels.push_back(GetPixel(dc, x, y));
    ReleaseDC(area, dc);
    return pixels;
}

// The same rows, and the same picture on the screen, as the board packed in it
// (tests/boards/e6-both-sides.fbrd holds e6-both-sides.brd in a folder).
TEST_F(LoadSources, AnArchiveLoadsAndDrawsAsTheBoardInIt) {
    show_board_on_top();
    app_session().settings.show_bottom_side = 1;
    const wchar_t* const files[] = {L"e6-both-sides.brd", L"e6-both-sides.fbrd"};
    test::Rows rows[2];
    std::vector<COLORREF> pictures[2];
    for (int i = 0; i < 2; ++i) {
        test::load_through_combo(test::own_board(files[i]));
        ASSERT_EQ(app_session().board.board_loaded, 1u) << i;
        UpdateWindow(app_windows().hwnd_layout);
        test::pump_for(100);
        rows[i] = test::list_rows(app_windows().list_main, 11);
        pictures[i] = area_on_screen();
    }
    EXPECT_TRUE(port_.boxes.empty());
    ASSERT_GE(rows[0].size(), 4u);
    EXPECT_EQ(rows[1], rows[0]);
    size_t drawn = 0;
    for (COLORREF c : pictures[1]) drawn += c != 0 && c != CLR_INVALID;
    EXPECT_GT(drawn, 100u);
    EXPECT_EQ(pictures[1], pictures[0]);
    EXPECT_NE(test::window_text(app_windows().hwnd_board).find(L"e6-both-sides.fbrd"), std::wstring::npos);
}

// A KiCad board: its parts in the list as KiCad names them, each drawn on the screen inside the
// box the program keeps for it.
TEST_F(LoadSources, AKiCadBoardListsAndDrawsItsParts) {
    show_board_on_top();
    app_session().settings.show_bottom_side = 1;
    test::load_through_combo(test::own_board(L"k5-small.kicad_pcb"));
    ASSERT_EQ(app_session().board.board_loaded, 1u);
    UpdateWindow(app_windows().hwnd_layout);
    test::pump_for(100);
    EXPECT_TRUE(port_.boxes.empty());
    const test::Rows rows = test::list_rows(app_windows().list_main, 11);
    ASSERT_EQ(rows.size(), 3u);
    std::vector<std::wstring> names;
    for (const auto& row : rows) names.push_back(row[0] + L" " + row[7]);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"C1 Bottom", L"R1 Top", L"R1 Top"}));
    HWND area = app_windows().hwnd_layout;
    RECT client{};
    GetClientRect(area, &client);
    HDC dc = GetDC(area);
    for (size_t e = 0; e < 2; ++e) {  // R1 and C1 have outlines; the second R1 has none
        const ElementBox& box = app_session().view.boxes[e];
        ASSERT_FALSE(box.empty()) << e;
        int lit = 0;
        for (long x = std::max<long>(box.min_x, 0); x <= box.max_x; ++x)
            for (long y = std::max<long>(client.bottom - box.max_y, 0); y <= client.bottom - box.min_y; ++y)
                lit += GetPixel(dc, static_cast<int>(x), static_cast<int>(y)) != 0;
        EXPECT_GT(lit, 3) << e;
    }
    ReleaseDC(area, dc);
}

}  // namespace
