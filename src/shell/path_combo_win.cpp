#include "shell/path_combo_win.h"

#include "shell/app_win.h"
#include "text/format.h"

namespace tindral {

std::vector<std::wstring> path_combo_items() {
    AppWindows& w = app_windows();
    std::vector<std::wstring> items;
    if (!w.combo_path) return items;
    const int count = static_cast<int>(SendMessageW(w.combo_path, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const int len = static_cast<int>(SendMessageW(w.combo_path, CB_GETLBTEXTLEN, i, 0));
        if (len < 0) continue;
        std::wstring t(static_cast<size_t>(len) + 1, L'\0');
        SendMessageW(w.combo_path, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(t.data()));
        t.resize(static_cast<size_t>(len));
        items.push_back(t);
    }
    return items;
}

void show_path_count() {
    AppWindows& w = app_windows();
    if (!w.combo_path || !w.edit_path_count) return;
    const int count = static_cast<int>(SendMessageW(w.combo_path, CB_GETCOUNT, 0, 0));
    SetWindowTextW(w.edit_path_count, format_text(100, L"%d", count < 0 ? 0 : count).c_str());
}

void show_path_combo(const PathCombo& combo) {
    AppWindows& w = app_windows();
    if (!w.combo_path) return;
    SendMessageW(w.combo_path, CB_RESETCONTENT, 0, 0);
    for (const std::wstring& item : combo.items)
        SendMessageW(w.combo_path, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    SendMessageW(w.combo_path, CB_SETCURSEL, static_cast<WPARAM>(combo.selection), 0);
    const int show = combo.list_controls_shown ? SW_SHOW : SW_HIDE;
    if (w.edit_path_count) {
        SetWindowTextW(w.edit_path_count, combo.count_text.c_str());
        ShowWindow(w.edit_path_count, show);
    }
    if (w.button_delete) ShowWindow(w.button_delete, show);
}

}  // namespace tindral
