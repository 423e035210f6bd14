#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "board/board_file.h"
#include "board/load_board.h"
#include "platform/win/gdi_canvas_win.h"
#include "shell/app_win.h"
#include "support/board_folders.h"
#include "support/synthetic_board.h"
#include "view/board_view.h"
#include "view/draw_board.h"

namespace tindral::test {
namespace {

// A memory bitmap on black (100 x 100 unless sized), prepared like the drawing area.
class Surface {
public:
    explicit Surface(int w = kSize, int h = kSize) : width(w), height(h) {
        dc = CreateCompatibleDC(nullptr);
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;  // top-down rows
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
        old = SelectObject(dc, bitmap);
        PatBlt(dc, 0, 0, w, h, BLACKNESS);
        prepare_board_dc(dc, w, h);
    }
    ~Surface() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    // Anything drawn within a pixel of device pixel (x, y), y downwards.
    bool lit_near(int x, int y) const {
        GdiFlush();
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (bits[(y + dy) * width + x + dx] & 0xFFFFFF) return true;
        return false;
    }
    // The colour of device pixel (x, y), y downwards.
    uint32_t at(int x, int y) const {
        GdiFlush();
        return bits[y * width + x] & 0xFFFFFF;
    }
    std::vector<uint32_t> pixels() const {
        GdiFlush();
        return {bits, bits + static_cast<size_t>(width) * height};
    }

