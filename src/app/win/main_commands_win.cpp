#include "app/win/main_commands_win.h"

#include <shellapi.h>

#include <string>

#include "../../../resources/resource.h"
#include "app/contact.h"
#include "app/win/bom_window_win.h"
#include "app/win/clear_selection_win.h"
#include "app/win/globals_win.h"
#include "app/win/help_win.h"
#include "lists/win/main_list_win.h"
#include "model/board_model.h"
#include "selection/marks_guard.h"
#include "selection/win/selection_commands_win.h"
#include "settings/settings.h"

namespace tindral {

namespace {

void open_mail(HWND main) {
    const std::wstring target = std::wstring(L"mailto:") + kContactMail;
    ShellExecuteW(main, L"open", target.c_str(), nullptr, nullptr, 0);
}

void open_homepage() { ShellExecuteW(nullptr, L"open", kHomepage, L"", nullptr, 0); }

// The states are already cleared: the refill keeps them and only restores the order.
void clear_and_refill() {
    if (!may_drop_marks(g_board)) return;
    clear_selection();
    fill_component_list(false);
    sort_component_list(static_cast<int>(g_settings.sort_col));
    update_placed_counter();
}

}  // namespace

bool run_main_command(HWND main, unsigned command) {
    switch (command) {
        case IDM_LOAD_SELECTION: load_selection_command(); return true;
        case IDM_SAVE_SELECTION: save_selection_command(); return true;
        case IDM_EMAIL: open_mail(main); return true;
        case IDM_HOMEPAGE: open_homepage(); return true;
        case IDM_HELP: open_help(main); return true;
    }
    return false;
}

bool run_main_button(HWND button) {
    if (!button) return false;
    if (button == g_button_clear) {
        clear_and_refill();
        return true;
    }
    if (button == g_button_bom) {
        fill_bom_list();
        return true;
    }
    return false;
}

}  // namespace tindral
