#include "shell/app_win.h"

#include <cstdio>
#include <cstdlib>

namespace tindral {

namespace {

App* g_current = nullptr;

App& current_app() {
    // Every entry point makes its App first; a window message without one is a programming error.
    if (!g_current) {
        std::fputs("tindral: windows used without an App\n", stderr);
        std::abort();
    }
    return *g_current;
}

}  // namespace

App::App() : previous_(g_current) { g_current = this; }

App::~App() { g_current = previous_; }

AppWindows& app_windows() { return current_app().windows; }

Session& app_session() { return current_app().session; }

}  // namespace tindral
