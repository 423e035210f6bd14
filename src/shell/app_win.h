#pragma once
// The running program: its windows (and what they draw with) and the session they show. winmain
// makes one; a window test makes its own.

#include "model/session.h"
#include "shell/app_windows_win.h"
#include "text/lang.h"

namespace tindral {

// While it lives, the App is the one app_windows() and app_session() answer for, and its
// settings choose the language of the texts; the one before comes back when it ends, so a
// test's App nests inside another.
class App {
public:
    App();
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    AppWindows windows;
    Session session;

private:
    App* previous_;
    // The texts speak the language of this session's settings; the previous source comes back.
    LanguageSource language_{&session.settings.language};
};

// The windows of the App alive last; the keyboard hook, the window procedures and the commands
// behind them find them here. There must be an App.
AppWindows& app_windows();
// The session of the App alive last. There must be an App.
Session& app_session();

}  // namespace tindral
