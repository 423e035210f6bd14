// Load through the Load button plus the first full paint of the drawing area, for the largest
// real board and for a generated 10 000-element board (medians); a second pass times the load's
// steps one by one to show where the time goes.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "shell/board_paint_win.h"
#include "shell/layout_area_win.h"
#include "shell/main_list_win.h"
#include "shell/read_board_win.h"
#include "win/bench_figures_win.h"
#include "win/support/app_windows_win.h"
#include "support/synthetic_board.h"

using namespace tindral;

namespace {

constexpr int kGeneratedElements = 10000;
using bench::now_ms;

void print_figure(const char* label, const std::vector<double>& ms) { bench::figure(label, ms, 0); }

class LoadPaintTiming : public test::AppWindowsTest {
protected:
    void SetUp() override {
        test::AppWindowsTest::SetUp();
        app_session().settings.show_top_side = 1;
        app_session().settings.show_bottom_side = 1;
        ShowWindow(app_windows().hwnd_board, SW_SHOW);
        ShowWindow(app_windows().hwnd_main, SW_SHOW);
        generated_ = test::temp_file_with(test::synthetic_board(kGeneratedElements));
    }

    void TearDown() override {
        test::AppWindowsTest::TearDown();
        DeleteFileW(generated_.c_str());
    }

    // Load button plus the first full paint of the drawing area, as a user sees it.
    double load_and_paint(const std::wstring& path) {
        const double t0 = now_ms();
        test::load_through_combo(path);
        UpdateWindow(app_windows().hwnd_layout);
        const double t1 = now_ms();
        EXPECT_EQ(app_session().board.board_loaded, 1u);
        EXPECT_NE(area_picture_dc(), nullptr);
        return t1 - t0;
    }

    void time_board(const char* label, const std::wstring& path) {
        std::vector<double> ms;
        for (int i = 0; i < bench::runs(); ++i) ms.push_back(load_and_paint(path));
        ASSERT_TRUE(port_.boxes.empty());
        size_t drawn = 0;
        for (const ElementBox& b : app_session().view.boxes) drawn += !b.empty();
        EXPECT_GT(drawn, 0u);
        std::printf("%s elements %zu, drawn %zu\n", label, app_session().board.elements.size(),
                    drawn);
        print_figure(label, ms);
    }

    // The load's steps timed one by one, in the order the Load button runs them. The read ends
    // where the load could first ask about the file: a file read as the walk goes has been
    // walked by then, one tokenised whole is walked after it.
    void time_steps(const char* label, const std::wstring& path) {
        std::vector<double> read_ms, rest, list, sort, paint;
        for (int i = 0; i < bench::runs(); ++i) {
            double t_tokens = 0;
            const double t0 = now_ms();
            const ReadBoardOutcome read =
                read_board(path, app_session().board, [&] { t_tokens = now_ms(); });
            const double t1 = now_ms();
            ASSERT_EQ(read.result, 1);
            fit_layout_area(FitKind::load);
            const double t2 = now_ms();
            fill_component_list(true);
            update_placed_counter();
            const double t3 = now_ms();
            sort_component_list(static_cast<int>(app_session().settings.sort_col));
            const double t4 = now_ms();
            redraw_layout_area();
            const double t5 = now_ms();
            read_ms.push_back(t_tokens - t0);
            rest.push_back(t1 - t_tokens);
            list.push_back(t3 - t2);
            sort.push_back(t4 - t3);
            paint.push_back(t5 - t4);
        }
        const std::string l(label);
        print_figure((l + "-read").c_str(), read_ms);
        print_figure((l + "-walk-group").c_str(), rest);
        print_figure((l + "-list-fill").c_str(), list);
        print_figure((l + "-list-sort").c_str(), sort);
        print_figure((l + "-paint").c_str(), paint);
    }

    std::wstring generated_;
};

// The largest real board, when it is there, is the one earlier figures were measured on; the
// generated one alone does not show a real board's mix of packages and layers.
TEST_F(LoadPaintTiming, LoadAndFirstPaint) {
    if (!test::real_boards().dir.empty())
        time_board("largest-load-paint", test::real_board(L"adafruit-metro-rp2350-e9.brd"));
    time_board("generated-load-paint", generated_);
    EXPECT_EQ(app_session().board.elements.size(), static_cast<size_t>(kGeneratedElements));
}

TEST_F(LoadPaintTiming, LoadSteps) {
    if (!test::real_boards().dir.empty())
        time_steps("largest", test::real_board(L"adafruit-metro-rp2350-e9.brd"));
    time_steps("generated", generated_);
}

}  // namespace
