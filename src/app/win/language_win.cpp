#include "app/win/language_win.h"

#include "app/menu_texts.h"
#include "app/win/app_win.h"

namespace tindral {

namespace {

struct ControlText {
    HWND AppWindows::*control;
    TextKey key;
};

const ControlText kControlTexts[] = {
    {&AppWindows::static_path, TXT_PATH},
    {&AppWindows::button_load, TXT_LOAD},
    {&AppWindows::button_clear, TXT_RESET_SELECTION},
    {&AppWindows::button_delete, TXT_DELETE},
    {&AppWindows::button_bom, TXT_BOM_BUTTON},
    {&AppWindows::button_found_close, TXT_CLOSE},
    {&AppWindows::button_print, TXT_PRINT},
    {&AppWindows::button_bom_close, TXT_CLOSE},
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

}  // namespace tindral
