#include "shell/found_list_win.h"

#include "lists/list_rows.h"
#include "model/board_model.h"
#include "settings/settings.h"
#include "shell/app_win.h"
#include "shell/board_window_win.h"
#include "shell/main_list_win.h"

namespace tindral {

namespace {

// The found list shows the main list's columns 0 to 3 and 7.
constexpr int kFoundCells[] = {kColName, kColLibrary, kColPackage, kColValue, kColSide};

}  // namespace

void fill_found_list(const std::vector<uint32_t>& hits) {
    AppWindows& w = app_windows();
    Session& session = app_session();
    if (!w.list_found) return;
    SendMessageW(w.list_found, LVM_DELETEALLITEMS, 0, 0);
    int row = 0;
    for (uint32_t c : hits) {
        if (c >= session.board.elements.size()) continue;
        const ElementRec& e = session.board.elements[c];
        const std::wstring name = list_cell(e, c, kColName);
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = row;
        item.pszText = const_cast<wchar_t*>(name.c_str());
        item.lParam = static_cast<LPARAM>(c);
        const int at = static_cast<int>(
            SendMessageW(w.list_found, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        if (at < 0) continue;
        for (int i = 1; i < 5; ++i) {
            const std::wstring cell = list_cell(e, c, kFoundCells[i]);
            LVITEMW sub{};
            sub.iSubItem = i;
            sub.pszText = const_cast<wchar_t*>(cell.c_str());
            SendMessageW(w.list_found, LVM_SETITEMTEXTW, at, reinterpret_cast<LPARAM>(&sub));
        }
        ++row;
    }
    if (row > 0) {
        LVITEMW state{};
        state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(w.list_found, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
    }
}

int32_t found_row_component(int row) {
    AppWindows& w = app_windows();
    if (row < 0 || !w.list_found) return -1;
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!SendMessageW(w.list_found, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return -1;
    return static_cast<int32_t>(item.lParam);
}

int32_t selected_found_component() {
    AppWindows& w = app_windows();
    if (!w.list_found) return -1;
    const int row = static_cast<int>(
        SendMessageW(w.list_found, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    return found_row_component(row);
}

void activate_found_row() {
    AppWindows& w = app_windows();
    Session& session = app_session();
    const int32_t c = selected_found_component();
    if (c < 0 || static_cast<size_t>(c) >= session.board.elements.size()) return;
    // Found by the Index column: names need not be unique, the model index is.
    const int row = find_component_row(static_cast<uint32_t>(c));
    if (row < 0) return;
    toggle_row_selection(static_cast<uint32_t>(c), row);
    redraw_element(static_cast<uint32_t>(c));
    if (w.hwnd_found) ShowWindow(w.hwnd_found, SW_HIDE);
    SendMessageW(w.list_main, LVM_ENSUREVISIBLE, row, FALSE);
    if (session.settings.use_crosshair) draw_crosshair(true);
}

LRESULT found_list_notify(const NMHDR* header) {
    switch (header->code) {
        case LVN_HOTTRACK:
            return 1;
        case LVN_ITEMACTIVATE:
            activate_found_row();
            return 0;
    }
    return 0;
}

}  // namespace tindral
