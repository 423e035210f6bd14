#include "shell/about_dialog_win.h"

#include "settings/startup_rules.h"
#include "shell/guarded_proc_win.h"
#include "text/format.h"
#include "text/lang.h"

namespace tindral {

namespace {

constexpr int kVersionText = 1012;
constexpr int kNoticeText = 1011;

INT_PTR about_message(HWND dialog, UINT msg, WPARAM wparam, LPARAM) {
    switch (msg) {
        case WM_INITDIALOG:
            SetWindowTextW(dialog,
                           format_text(100, L"%s  %s", kProgramTitle, text(TXT_ABOUT)).c_str());
            SetDlgItemTextW(dialog, kVersionText, kProgramTitle);
            SetDlgItemTextW(dialog, kNoticeText, text(TXT_ABOUT_NOTICE));
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) {
                EndDialog(dialog, LOWORD(wparam));
                return TRUE;
            }
            break;
    }
    return FALSE;
}

}  // namespace

INT_PTR CALLBACK about_dialog_proc(HWND dialog, UINT msg, WPARAM wparam, LPARAM lparam) {
    return guarded_dialog_message(about_message, dialog, msg, wparam, lparam);
}

}  // namespace tindral
