#include "shell/path_delete_dialog_win.h"

#include <vector>

#include "../../resources/resource.h"
#include "settings/path_delete.h"
#include "settings/path_list.h"
#include "settings/registry_settings.h"
#include "settings/settings.h"
#include "settings/startup_rules.h"
#include "shell/app_win.h"
#include "shell/guarded_proc_win.h"
#include "shell/path_combo_win.h"
#include "text/format.h"
#include "text/lang.h"
#include "text/messages.h"

namespace tindral {

namespace {

enum : int {
    kPathList = 1075,
    kDeleteButton = 1076,
    kNameList = 1077,
    kPathCaption = 1078,
    kNameCaption = 1079,
};

// The most entries one selection read takes.
constexpr int kMaxSelected = 16;

std::vector<int> selected_indices(HWND list) {
    int buffer[kMaxSelected] = {};
    const LRESULT n = SendMessageW(list, LB_GETSELITEMS, kMaxSelected, reinterpret_cast<LPARAM>(buffer));
    std::vector<int> picked;
    for (LRESULT i = 0; i < n && i < kMaxSelected; ++i) picked.push_back(buffer[i]);
    return picked;
}

std::vector<std::wstring> list_texts(HWND list) {
    std::vector<std::wstring> texts;
    const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const int len = static_cast<int>(SendMessageW(list, LB_GETTEXTLEN, i, 0));
        std::wstring t(static_cast<size_t>(len < 0 ? 0 : len) + 1, L'\0');
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(t.data()));
        t.resize(static_cast<size_t>(len < 0 ? 0 : len));
        texts.push_back(t);
    }
    return texts;
}

void fill_list(HWND list, const std::vector<std::wstring>& texts) {
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const std::wstring& t : texts)
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t.c_str()));
}

PathDeleteLists read_lists(HWND dialog) {
    return {list_texts(GetDlgItem(dialog, kPathList)), list_texts(GetDlgItem(dialog, kNameList))};
}

void show_lists(HWND dialog, const PathDeleteLists& lists) {
    fill_list(GetDlgItem(dialog, kPathList), lists.paths);
    fill_list(GetDlgItem(dialog, kNameList), lists.names);
}

void on_init(HWND dialog) {
    Session& session = app_session();
    SetWindowTextW(dialog, format_text(100, L"%s  %s", kProgramTitle, text(TXT_DELETE)).c_str());
    reread_settings(session.settings);
    SetDlgItemTextW(dialog, kPathCaption, text(TXT_PATH_FILENAME));
    SetDlgItemTextW(dialog, kNameCaption, text(TXT_FILENAME));
    SetDlgItemTextW(dialog, kDeleteButton, text(TXT_DELETE));
    SetDlgItemTextW(dialog, IDCANCEL, text(TXT_CANCEL));
    show_lists(dialog, path_delete_lists(path_combo_items()));
}

// Both lists always show the same entries selected.
void mirror_selection(HWND dialog, int from_id) {
    HWND from = GetDlgItem(dialog, from_id);
    HWND to = GetDlgItem(dialog, from_id == kPathList ? kNameList : kPathList);
    const std::vector<int> picked = selected_indices(from);
    SendMessageW(to, LB_SETSEL, FALSE, -1);
    for (int i : picked) SendMessageW(to, LB_SETSEL, TRUE, i);
}

void on_delete(HWND dialog) {
    PathDeleteLists lists = read_lists(dialog);
    if (!delete_selected_paths(lists, selected_indices(GetDlgItem(dialog, kNameList)))) {
        show_info(Owner::main, TXT_NOTHING_TO_DELETE, mb::topmost | mb::icon_information);
        return;
    }
    show_lists(dialog, lists);
}

void on_ok(HWND dialog) {
    Session& session = app_session();
    PathCombo combo;
    combo.items = keep_remaining_paths(read_lists(dialog), session.settings);
    combo.selection = select_path_index(combo.items, session.settings.xml_path_file_name);
    combo.count_text = format_text(100, L"%d", static_cast<int>(combo.items.size()));
    combo.list_controls_shown = session.settings.use_filelist != 0;
    if (session.settings.last_selected_file_index >= combo.items.size())
        session.settings.last_selected_file_index = 0;
    show_path_combo(combo);
    // Stored at once: a dialog that reads the settings again would bring the entries back.
    put_path_list(session.settings);
    EndDialog(dialog, IDOK);
}

INT_PTR path_delete_message(HWND dialog, UINT msg, WPARAM wparam, LPARAM) {
    switch (msg) {
        case WM_INITDIALOG:
            on_init(dialog);
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wparam)) {
                case kPathList:
                case kNameList:
                    if (HIWORD(wparam) == LBN_SELCHANGE) mirror_selection(dialog, LOWORD(wparam));
                    return TRUE;
                case kDeleteButton:
                    on_delete(dialog);
                    return TRUE;
                case IDOK:
                    on_ok(dialog);
                    return TRUE;
                case IDCANCEL:
                    EndDialog(dialog, IDCANCEL);
                    return TRUE;
            }
            break;
    }
    return FALSE;
}

}  // namespace

INT_PTR CALLBACK path_delete_dialog_proc(HWND dialog, UINT msg, WPARAM wparam, LPARAM lparam) {
    return guarded_dialog_message(path_delete_message, dialog, msg, wparam, lparam);
}

void open_path_delete_dialog() {
    AppWindows& w = app_windows();
    Session& session = app_session();
    // Without the file list the box holds only the current board; OK would overwrite the stored
    // list with it.
    if (!w.combo_path || session.settings.use_filelist == 0) return;
    if (SendMessageW(w.combo_path, CB_GETCOUNT, 0, 0) <= 0) return;
    DialogBoxParamW(w.instance, MAKEINTRESOURCEW(IDD_PATH_DELETE), w.hwnd_main,
                    path_delete_dialog_proc, 0);
    show_path_count();
}

}  // namespace tindral
