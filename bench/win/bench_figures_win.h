#pragma once
// The clock and the figure lines of the Windows benchmark: every figure is the median of its
// runs, printed with its target and whether it is met.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace tindral::bench {

inline double now_ms() {
    LARGE_INTEGER freq, t;
    QueryPerformanceFrequency(&freq);
    QueryPerformanceCounter(&t);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

// How often each step runs: 7 unless TINDRAL_BENCH_RUNS says otherwise (1 for a quick check
// run whose figures are not medians worth quoting).
inline int runs() {
    const char* env = std::getenv("TINDRAL_BENCH_RUNS");
    const int n = env ? std::atoi(env) : 7;
    return n < 1 ? 1 : n;
}

inline double median(std::vector<double> ms) {
    if (ms.empty()) return 0;
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

// "figure: NAME, MEDIAN ms (of N runs, min .., max ..), target T ms, met" -- target 0 for a
// figure shown for information only.
inline void figure(const std::string& name, const std::vector<double>& ms, double target_ms) {
    if (ms.empty()) return;
    const double m = median(ms);
    const auto [lo, hi] = std::minmax_element(ms.begin(), ms.end());
    std::printf("figure: %s, %.2f ms (of %zu runs, min %.2f, max %.2f)", name.c_str(), m, ms.size(),
                *lo, *hi);
    if (target_ms > 0)
        std::printf(", target %.0f ms, %s\n", target_ms, m <= target_ms ? "met" : "NOT met");
    else
        std::printf(", no target\n");
    std::fflush(stdout);
}

// Runs step and returns its time.
template <typename F>
double timed(F&& step) {
    const double t0 = now_ms();
    step();
    return now_ms() - t0;
}

}  // namespace tindral::bench
