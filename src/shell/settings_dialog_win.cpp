#include "shell/settings_dialog_win.h"

#include <iterator>

#include "model/board_model.h"
#include "selection/marks_guard.h"
#include "settings/layer_choice.h"
#include "settings/path_list.h"
#include "settings/registry_settings.h"
#include "settings/settings_dialog_rules.h"
#include "settings/startup_rules.h"
#include "shell/app_win.h"
#include "shell/board_window_win.h"
#include "shell/guarded_proc_win.h"
#include "shell/language_win.h"
#include "shell/layer_list_win.h"
#include "shell/main_list_win.h"
#include "shell/path_combo_win.h"
#include "shell/selection_commands_win.h"
#include "text/format.h"
#include "text/lang.h"

namespace tindral {

namespace {

enum : int {
    kGerman = 1000,
    kEnglish = 1001,
    kLanguageGroup = 1002,
    kRememberWindowPos = 1003,
    kLayerList = 1004,
    kAllLayers = 1005,
    kNoLayers = 1006,
    kDoubleClick = 1007,
    kLeaveSelected = 1008,
    kSaveOnExit = 1009,
    kListViewGroup = 1010,
    kDefaultLayers = 1013,
    kUseFileList = 1014,
    kCrosshair = 1015,
    kReportUnexpected = 1016,
    kPrinterGroup = 1071,
    kPrinterDefault = 1072,
    kPrinterSelect = 1073,
    kPrinterLastUsed = 1074,
    kRememberSide = 1080,
    kKeepInView = 3004,
};

struct ControlText {
    int id;
    TextKey key;
};

const ControlText kTexts[] = {
    {kLanguageGroup, TXT_LANGUAGE_SELECTION},
    {kRememberWindowPos, TXT_REMEMBER_WINDOW_POS},
    {kRememberSide, TXT_REMEMBER_SIDE},
    {kUseFileList, TXT_USE_FILE_LIST},
    {kReportUnexpected, TXT_REPORT_UNEXPECTED},
    {kCrosshair, TXT_CROSSHAIR_ON},
    {kKeepInView, TXT_KEEP_IN_VIEW},
    {kListViewGroup, TXT_LISTVIEW},
    {kDoubleClick, TXT_DOUBLE_CLICK_SELECT},
    {kLeaveSelected, TXT_LEAVE_SELECTED},
    {kSaveOnExit, TXT_SAVE_ON_EXIT},
    {kAllLayers, TXT_ALL},
    {kNoLayers, TXT_NONE},
    {kDefaultLayers, TXT_SET_DEFAULT_LAYERS},
    {kPrinterGroup, TXT_PRINTER_SELECTION},
    {kPrinterDefault, TXT_DEFAULT_PRINTER},
    {kPrinterSelect, TXT_SELECT_PRINTER},
    {kPrinterLastUsed, TXT_LAST_USED},
    {IDCANCEL, TXT_CANCEL},
};

struct Flag {
    int id;
    uint32_t Settings::*value;
};

const Flag kFlags[] = {
    {kRememberWindowPos, &Settings::remember_window_pos},
    {kRememberSide, &Settings::remember_side_selection},
    {kUseFileList, &Settings::use_filelist},
    {kReportUnexpected, &Settings::report_unexpected},
    {kCrosshair, &Settings::use_crosshair},
    {kKeepInView, &Settings::keep_current_in_view},
    {kLeaveSelected, &Settings::leave_selected},
    {kSaveOnExit, &Settings::save_selections_on_exit},
};

void set_texts(HWND dialog) {
    SetWindowTextW(dialog, format_text(100, L"%s  DlgSettings", kProgramTitle).c_str());
    for (const ControlText& t : kTexts) SetDlgItemTextW(dialog, t.id, text(t.key));
}

bool checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

void check(HWND dialog, int id, bool on) {
    CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED);
}

uint32_t printer_radio(HWND dialog) {
    if (checked(dialog, kPrinterDefault)) return 1;
    if (checked(dialog, kPrinterSelect)) return 2;
    if (checked(dialog, kPrinterLastUsed)) return 3;
    return 0;
}

void on_init(HWND dialog) {
    Session& session = app_session();
    reread_settings(session.settings);
    set_texts(dialog);
    const uint32_t mode = session.settings.printer_selection_mode;
    check(dialog, kPrinterDefault, mode == 1);
    check(dialog, kPrinterSelect, mode == 2);
    check(dialog, kPrinterLastUsed, mode == 3);
    check(dialog, kGerman, session.settings.language == 0);
    check(dialog, kEnglish, session.settings.language != 0);
    fill_layer_list(GetDlgItem(dialog, kLayerList));
    for (const Flag& f : kFlags) check(dialog, f.id, session.settings.*f.value != 0);
    check(dialog, kDoubleClick, app_windows().double_click_select);
    EnableWindow(GetDlgItem(dialog, kSaveOnExit), session.settings.leave_selected != 0);
    app_windows().settings_memory = open_settings_dialog_memory(session.settings);
}

void select_all_layers(HWND dialog, bool on) {
    SendDlgItemMessageW(dialog, kLayerList, LB_SETSEL, on ? TRUE : FALSE, -1);
    app_windows().settings_memory.layers_changed = true;
}

void select_default_layers(HWND dialog) {
    AppWindows& w = app_windows();
    Session& session = app_session();
    select_layer_lines(GetDlgItem(dialog, kLayerList),
                       default_layer_lines(layer_lines(session.board.layers),
                                           session.board.layers));
    if (w.hwnd_layout) InvalidateRect(w.hwnd_layout, nullptr, TRUE);
}

void on_language(HWND dialog) {
    Session& session = app_session();
    session.settings.language = checked(dialog, kGerman) ? 0 : 1;
    set_texts(dialog);
    apply_language();
}

// The combo box set up again for the new "Use filelist", keeping the current board path.
void rebuild_path_combo() {
    Session& session = app_session();
    const std::wstring current = session.settings.xml_path_file_name;
    PathCombo combo;
    fill_path_combo(session.settings, combo);
    session.settings.xml_path_file_name = current;
    combo.selection = select_path_index(combo.items, current);
    show_path_combo(combo);
}

void store_layer_groups() {
    Session& session = app_session();
    const StoreKey key = open_reg_key();
    if (!key) return;
    for (int g = 0; g < 8; ++g) {
        const std::wstring name = format_text(100, L"Layer group %d", g);
        if (const SettingDesc* row = find_setting(name.c_str()))
            put_registry(key, 4, *row, session.settings);
    }
    close_reg_key(key);
}

void on_ok(HWND dialog) {
    AppWindows& w = app_windows();
    Session& session = app_session();
    SettingsDialogChoice choice;
    choice.german = checked(dialog, kGerman);
    choice.remember_window_pos = checked(dialog, kRememberWindowPos);
    choice.remember_side_selection = checked(dialog, kRememberSide);
    choice.leave_selected = checked(dialog, kLeaveSelected);
    choice.save_selections_on_exit = checked(dialog, kSaveOnExit);
    choice.use_filelist = checked(dialog, kUseFileList);
    choice.report_unexpected = checked(dialog, kReportUnexpected);
    choice.use_crosshair = checked(dialog, kCrosshair);
    choice.keep_in_view = checked(dialog, kKeepInView);
    choice.double_click = checked(dialog, kDoubleClick);
    choice.printer_mode = printer_radio(dialog);
    choice.selected_layer_texts = selected_layer_texts(GetDlgItem(dialog, kLayerList));
    // A change of "Leave selected" takes every mark off; Cancel there keeps the dialog open.
    if (choice.leave_selected != (app_windows().settings_memory.leave_selected_at_open != 0) &&
        !may_drop_marks(session.board))
        return;

    const SettingsOkWork work =
        apply_settings_choice(session.settings, w.double_click_select, w.settings_memory, choice);
    if (work.clear_selection) clear_selection();
    if (work.rebuild_path_combo) rebuild_path_combo();
    set_list_activation();
    if (work.store_layer_groups) store_layer_groups();
    put_settings(session.settings);
    if (w.list_layers) SendMessageW(w.list_layers, LB_SETSEL, FALSE, -1);
    set_control_texts();
    set_texts(dialog);
    if (work.remove_crosshair) remove_crosshair();
    EndDialog(dialog, IDOK);
    draw_crosshair(false);
    if (work.redraw_area && w.hwnd_layout) InvalidateRect(w.hwnd_layout, nullptr, TRUE);
}

void on_cancel(HWND dialog) {
    Session& session = app_session();
    // The language and the printer mode stay as chosen; the rest comes back from the store.
    const uint32_t mode = session.settings.printer_selection_mode;
    reread_settings(session.settings);
    session.settings.printer_selection_mode = mode;
    EndDialog(dialog, IDCANCEL);
}

void on_command(HWND dialog, int id, int code) {
    Session& session = app_session();
    switch (id) {
        case kLayerList:
            if (code == LBN_SELCHANGE) app_windows().settings_memory.layers_changed = true;
            break;
        case kAllLayers:
            select_all_layers(dialog, true);
            break;
        case kNoLayers:
            select_all_layers(dialog, false);
            break;
        case kDefaultLayers:
            select_default_layers(dialog);
            break;
        case kLeaveSelected:
            EnableWindow(GetDlgItem(dialog, kSaveOnExit), checked(dialog, kLeaveSelected));
            app_windows().settings_memory.leave_selected_clicked = true;
            break;
        case kUseFileList:
            app_windows().settings_memory.file_list_clicked = true;
            break;
        case kCrosshair:
            app_windows().settings_memory.crosshair_clicked = true;
            break;
        case kPrinterDefault:
        case kPrinterSelect:
        case kPrinterLastUsed:
            session.settings.printer_selection_mode = printer_radio(dialog);
            set_texts(dialog);
            break;
        case kGerman:
        case kEnglish:
            if (code == BN_CLICKED) on_language(dialog);
            break;
        case IDOK:
            on_ok(dialog);
            break;
        case IDCANCEL:
            on_cancel(dialog);
            break;
    }
}

INT_PTR settings_message(HWND dialog, UINT msg, WPARAM wparam, LPARAM) {
    switch (msg) {
        case WM_INITDIALOG:
            on_init(dialog);
            return TRUE;
        case WM_COMMAND:
            on_command(dialog, LOWORD(wparam), HIWORD(wparam));
            return TRUE;
    }
    return FALSE;
}

}  // namespace

INT_PTR CALLBACK DlgSettings(HWND dialog, UINT msg, WPARAM wparam, LPARAM lparam) {
    return guarded_dialog_message(settings_message, dialog, msg, wparam, lparam);
}

}  // namespace tindral
