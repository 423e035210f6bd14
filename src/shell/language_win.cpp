#include "shell/language_win.h"

#include "settings/settings.h"
#include "shell/app_win.h"
#include "shell/list_columns_win.h"
#include "shell/main_list_win.h"
#include "text/menu_texts.h"

namespace tindral {

namespace {

struct ControlText {
    HWND AppWindows::*control;
    TextKey key;
};

const ControlText kControlTexts[] = {
    {&AppWindows::static_path, TXT_PATH},
    {&AppWindows::static_find, TXT_FIND},
    {&AppWindows::button_load, TXT_LOAD},
    {&AppWindows::button_clear, TXT_RESET_SELECTION},
    {&AppWindows::button_delete, TXT_DELETE},
    {&AppWindows::button_bom, TXT_BOM_BUTTON},
    {&AppWindows::button_found_close, TXT_CLOSE},
    {&AppWindows::button_print, TXT_PRINT},
    {&AppWindows::button_bom_close, TXT_CLOSE},
    {&AppWindows::static_variant, TXT_VARIANT_LABEL},
};

}  // namespace

void set_menu_texts() {
    HWND main = app_windows().hwnd_main;
    HMENU menu = GetMenu(main);
    if (!menu) return;
    for (const MenuText& entry : kMenuTexts) {
        wchar_t buffer[100] = {};
        lstrcpynW(buffer, text(entry.key), 100);
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_STRING;
        mii.fType = 0;
        mii.dwTypeData = buffer;
        mii.cch = static_cast<UINT>(lstrlenW(buffer));
        SetMenuItemInfoW(menu, entry.id, entry.by_position ? TRUE : FALSE, &mii);
    }
    DrawMenuBar(main);
}

void set_control_texts() {
    const AppWindows& w = app_windows();
    for (const ControlText& c : kControlTexts)
        if (w.*c.control) SetWindowTextW(w.*c.control, text(c.key));
}

void apply_language() {
    Session& session = app_session();
    set_menu_texts();
    set_control_texts();
    set_list_columns();
    // The side and date cells are language texts: the rows are made again, keeping the marks.
    fill_component_list(false);
    show_row_marks();
    const int sort_col = static_cast<int>(session.settings.sort_col);
    set_sort_header(sort_col);
    sort_component_list(sort_col);
    update_placed_counter();
}

}  // namespace tindral