    static constexpr int kSize = 100;
    int width, height;
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    uint32_t* bits = nullptr;
};

// An App of the test's own: without start-up pens, the canvas makes its own.
class GdiCanvasTest : public ::testing::Test {
protected:
    App app_;
};

TEST_F(GdiCanvasTest, LogicalYGrowsUpwardsAndArcsRunCounterClockwise) {
    Surface s;
    {
        GdiCanvas c(s.dc);
        c.select_pen({PenRole::top_current, 0x0000FF});
        c.move_to(10, 10);
        c.line_to(40, 10);
        // quarter circle about (50,50), radius 20, from 3 o'clock to 12 o'clock
        c.arc(30, 30, 70, 70, 70, 50, 50, 70);
        c.ellipse(80, 80, 90, 90);
    }
    // logical y 10 is device row 90
    EXPECT_TRUE(s.lit_near(20, 90));
    EXPECT_FALSE(s.lit_near(20, 10));
    // the arc passes the upper right (on the screen) of its centre, not the lower left
    EXPECT_TRUE(s.lit_near(50 + 14, 50 - 14));
    EXPECT_FALSE(s.lit_near(50 - 14, 50 + 14));
    EXPECT_FALSE(s.lit_near(50 + 14, 50 + 14));
    // outline only: the ellipse's middle stays dark
    EXPECT_TRUE(s.lit_near(85, 100 - 81));
    EXPECT_FALSE(s.lit_near(85, 100 - 85));
}

// The previous pen comes back from each selection, the device context gets its own pen back, and
// the pens the canvas made (one per colour) are gone with it.
TEST_F(GdiCanvasTest, SelectPenReturnsThePreviousAndThePensItMadeGoWithIt) {
    Surface s;
    const HGDIOBJ before = GetCurrentObject(s.dc, OBJ_PEN);
    HGDIOBJ made[2] = {};
    {
        GdiCanvas c(s.dc);
        EXPECT_EQ(c.select_pen({PenRole::grey, 0x505050}).role, PenRole::none);
        const Pen grey = c.select_pen({PenRole::bottom_selected, 0x00FA00});
        EXPECT_EQ(grey, (Pen{PenRole::grey, 0x505050}));
        EXPECT_NE(GetCurrentObject(s.dc, OBJ_PEN), before);
        c.select_pen({PenRole::none, 0});
        EXPECT_EQ(GetCurrentObject(s.dc, OBJ_PEN), before);

        c.select_pen({PenRole::top_unselected, 0x00FF00});
        made[0] = GetCurrentObject(s.dc, OBJ_PEN);
        c.select_pen({PenRole::bottom_unselected, 0xFF0000});
        made[1] = GetCurrentObject(s.dc, OBJ_PEN);
        c.select_pen({PenRole::top_selected, 0x00FF00});  // same colour: the first pen again
        EXPECT_EQ(GetCurrentObject(s.dc, OBJ_PEN), made[0]);
        for (HGDIOBJ pen : made) EXPECT_EQ(GetObjectType(pen), static_cast<DWORD>(OBJ_PEN));
    }
    EXPECT_EQ(GetCurrentObject(s.dc, OBJ_PEN), before);
    for (HGDIOBJ pen : made) EXPECT_EQ(GetObjectType(pen), 0u);
}

// Pixel values are 0x00RRGGBB, pen colours 0x00BBGGRR.
uint32_t pixel_of(uint32_t colour) {
    return (colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF);
}

// Gathered lines are drawn in their own pen when the pen changes and when the canvas ends, a
// line after the change still starts where the last one ended, and the device context is left
// where the line calls would have left it.
TEST_F(GdiCanvasTest, GatheredLinesKeepTheirPenAndReachTheSurface) {
    Surface s;
    {
        GdiCanvas c(s.dc, CanvasLines::gathered);
        c.select_pen({PenRole::top_current, 0x0000FF});
        c.move_to(10, 10);
        c.line_to(40, 10);
        c.line_to(40, 10);  // nothing to draw
        c.select_pen({PenRole::bottom_current, 0x00FF00});
        c.line_to(40, 40);
        c.select_pen({PenRole::top_current, 0x0000FF});
        c.ellipse(60, 60, 70, 70);  // a shape between lines of one pen
        c.move_to(60, 10);
        c.line_to(90, 10);
    }
    EXPECT_EQ(s.at(25, 90), pixel_of(0x0000FF));
    EXPECT_EQ(s.at(40, 75), pixel_of(0x00FF00));
    EXPECT_EQ(s.at(75, 90), pixel_of(0x0000FF));
    EXPECT_TRUE(s.lit_near(65, 100 - 61));
    POINT at{};
    GetCurrentPositionEx(s.dc, &at);
    EXPECT_EQ(at.x, 90);
    EXPECT_EQ(at.y, 10);
}

BoardModel board_of(const std::string& bytes) {
    LoadOptions options;
    options.open_reader = &open_platform_xml_reader;
    AnswerYes asker;
    LoadResult loaded = load_board(bytes, options, asker);
    EXPECT_EQ(loaded.status.code, LoadCode::ok);
    return std::move(loaded.board);
}

// The drawing area's canvas gathers lines into few calls; the picture must not change by a
// pixel. Boards with pads of every shape, drills and pin-one dots, parts on both sides, marked
// and current parts, fitted and zoomed in, every side choice.
TEST_F(GdiCanvasTest, GatheredLinesLightTheSamePixelsAsOneCallEach) {
    std::vector<std::pair<std::string, std::string>> boards{{"generated", synthetic_board(3000)}};
    for (const wchar_t* own : {L"p1-pads.brd", L"e7-odd-angles.brd", L"e6-both-sides.brd"}) {
        std::string bytes;
        ASSERT_EQ(read_whole_file(own_board(own), bytes).status, FileReadStatus::ok);
        boards.emplace_back(std::string(own, own + wcslen(own)), bytes);
    }
    constexpr int w = 400, h = 300;
    for (const auto& [name, bytes] : boards) {
        BoardModel b = board_of(bytes);
        ASSERT_EQ(b.board_loaded, 1u) << name;
        std::vector<uint32_t> states(b.elements.size(), kStateUnselected);
        for (size_t i = 0; i < states.size(); i += 3) states[i] = kStateSelected;
        states[states.size() / 2] = kStateCurrent;
        b.marks.assign(states);
        for (const double zoom : {1.0, 2.5}) {
            for (const auto& [top, bottom] : {std::pair{1, 1}, {1, 0}, {0, 1}}) {
                SCOPED_TRACE(name + " zoom " + std::to_string(zoom) + " sides " +
                             std::to_string(top) + std::to_string(bottom));
                Settings settings = kDefaultSettings;
                settings.show_top_side = top;
                settings.show_bottom_side = bottom;
                settings.set_layer_enabled(39, true);  // the keepout polygons as well
                BoardView view;
                view.area_width = w;
                view.area_height = h;
                view.bottom_only = bottom_only_view(settings);
                fit_view(view, b, w, h, FitKind::load);
                if (zoom != 1) zoom_view(view, b, zoom);
                Surface each(w, h), gathered(w, h);
                {
                    GdiCanvas c(each.dc);
                    paint_board(c, b, view, settings);
                }
                // The context's own pen stands in for the canvas's: it leaves with its colour.
                SetDCPenColor(gathered.dc, 0x123456);
                const HGDIOBJ pen_before = GetCurrentObject(gathered.dc, OBJ_PEN);
                {
                    GdiCanvas c(gathered.dc, CanvasLines::gathered);
                    paint_board(c, b, view, settings);
                }
                EXPECT_EQ(GetDCPenColor(gathered.dc), 0x123456u);
                EXPECT_EQ(GetCurrentObject(gathered.dc, OBJ_PEN), pen_before);
                const std::vector<uint32_t> want = each.pixels();
                const std::vector<uint32_t> got = gathered.pixels();
                const auto lit = [](uint32_t p) { return p != 0; };
                EXPECT_GT(std::count_if(want.begin(), want.end(), lit), 0);
                size_t differ = 0;
                for (size_t i = 0; i < want.size(); ++i) differ += want[i] != got[i];
                EXPECT_EQ(differ, 0u);
            }
        }
    }
}

}  // namespace
}  // namespace tindral::test
