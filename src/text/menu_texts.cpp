#include "text/menu_texts.h"

#include "../../resources/resource.h"

namespace tindral {

const MenuText kMenuTexts[kMenuTextCount] = {
    {0, true, TXT_FILE},
    {IDM_LOAD_SELECTION, false, TXT_LOAD_SELECTION},
    {IDM_SAVE_SELECTION, false, TXT_SAVE_SELECTION},
    {IDM_EXPORT_LIST, false, TXT_EXPORT_LIST},
    {IDM_PRINT_BOOKLET, false, TXT_BOOKLET_MENU},
    {IDM_EXIT, false, TXT_EXIT},
    {1, true, TXT_OPTIONS},
    {IDM_SETTINGS, false, TXT_SETTINGS},
    {IDM_COLORS, false, TXT_COLORS},
    {2, true, TXT_HELP},
    {IDM_ABOUT, false, TXT_ABOUT},
    {IDM_EMAIL, false, TXT_EMAIL},
    {IDM_HOMEPAGE, false, TXT_HOMEPAGE},
    {IDM_HELP, false, TXT_HELP},
};

}  // namespace tindral
