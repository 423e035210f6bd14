// Drawing speed of the largest shared board: one full paint (plain section and every element,
// with the element box table) onto a canvas that only counts the calls.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "board/board_file.h"
#include "board/load_board.h"
#include "settings/settings.h"
#include "support/synthetic_board.h"
#include "view/board_view.h"
#include "view/draw_board.h"

namespace tindral {
namespace {

class CountingCanvas : public Canvas {
public:
    Pen select_pen(const Pen& pen) override {
        const Pen previous = pen_;
        pen_ = pen;
        return previous;
    }
    void move_to(int32_t x, int32_t y) override { sum += x + y; }
    void line_to(int32_t x, int32_t y) override {
        sum += x + y;
        ++calls;
    }
    void ellipse(int32_t l, int32_t t, int32_t r, int32_t b) override {
        sum += l + t + r + b;
        ++calls;
    }
    void filled_ellipse(int32_t l, int32_t t, int32_t r, int32_t b) override {
        sum += l + t + r + b;
        ++calls;
    }
    void arc(int32_t l, int32_t t, int32_t r, int32_t b, int32_t, int32_t, int32_t, int32_t) override {
        sum += l + t + r + b;
        ++calls;
    }
    void text_out(int32_t, int32_t, const std::wstring&) override { ++calls; }

    int64_t calls = 0;
    int64_t sum = 0;

private:
    Pen pen_;
};

BoardModel board_from(const std::string& bytes) {
    LoadOptions options;
    options.open_reader = &open_platform_xml_reader;
    AnswerYes asker;
    LoadResult loaded = load_board(bytes, options, asker);
    if (loaded.status.code != LoadCode::ok) std::fprintf(stderr, "the board could not be read\n");
    return std::move(loaded.board);
}

const BoardModel& generated_board() {
    static const BoardModel board = board_from(test::synthetic_board(50000));
    return board;
}

const BoardModel& metro_board() {
    static const BoardModel board = [] {
        std::string bytes;
        read_whole_file(std::wstring(TINDRAL_BOARDS_DIR) + L"/adafruit-metro-rp2350-e9.brd", bytes);
        return board_from(bytes);
    }();
    return board;
}

void render_board(benchmark::State& state, bool both_sides, bool pads = true,
                  const BoardModel& b = metro_board()) {
    Settings s = kDefaultSettings;
    s.show_bottom_side = both_sides ? 1 : 0;
    s.show_pads = pads ? 1 : 0;
    BoardView v;
    v.area_width = 1600;
    v.area_height = 1000;
    fit_view(v, b, 1600, 1000, FitKind::load);
    int64_t calls = 0;
    for (auto _ : state) {
        CountingCanvas c;
        draw_plain(c, b, v, s);
        draw_elements(c, b, v, s);
        benchmark::DoNotOptimize(c.sum);
        calls = c.calls;
    }
    state.counters["draw_calls"] = static_cast<double>(calls);
    state.counters["elements"] = static_cast<double>(b.elements.size());
}

void BM_RenderMetroTop(benchmark::State& state) { render_board(state, false); }
void BM_RenderMetroBothSides(benchmark::State& state) { render_board(state, true); }
void BM_RenderMetroBothSidesNoPads(benchmark::State& state) { render_board(state, true, false); }
// The drawing code's own share of a paint at 50 000 parts, without any GDI call.
void BM_RenderGeneratedBothSides(benchmark::State& state) {
    render_board(state, true, true, generated_board());
}

BENCHMARK(BM_RenderMetroTop)->Unit(benchmark::kMicrosecond)->Repetitions(15)->ReportAggregatesOnly(true);
BENCHMARK(BM_RenderMetroBothSides)->Unit(benchmark::kMicrosecond)->Repetitions(15)->ReportAggregatesOnly(true);
BENCHMARK(BM_RenderMetroBothSidesNoPads)->Unit(benchmark::kMicrosecond)->Repetitions(15)->ReportAggregatesOnly(true);
BENCHMARK(BM_RenderGeneratedBothSides)->Unit(benchmark::kMicrosecond)->Repetitions(7)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace tindral

BENCHMARK_MAIN();
