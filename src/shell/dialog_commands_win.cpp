#include "shell/dialog_commands_win.h"

#include "../../resources/resource.h"
#include "shell/about_dialog_win.h"
#include "shell/app_win.h"
#include "shell/colour_dialog_win.h"
#include "shell/settings_dialog_win.h"

namespace tindral {

bool run_dialog_command(HWND owner, unsigned command) {
    int template_id = 0;
    DLGPROC proc = nullptr;
    switch (command) {
        case IDM_SETTINGS:
            template_id = IDD_SETTINGS;
            proc = DlgSettings;
            break;
        case IDM_COLORS:
            template_id = IDD_COLORS;
            proc = DlgColorSettings;
            break;
        case IDM_ABOUT:
            template_id = IDD_ABOUT;
            proc = about_dialog_proc;
            break;
        default:
            return false;
    }
    DialogBoxParamW(app_windows().instance, MAKEINTRESOURCEW(template_id), owner, proc, 0);
    return true;
}

}  // namespace tindral
