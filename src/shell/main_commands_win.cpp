#include "shell/main_commands_win.h"

#include <string>

#include "../../resources/resource.h"
#include "model/board_model.h"
#include "selection/marks_guard.h"
#include "settings/settings.h"
#include "shell/app_win.h"
#include "shell/bom_window_win.h"
#include "shell/export_list_win.h"
#include "shell/help_win.h"
#include "shell/main_list_win.h"
#include "shell/selection_commands_win.h"
#include "text/contact.h"
#include "text/messages.h"

namespace tindral {

namespace {

ShellOpenFn g_shell_open = ShellExecuteW;

// The mail program and the browser open in their normal window, not hidden.
void shell_open(HWND owner, const wchar_t* file, const wchar_t* parameters) {
    SetLastError(0);
    const HINSTANCE result =
        g_shell_open(owner, L"open", file, parameters, nullptr, SW_SHOWNORMAL);
    // Values up to 32 are error codes.
    if (reinterpret_cast<INT_PTR>(result) <= 32) {
        const DWORD code = GetLastError();
        report_system_error(L"Tindral ShellExecute",
                            code ? code : static_cast<DWORD>(reinterpret_cast<INT_PTR>(result)));
    }
}

void open_mail(HWND main) {
    const std::wstring target = std::wstring(L"mailto:") + kContactMail;
    shell_open(main, target.c_str(), nullptr);
}

void open_homepage() { shell_open(nullptr, kHomepage, L""); }

// The states are already cleared: the refill keeps them and only restores the order.
void clear_and_refill() {
    Session& session = app_session();
    if (!may_drop_marks(session.board)) return;
    clear_selection([&] {
        fill_component_list(false);
        sort_component_list(static_cast<int>(session.settings.sort_col));
        update_placed_counter();
    });
}

}  // namespace

ShellOpenFn set_shell_open(ShellOpenFn fn) {
    const ShellOpenFn before = g_shell_open;
    g_shell_open = fn ? fn : ShellExecuteW;
    return before;
}

bool run_main_command(HWND main, unsigned command) {
    switch (command) {
        case IDM_LOAD_SELECTION: load_selection_command(); return true;
        case IDM_EXPORT_LIST: export_list_command(); return true;
        case IDM_SAVE_SELECTION: save_selection_command(); return true;
        case IDM_EMAIL: open_mail(main); return true;
        case IDM_HOMEPAGE: open_homepage(); return true;
        case IDM_HELP: open_help(main); return true;
    }
    return false;
}

bool run_main_button(HWND button) {
    AppWindows& w = app_windows();
    if (!button) return false;
    if (button == w.button_clear) {
        clear_and_refill();
        return true;
    }
    if (button == w.button_bom) {
        fill_bom_list();
        return true;
    }
    return false;
}

}  // namespace tindral
