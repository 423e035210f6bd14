#include "shell/find_box_win.h"

#include <string>
#include <vector>

#include "lists/find_filter.h"
#include "shell/app_win.h"
#include "shell/board_commands_win.h"
#include "shell/main_list_win.h"

namespace tindral {

namespace {

std::wstring window_text(HWND hwnd) {
    const int length = GetWindowTextLengthW(hwnd);
    if (length <= 0) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(hwnd, text.data(), length + 1)));
    return text;
}

}  // namespace

void find_text_changed() {
    AppWindows& w = app_windows();
    Session& session = app_session();
    if (!w.edit_find) return;
    std::wstring typed = window_text(w.edit_find);
    if (typed == session.find_text) return;
    session.find_text = std::move(typed);
    session.find_matches = find_matches(session.board, session.find_text);
    refill_component_list();
    redraw_area();
}

void focus_find_box() {
    AppWindows& w = app_windows();
    if (!w.edit_find || !IsWindowVisible(w.edit_find)) return;
    if (GetActiveWindow() != w.hwnd_main) SetForegroundWindow(w.hwnd_main);
    SetFocus(w.edit_find);
    SendMessageW(w.edit_find, EM_SETSEL, 0, -1);
}

void clear_find_box() {
    AppWindows& w = app_windows();
    // The box's change notice does the rest.
    if (w.edit_find) SetWindowTextW(w.edit_find, L"");
}

void forget_find_text() {
    AppWindows& w = app_windows();
    Session& session = app_session();
    session.find_text.clear();
    session.find_matches.clear();
    // Emptying the box sends a change notice that now finds nothing to do.
    if (w.edit_find) SetWindowTextW(w.edit_find, L"");
}

}  // namespace tindral
