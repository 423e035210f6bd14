// The whole-area repaints a middle-button drag causes on the largest real board (each mouse move
// redraws the area) and the wheel's zoom steps, as medians against a frame's 16 ms.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "win/bench_figures_win.h"
#include "win/support/app_windows_win.h"

using namespace tindral;

namespace {

class Repaint : public test::AppWindowsTest {
protected:
    Repaint() {
        places_.main = {0, 0, 900, 600};
        places_.board = {0, 0, 900, 700};
    }

    void SetUp() override {
        app_session().settings.show_top_side = 1;
        app_session().settings.show_bottom_side = 1;
        AppWindowsTest::SetUp();
        show_board_on_top();
    }

    static void mouse(UINT msg, int x, int y, WPARAM keys = 0) {
        SendMessageW(app_windows().hwnd_layout, msg, keys, MAKELPARAM(x, y));
    }
};

TEST_F(Repaint, PanningTheLargestBoard) {
    TINDRAL_NEED_REAL_BOARDS();
    test::load_through_combo(test::real_board(L"adafruit-metro-rp2350-e9.brd"));
    ASSERT_EQ(app_session().board.board_loaded, 1u);
    UpdateWindow(app_windows().hwnd_layout);
    std::vector<double> ms;
    mouse(WM_MBUTTONDOWN, 300, 300, MK_MBUTTON);
    for (int i = 0; i < 3 * bench::runs(); ++i)
        ms.push_back(bench::timed([&] { mouse(WM_MOUSEMOVE, 300 + i % 7, 300 - i % 5, MK_MBUTTON); }));
    mouse(WM_MBUTTONUP, 300, 300);
    size_t drawn = 0;
    for (const ElementBox& b : app_session().view.boxes) drawn += !b.empty();
    ASSERT_GT(drawn, 0u);
    bench::figure("repaint while panning the largest real board", ms, 16);

    // The wheel zooms in and out again about the same point, one repaint each.
    std::vector<double> zoom;
    for (int i = 0; i < 3 * bench::runs(); ++i) {
        const short delta = i % 2 == 0 ? WHEEL_DELTA : -WHEEL_DELTA;
        zoom.push_back(bench::timed([&] {
            SendMessageW(app_windows().hwnd_board, WM_MOUSEWHEEL, MAKEWPARAM(0, delta),
                         MAKELPARAM(300, 300));
            UpdateWindow(app_windows().hwnd_layout);
        }));
    }
    bench::figure("repaint while zooming the largest real board", zoom, 16);
}

// Pads on and off in turns, repaint after repaint, so that both see the same machine: the pads'
// share of a repaint as the median of the paired ratios.
TEST_F(Repaint, PadsOnAndOffOnTheLargestBoard) {
    TINDRAL_NEED_REAL_BOARDS();
    test::load_through_combo(test::real_board(L"adafruit-metro-rp2350-e9.brd"));
    ASSERT_EQ(app_session().board.board_loaded, 1u);
    UpdateWindow(app_windows().hwnd_layout);
    const auto repaint = [] {
        InvalidateRect(app_windows().hwnd_layout, nullptr, FALSE);
        UpdateWindow(app_windows().hwnd_layout);
    };
    std::vector<double> on, off, ratio;
    for (int i = 0; i < 3 * bench::runs(); ++i) {
        app_session().settings.show_pads = 1;
        const double a = bench::timed(repaint);
        app_session().settings.show_pads = 0;
        const double b = bench::timed(repaint);
        on.push_back(a);
        off.push_back(b);
        ratio.push_back(b > 0 ? a / b : 0);
    }
    app_session().settings.show_pads = 1;
    bench::figure("repaint of the largest real board, pads on", on, 16);
    bench::figure("repaint of the largest real board, pads off", off, 16);
    std::printf("figure: repaint pads on over pads off, median ratio %.3f of %zu interleaved pairs, no target\n",
                bench::median(ratio), ratio.size());
    std::fflush(stdout);
}

}  // namespace
