#include "shell/control_tables_win.h"

#include "settings/settings.h"
#include "settings/startup_rules.h"
#include "shell/app_win.h"
#include "shell/language_win.h"
#include "shell/toolbar_win.h"
#include "shell/window_classes_win.h"
#include "text/format.h"
#include "text/messages.h"

namespace tindral {

const ControlRow kMainControls[] = {
    {&AppWindows::list_main, 0x20, L"SysListView32", L"", 0x50A11805, 10, 100, 900, 300, &AppWindows::hwnd_main, &Fonts::list},
    {&AppWindows::static_path, 0, L"STATIC", L"Path", 0x50008002, 15, 15, 50, 25, &AppWindows::hwnd_main, &Fonts::label},
    {&AppWindows::combo_path, 0, L"ComboBox", L"", 0x50B00043, 80, 15, 610, 25, &AppWindows::hwnd_main, &Fonts::combo},
    {&AppWindows::button_delete, 0, L"BUTTON", L"Delete", 0x50000000, 15, 45, 90, 20, &AppWindows::hwnd_main, &Fonts::button},
    {&AppWindows::static_counter, 0, L"STATIC", L"", 0x50000000, 180, 42, 510, 25, &AppWindows::hwnd_main, &Fonts::counter},
    {&AppWindows::button_browse, 0, L"BUTTON", L"...", 0x50000000, 695, 15, 30, 25, &AppWindows::hwnd_main, &Fonts::button},
    {&AppWindows::button_load, 0, L"BUTTON", L"Load", 0x50000000, 740, 5, 60, 25, &AppWindows::hwnd_main, &Fonts::button},
    {&AppWindows::button_clear, 0, L"BUTTON", L"Clear selection", 0x50000000, 740, 35, 190, 25, &AppWindows::hwnd_main, &Fonts::button},
    {&AppWindows::button_bom, 0, L"BUTTON", L"Bauteile Liste", 0x50000000, 940, 35, 140, 25, &AppWindows::hwnd_main, &Fonts::button},
    {&AppWindows::static_find, 0, L"STATIC", L"Find", 0x50008002, 15, 75, 50, 25, &AppWindows::hwnd_main, &Fonts::label},
    {&AppWindows::edit_find, 0x200, L"EDIT", L"", 0x50010080, 80, 72, 610, 24, &AppWindows::hwnd_main, &Fonts::combo},
    {&AppWindows::edit_path_count, 0, L"RICHEDIT20W", L"", 0x50810080, 125, 42, 30, 24, &AppWindows::hwnd_main, &Fonts::count},
    // Hidden (WS_CHILD without WS_VISIBLE) until a board with variants is read; CBS_DROPDOWNLIST.
    {&AppWindows::static_variant, 0, L"STATIC", L"Variant", 0x40000002, 740, 73, 58, 22, &AppWindows::hwnd_main, &Fonts::combo},
    {&AppWindows::combo_variant, 0, L"ComboBox", L"", 0x40210003, 800, 70, 280, 200, &AppWindows::hwnd_main, &Fonts::combo},
    {nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0, nullptr, nullptr},
};

const ControlRow kLayoutControls[] = {
    {&AppWindows::list_layers, 0, L"LISTBOX", L"", 0x40B00008, 410, 40, 200, 250, &AppWindows::hwnd_layout, &Fonts::layer_list},
    {nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0, nullptr, nullptr},
};

const ControlRow kFoundControls[] = {
    {&AppWindows::list_found, 0x20, L"SysListView32", L"", 0x40A1080D, 10, 15, 600, 150, &AppWindows::hwnd_found, &Fonts::list},
    {&AppWindows::button_found_close, 0, L"BUTTON", L"", 0x50000000, 510, 180, 100, 25, &AppWindows::hwnd_found, &Fonts::button},
    {nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0, nullptr, nullptr},
};

const ControlRow kBomControls[] = {
    {&AppWindows::list_bom, 0x20, L"SysListView32", L"", 0x40A1080D, 10, 35, 600, 150, &AppWindows::hwnd_bom, &Fonts::list},
    {&AppWindows::button_print, 0, L"BUTTON", L"Print", 0x50000000, 260, 5, 100, 25, &AppWindows::hwnd_bom, &Fonts::button},
    {&AppWindows::button_bom_close, 0, L"BUTTON", L"Close", 0x50000000, 400, 5, 100, 25, &AppWindows::hwnd_bom, &Fonts::button},
    {&AppWindows::static_date, 0, L"STATIC", L"Date", 0x50008002, 50, 5, 140, 300, &AppWindows::hwnd_bom, &Fonts::list},
    {nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0, nullptr, nullptr},
};

namespace {

void report_create_failure(DWORD code) {
    const std::wstring msg = format_text(260, L"Tindral CreateWindowEx\r%s", system_error_text(code));
    message_box(Owner::main, msg, text(TXT_TITLE_ERROR), mb::icon_hand);
}

}  // namespace

int create_control_rows(const ControlRow* rows) {
    AppWindows& w = app_windows();
    for (const ControlRow* r = rows; r->parent != nullptr; ++r) {
        HWND hwnd = CreateWindowExW(r->ex_style, r->class_name, r->text, r->style, r->x, r->y,
                                    r->width, r->height, w.*r->parent, nullptr, w.instance,
                                    nullptr);
        w.*r->slot = hwnd;
        if (!hwnd) {
            report_create_failure(GetLastError());
            return 0;
        }
        SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>((w.fonts.*r->font).get()), TRUE);
    }
    return 1;
}

int create_child_controls() {
    AppWindows& w = app_windows();
    Session& session = app_session();
    if (!create_control_rows(kMainControls)) return 0;

    // The recent-path list and its count only matter with the file list on.
    const int list_shown = session.settings.use_filelist ? SW_SHOW : SW_HIDE;
    ShowWindow(w.button_delete, list_shown);
    ShowWindow(w.edit_path_count, list_shown);
    ShowWindow(w.button_bom, SW_HIDE);  // shown once a board has been read

    // The board window always takes its stored place, whatever "Remember window pos" says.
    const WindowRect board = stored_window_rect(session.settings, TopWindow::board);
    SetWindowPos(w.hwnd_board, nullptr, board.x, board.y, board.width, board.height,
                 SWP_NOZORDER | SWP_SHOWWINDOW);

    build_toolbar(w.hwnd_board);
    update_layout_placement();

    const AreaPlacement& area = w.layout_placement;
    w.hwnd_layout = CreateWindowExW(0, kClassLayout, L"", 0x50B00000, area.x, area.y, area.width,
                                    area.height, w.hwnd_board, nullptr, w.instance, nullptr);
    if (!w.hwnd_layout) {
        report_create_failure(GetLastError());
        return 0;
    }

    if (!create_control_rows(kLayoutControls)) return 0;
    if (!create_control_rows(kFoundControls)) return 0;
    if (!create_control_rows(kBomControls)) return 0;

    set_menu_texts();
    set_control_texts();
    return 1;
}

}  // namespace tindral
