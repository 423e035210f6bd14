#include "app/win/language_win.h"

#include "app/menu_texts.h"
#include "app/win/globals_win.h"

namespace tindral {

namespace {

struct ControlText {
    HWND* control;
    TextKey key;
};

const ControlText kControlTexts[] = {
    {&g_static_path, TXT_PATH},
    {&g_button_load, TXT_LOAD},
    {&g_button_clear, TXT_RESET_SELECTION},
    {&g_button_delete, TXT_DELETE},
    {&g_button_bom, TXT_BOM_BUTTON},
    {&g_button_found_close, TXT_CLOSE},
    {&g_button_print, TXT_PRINT},
    {&g_button_bom_close, TXT_CLOSE},
};

}  // namespace

void set_menu_texts() {
    HMENU menu = GetMenu(g_hwnd_main);
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
    DrawMenuBar(g_hwnd_main);
}

void set_control_texts() {
    for (const ControlText& c : kControlTexts)
        if (*c.control) SetWindowTextW(*c.control, text(c.key));
}

}  // namespace tindral
