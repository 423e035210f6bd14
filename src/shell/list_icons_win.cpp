#include "shell/list_icons_win.h"

#include "../../resources/resource.h"
#include "shell/app_win.h"
#include "text/messages.h"

namespace tindral {

void create_list_icons() {
    AppWindows& w = app_windows();
    const int cx = GetSystemMetrics(SM_CXSMICON);
    const int cy = GetSystemMetrics(SM_CYSMICON);
    HIMAGELIST images = ImageList_Create(cx, cy, ILC_COLOR24, 3, 4);
    if (!images) {
        report_system_error(L"Tindral ImageList_Create", GetLastError());
        return;
    }
    for (int id : {IDI_ROW_UNMARKED, IDI_ROW_MARKED, IDI_SORT_MARK}) {
        HICON icon = static_cast<HICON>(
            LoadImageW(w.instance, MAKEINTRESOURCEW(id), IMAGE_ICON, cx, cy, 0));
        if (!icon) {
            report_system_error(L"Tindral LoadIcon", GetLastError());
            ImageList_Destroy(images);
            return;
        }
        const int index = ImageList_ReplaceIcon(images, -1, icon);
        const DWORD error = GetLastError();
        DestroyIcon(icon);
        if (index < 0) {
            report_system_error(L"Tindral ImageList_AddIcon", error);
            ImageList_Destroy(images);
            return;
        }
    }
    w.main_list_images = images;
    SendMessageW(w.list_main, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
}

}  // namespace tindral
