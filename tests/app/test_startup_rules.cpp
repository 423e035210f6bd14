#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "settings/startup_rules.h"
#include "support/language_guard.h"

namespace tindral {
namespace {

TEST(FirstStart, LanguageFollowsKeyboardLayoutOnlyOnTheFirstStart) {
    struct Case {
        uint32_t first_start;
        uint64_t layout;
        uint32_t before, after;  // the language
    };
    const Case cases[] = {
        {1, 0x04070407, 7, 0},             // German keyboard
        {1, 0x04090409, 7, 1},             // US English
        {1, 0x08070807, 7, 1},             // Swiss German is not the German layout
        {1, 0x00000407, 7, 1},             // language id without the device part
        {1, 0xFFFFFFFFF0020407ull, 7, 1},  // a sign-extended 64-bit handle
        {1, 0x0000000104070407ull, 7, 1},  // only an exact match counts
        {42, 0x04070407, 1, 0},            // any nonzero flag is a first start
        {0, 0x04070407, 1, 1},             // later starts keep the stored language
        {0, 0x04090409, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "flag " << c.first_start << std::hex << " " << c.layout);
        Settings s;
        s.first_start = c.first_start;
        s.language = c.before;
        EXPECT_EQ(apply_first_start(s, c.layout), c.first_start != 0);
        EXPECT_EQ(s.first_start, 0u);
        EXPECT_EQ(s.language, c.after);
    }
}

uint32_t stored(int v) { return static_cast<uint32_t>(v); }

// Left, top, width and height, compared at once.
using Rect = std::array<int, 4>;
Rect rect_of(const WindowRect& r) { return {r.x, r.y, r.width, r.height}; }
Rect stored_rect(const Settings& s, TopWindow w) { return rect_of(stored_window_rect(s, w)); }
Rect initial_rect(const Settings& s, TopWindow w) { return rect_of(initial_window_rect(s, w)); }

// One 1600 x 1000 screen.
ScreenArea one_screen(const WindowRect&) { return {0, 0, 1600, 1000}; }

TEST(WindowRects, AllFourRectanglesAreClampedOntoTheScreen) {
    Settings s;
    s.wnd_main_x = stored(-20);
    s.wnd_main_y = stored(-32000);  // left by a window minimised at exit
    s.wnd_main_width = 150;
    s.wnd_main_height = 99;
    s.wnd_board_x = stored(-1);
    s.wnd_board_y = stored(-5);
    s.wnd_board_width = 199;
    s.wnd_board_height = stored(-160);
    s.wnd_found_x = stored(-32000);
    s.wnd_found_y = stored(-32000);
    s.wnd_found_width = 160;
    s.wnd_found_height = 28;
    s.wnd_bom_x = 1500;  // mostly right of the screen
    s.wnd_bom_y = 990;
    clamp_window_rects(s, one_screen);

    EXPECT_EQ(stored_rect(s, TopWindow::main), (Rect{0, 0, 1100, 768}));
    EXPECT_EQ(stored_rect(s, TopWindow::board), (Rect{0, 0, 984, 728}));
    EXPECT_EQ(stored_rect(s, TopWindow::found), (Rect{0, 0, 650, 300}));
    EXPECT_EQ(stored_rect(s, TopWindow::bom), (Rect{950, 700, 650, 300}));

    // Values at the limits and rectangles already on the screen stay.
    s.wnd_main_y = 1;
    s.wnd_main_width = s.wnd_board_width = s.wnd_found_width = 200;
    s.wnd_main_height = s.wnd_board_height = s.wnd_found_height = 100;
    s.wnd_board_x = 1400;
    s.wnd_found_x = 1400;
    s.wnd_found_y = 900;
    clamp_window_rects(s, one_screen);
    EXPECT_EQ(stored_rect(s, TopWindow::main), (Rect{0, 1, 200, 100}));
    EXPECT_EQ(stored_rect(s, TopWindow::board), (Rect{1400, 0, 200, 100}));
    EXPECT_EQ(stored_rect(s, TopWindow::found), (Rect{1400, 900, 200, 100}));

    // A window larger than the screen is shrunk to it.
    s.wnd_board_width = 2000;
    s.wnd_board_height = 1200;
    clamp_window_rects(s, one_screen);
    EXPECT_EQ(stored_rect(s, TopWindow::board), (Rect{0, 0, 1600, 1000}));
}

TEST(WindowRects, EachWindowStaysOnTheMonitorItIsNearest) {
    // A second monitor left of the primary one, with a task bar along its bottom.
    const auto two_monitors = [](const WindowRect& r) {
        return r.x < 0 ? ScreenArea{-1280, 0, 0, 984} : ScreenArea{0, 0, 1600, 1000};
    };
    Settings s;
    record_window_rect(s, TopWindow::found, -700, 800, -50, 1100);
    record_window_rect(s, TopWindow::bom, 100, 100, 750, 400);
    clamp_window_rects(s, two_monitors);
    EXPECT_EQ(stored_rect(s, TopWindow::found), (Rect{-700, 684, 650, 300}));
    EXPECT_EQ(stored_rect(s, TopWindow::bom), (Rect{100, 100, 650, 300}));

    // Without a usable work area nothing is moved.
    EXPECT_EQ(fit_onto_screen({-32000, -32000, 160, 28}, {0, 0, 0, 0}).x, -32000);
}

TEST(WindowRects, RememberWindowPosChoosesStoredOrDefault) {
    Settings s;
    record_window_rect(s, TopWindow::main, 40, 50, 940, 650);
    record_window_rect(s, TopWindow::board, -8, -8, 1032, 808);  // maximised board window
    record_window_rect(s, TopWindow::found, 100, 110, 500, 310);
    record_window_rect(s, TopWindow::bom, 200, 210, 900, 610);

    // Each window has its own four values.
    s.remember_window_pos = 1;
    EXPECT_EQ(initial_rect(s, TopWindow::main), (Rect{40, 50, 900, 600}));
    EXPECT_EQ(initial_rect(s, TopWindow::board), (Rect{-8, -8, 1040, 816}));
    EXPECT_EQ(initial_rect(s, TopWindow::found), (Rect{100, 110, 400, 200}));
    EXPECT_EQ(initial_rect(s, TopWindow::bom), (Rect{200, 210, 700, 400}));

    s.remember_window_pos = 0;
    EXPECT_EQ(initial_rect(s, TopWindow::main), (Rect{10, 100, 1100, 768}));
    EXPECT_EQ(initial_rect(s, TopWindow::board), (Rect{300, 5, 984, 728}));
    EXPECT_EQ(initial_rect(s, TopWindow::found), (Rect{5, 5, 650, 300}));
    EXPECT_EQ(initial_rect(s, TopWindow::bom), (Rect{5, 5, 650, 300}));
    // The stored values are not touched by the choice.
    EXPECT_EQ(stored_rect(s, TopWindow::main), (Rect{40, 50, 900, 600}));
}

TEST(Toolbar, SideButtonsShowTheSideSettings) {
    for (uint32_t top : {0u, 1u}) {
        for (uint32_t bottom : {0u, 1u}) {
            Settings s;
            s.show_top_side = top;
            s.show_bottom_side = bottom;
            const auto b = toolbar_buttons(s);
            std::vector<int> bitmaps;
            for (const auto& button : b) bitmaps.push_back(button.bitmap);
            // The other buttons never change with the sides.
            EXPECT_EQ(bitmaps,
                      (std::vector<int>{top ? 133 : 134, bottom ? 131 : 132, 138, 137, 136, 135, 139, 3001}));
        }
    }
    // A side setting other than 1 still means shown.
    Settings s;
    s.show_top_side = 5;
    EXPECT_EQ(toolbar_buttons(s)[0].bitmap, 133);

    const auto b = toolbar_buttons(s);
    for (size_t i = 0; i + 1 < b.size(); ++i) EXPECT_EQ(b[i].command, 32776 + i);
    EXPECT_EQ(b[7].command, 3002);
    EXPECT_STREQ(text(b[0].label), L"Top");
    EXPECT_STREQ(text(b[6].label), L"Bring to front");
    EXPECT_STREQ(text(b[7].label), L"Placed + next");
}

TEST(BoardTitle, NamesTheProgramAndTheMissingBoardInTheLanguage) {
    {
        test::TextLanguage english(1);
        EXPECT_EQ(board_title_no_board(), L"Tindral V2.00.1       No board loaded");
    }
    {
        test::TextLanguage german(0);
        EXPECT_EQ(board_title_no_board(), L"Tindral V2.00.1       Kein Board geladen");
    }
}

}  // namespace
}  // namespace tindral
