#include "shell/list_columns_win.h"

#include "lists/list_columns.h"
#include "settings/settings.h"
#include "shell/app_win.h"
#include "shell/main_list_win.h"

namespace tindral {

namespace {

constexpr DWORD kListExStyles = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER;

void replace_columns(HWND list, const ListColumn* columns, int count) {
    if (!list) return;
    while (SendMessageW(list, LVM_DELETECOLUMN, 0, 0)) {
    }
    for (int i = 0; i < count; ++i) {
        LVCOLUMNW col{};
        col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        col.fmt = LVCFMT_LEFT;
        col.cx = columns[i].width;
        col.pszText = const_cast<wchar_t*>(text(columns[i].title));
        col.iSubItem = i;
        SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&col));
    }
}

void set_list_styles(HWND list) {
    if (list) SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, kListExStyles, kListExStyles);
}

}  // namespace

void set_list_columns() {
    AppWindows& w = app_windows();
    Session& session = app_session();
    replace_columns(w.list_main, kMainListColumns, kMainColumnCount);
    set_list_styles(w.list_main);
    set_list_activation();
    set_sort_header(static_cast<int>(session.settings.sort_col));
}

void set_found_columns() {
    AppWindows& w = app_windows();
    set_list_styles(w.list_found);
    replace_columns(w.list_found, kFoundListColumns, kFoundColumnCount);
}

void set_bom_columns() {
    AppWindows& w = app_windows();
    set_list_styles(w.list_bom);
    replace_columns(w.list_bom, kBomListColumns, kBomListColumnCount);
}

}  // namespace tindral
