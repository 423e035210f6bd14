#include "shell/keyboard_hook_win.h"

#include <initializer_list>

#include "model/board_model.h"
#include "shell/app_win.h"
#include "shell/find_box_win.h"
#include "shell/found_list_win.h"
#include "shell/main_list_win.h"
#include "shell/path_delete_dialog_win.h"
#include "shell/place_next_win.h"
#include "text/messages.h"

namespace tindral {


namespace {

constexpr LPARAM kKeyUpBit = static_cast<LPARAM>(1) << 31;

bool visible(HWND hwnd) { return hwnd && IsWindowVisible(hwnd); }

void on_escape() {
    AppWindows& w = app_windows();
    if (visible(w.hwnd_found))
        ShowWindow(w.hwnd_found, SW_HIDE);
    else if (visible(w.hwnd_bom))
        ShowWindow(w.hwnd_bom, SW_HIDE);
    if (!w.list_main) return;
    // The one selected row only: the control's form for every row walks all rows of the
    // owner-data list.
    const int row = selected_main_row();
    if (row < 0) return;
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED;
    item.state = 0;
    SendMessageW(w.list_main, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&item));
}

void on_delete() {
    bool& open = app_windows().key_flags.delete_dialog_open;
    if (open) return;
    open = true;
    open_path_delete_dialog();
    open = false;
}

void on_arrow() {
    AppWindows& w = app_windows();
    if (visible(w.hwnd_found)) {
        if (w.list_found) SetFocus(w.list_found);
    } else if (w.list_main) {
        SetFocus(w.list_main);
    }
}

void choose_selected_row() {
    AppWindows& w = app_windows();
    const int row = selected_main_row();
    if (row >= 0) {
        choose_main_row(row, false);
        return;
    }
    w.key_flags.message_open = true;
    show_warning(Owner::main, TXT_NO_COMPONENT_SELECTED,
                 mb::topmost | mb::task_modal | mb::icon_exclamation);
    w.key_flags.message_open = false;
    w.key_flags.busy = false;
}

void on_space(LPARAM flags) {
    AppWindows& w = app_windows();
    Session& session = app_session();
    if (!visible(w.hwnd_main) || !session.board.board_loaded || !w.list_main) return;
    const bool key_up = (flags & kKeyUpBit) != 0;
    if (w.key_flags.busy || w.key_flags.message_open) {
        if (key_up) w.key_flags.busy = false;
        return;
    }
    w.key_flags.busy = true;
    if (key_up) {
        w.key_flags.busy = false;
        return;
    }
    if (visible(w.hwnd_found))
        activate_found_row();
    else
        choose_selected_row();
    w.key_flags.busy = false;
}

bool is_one_of(HWND hwnd, std::initializer_list<HWND> windows) {
    for (HWND w : windows)
        if (w && hwnd == w) return true;
    return false;
}

// Typing into a text field (the path count box, a file name box, a combo box's edit part) is
// typing, not a command.
bool focus_in_text_field() {
    HWND focus = GetFocus();
    if (!focus) return false;
    wchar_t name[64] = {};
    if (!GetClassNameW(focus, name, 64)) return false;
    for (const wchar_t* text_class : {L"Edit", L"ComboBox", L"ComboBoxEx32", L"RichEdit20W",
                                      L"RichEdit20A", L"RICHEDIT50W"})
        if (lstrcmpiW(name, text_class) == 0) return true;
    return false;
}

// The hook sees the keys of every window of the thread, dialogs and message boxes included;
// they act only in the program's own windows, and Escape also in the BOM window it closes.
bool keys_act_here(WPARAM key) {
    AppWindows& w = app_windows();
    const HWND active = GetActiveWindow();
    const bool ours = is_one_of(active, {w.hwnd_main, w.hwnd_board, w.hwnd_found}) ||
                      (key == VK_ESCAPE && is_one_of(active, {w.hwnd_bom}));
    return ours && !focus_in_text_field();
}

bool key_down(LPARAM flags) { return (flags & kKeyUpBit) == 0; }

// Ctrl+F and Escape in the find box act even while a text field has the focus; the key is then
// kept from the field (an edit control beeps at Ctrl+F). True when the key was used here.
bool handle_find_key(WPARAM key, LPARAM flags) {
    AppWindows& w = app_windows();
    if (!w.edit_find || !is_one_of(GetActiveWindow(), {w.hwnd_main, w.hwnd_board, w.hwnd_found}))
        return false;
    const bool ctrl = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    const bool alt = (GetKeyState(VK_MENU) & 0x8000) != 0;
    if (key == 'F' && ctrl && !alt) {
        if (key_down(flags)) focus_find_box();
        return true;
    }
    if (key == VK_ESCAPE && GetFocus() == w.edit_find) {
        if (key_down(flags)) clear_find_box();
        return true;
    }
    return false;
}

// Enter in the main list: the current part is placed and the next row becomes current.
void on_enter(LPARAM flags) {
    AppWindows& w = app_windows();
    if (!key_down(flags) || !w.list_main || GetFocus() != w.list_main) return;
    if (w.key_flags.message_open) return;
    w.key_flags.message_open = true;  // the end-of-list box must not be answered by the same key
    place_and_next();
    w.key_flags.message_open = false;
}

bool handle_key(WPARAM key, LPARAM flags) {
    if (handle_find_key(key, flags)) return true;
    if (!keys_act_here(key)) return false;
    switch (key) {
        case VK_ESCAPE: on_escape(); break;
        case VK_DELETE:
            if (!(flags & kKeyUpBit)) on_delete();
            break;
        case VK_UP:
        case VK_DOWN: on_arrow(); break;
        case VK_SPACE: on_space(flags); break;
        case VK_RETURN: on_enter(flags); break;
    }
    return false;
}

}  // namespace

LRESULT CALLBACK KeyboardHook(int code, WPARAM wparam, LPARAM lparam) {
    if (code >= 0) {
        try {
            if (handle_key(wparam, lparam)) return 1;
        } catch (...) {
            // The key is passed on all the same.
        }
    }
    // Every key still reaches the window that has the focus.
    return CallNextHookEx(app_windows().keyboard_hook.get(), code, wparam, lparam);
}

int install_keyboard_hook() {
    AppWindows& w = app_windows();
    w.keyboard_hook.reset(
        SetWindowsHookExW(WH_KEYBOARD, KeyboardHook, w.instance, GetCurrentThreadId()));
    return w.keyboard_hook ? 1 : 0;
}

}  // namespace tindral
