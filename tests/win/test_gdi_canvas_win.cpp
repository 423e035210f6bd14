#include <gtest/gtest.h>

#include <windows.h>

#include "platform/win/gdi_canvas_win.h"
#include "shell/app_win.h"

namespace tindral::test {
namespace {

// A 100 x 100 memory bitmap on black, prepared like the drawing area.
class Surface {
public:
    Surface() {
        dc = CreateCompatibleDC(nullptr);
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = kSize;
        bi.bmiHeader.biHeight = -kSize;  // top-down rows
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
        old = SelectObject(dc, bitmap);
        PatBlt(dc, 0, 0, kSize, kSize, BLACKNESS);
        prepare_board_dc(dc, kSize, kSize);
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
                if (bits[(y + dy) * kSize + x + dx] & 0xFFFFFF) return true;
        return false;
    }

    static constexpr int kSize = 100;
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

}  // namespace
}  // namespace tindral::test
