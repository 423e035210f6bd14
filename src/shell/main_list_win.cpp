#include "shell/main_list_win.h"

#include "lists/find_filter.h"
#include "lists/list_columns.h"
#include "lists/list_rows.h"
#include "model/board_model.h"
#include "settings/registry_settings.h"
#include "settings/settings.h"
#include "shell/app_win.h"
#include "shell/board_window_win.h"
#include "shell/list_window_parts_win.h"
#include "shell/main_list_data_win.h"
#include "shell/place_next_win.h"

namespace tindral {

namespace {

constexpr int kImageSortMark = 2;
constexpr UINT kRowStates = LVIS_SELECTED | LVIS_FOCUSED;

void set_row_state(int row, UINT state, UINT mask) {
    LVITEMW item{};
    item.stateMask = mask;
    item.state = state;
    SendMessageW(app_windows().list_main, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

int next_row(UINT flags) {
    return static_cast<int>(
        SendMessageW(app_windows().list_main, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), flags));
}

}  // namespace

int selected_main_row() {
    HWND list = app_windows().list_main;
    if (!list || SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0) == 0) return -1;
    // The control looks for a selected row from the top, row by row; it knows its focused one,
    // and the one selected row is nearly always that.
    const int focused = next_row(LVNI_FOCUSED);
    if (focused >= 0 && (SendMessageW(list, LVM_GETITEMSTATE, focused, LVIS_SELECTED) & LVIS_SELECTED))
        return focused;
    return next_row(LVNI_SELECTED);
}

namespace {

// The highlight and the focus taken from the rows that have them (one each at most). The
// control's own form for every row, and its moving of a single selection, walk all rows of an
// owner-data list: tens of milliseconds at 50 000 rows.
void clear_row_states() {
    const int selected = selected_main_row();
    if (selected >= 0) set_row_state(selected, 0, LVIS_SELECTED);
    const int focused = next_row(LVNI_FOCUSED);
    if (focused >= 0) set_row_state(focused, 0, LVIS_FOCUSED);
}

// The one selected and focused row.
void highlight_row(int row) {
    const int selected = selected_main_row();
    if (selected >= 0 && selected != row) set_row_state(selected, 0, LVIS_SELECTED);
    set_row_state(row, kRowStates, kRowStates);
}

void store_sort_col() {
    Session& session = app_session();
    const SettingDesc* row = find_setting(L"Sort col");
    if (!row) return;
    const StoreKey key = open_reg_key();
    if (key == 0) return;  // reported
    put_registry(key, 4, *row, session.settings);
    close_reg_key(key);
}

struct GroupColours {
    COLORREF text, back;
};

GroupColours group_colours(const ElementRec& e) {
    Session& session = app_session();
    const Settings& s = session.settings;
    if (e.side == kSideTop)
        return e.shade == 0 ? GroupColours{s.group_color_top_text1, s.group_color_top_back1}
                            : GroupColours{s.group_color_top_text2, s.group_color_top_back2};
    return e.shade == 0 ? GroupColours{s.group_color_bottom_text1, s.group_color_bottom_back1}
                        : GroupColours{s.group_color_bottom_text2, s.group_color_bottom_back2};
}

LRESULT custom_draw(NMLVCUSTOMDRAW* cd) {
    Session& session = app_session();
    switch (cd->nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            return CDRF_NOTIFYITEMDRAW;
        case CDDS_ITEMPREPAINT: {
            if (session.settings.sort_col != kMainColumnGroup || !session.board.board_loaded)
                return 0;
            const int32_t c = row_component(static_cast<int>(cd->nmcd.dwItemSpec));
            if (c < 0 || static_cast<size_t>(c) >= session.board.elements.size()) return 0;
            // Selecting a font costs the server round trips; the control leaves ours in place
            // from row to row.
            const HFONT font = app_windows().fonts.row.get();
            if (font && GetCurrentObject(cd->nmcd.hdc, OBJ_FONT) != font)
                SelectObject(cd->nmcd.hdc, font);
            const GroupColours colours = group_colours(session.board.elements[c]);
            cd->clrText = colours.text;
            cd->clrTextBk = colours.back;
            return CDRF_DODEFAULT;
        }
        case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
            return CDRF_NEWFONT;
    }
    return CDRF_NOTIFYPOSTERASE;
}

int row_of_click(LPARAM lparam) {
    const auto* item = reinterpret_cast<const NMITEMACTIVATE*>(lparam);
    return item->iItem;
}

}  // namespace

void set_list_activation() {
    AppWindows& w = app_windows();
    if (!w.list_main) return;
    const DWORD mask = LVS_EX_ONECLICKACTIVATE | LVS_EX_TWOCLICKACTIVATE;
    const DWORD style = w.double_click_select ? LVS_EX_TWOCLICKACTIVATE : LVS_EX_ONECLICKACTIVATE;
    SendMessageW(w.list_main, LVM_SETEXTENDEDLISTVIEWSTYLE, mask, style);
}

void fill_component_list(bool reset) {
    AppWindows& w = app_windows();
    Session& session = app_session();
    if (!w.list_main) return;
    // The row chosen last goes where its part goes: with "Leave selected" off the next choice
    // takes that row's mark, and a stale row would take another part's.
    const int32_t last = row_component(session.last_row);
    // Deleting the rows also drops the highlight and scrolls back to the top.
    SendMessageW(w.list_main, LVM_DELETEALLITEMS, 0, 0);
    const std::vector<size_t> shown = shown_list_rows(
        session.board, session.settings.show_top_side != 0, session.settings.show_bottom_side != 0);
    set_main_rows(filter_rows(session.board, shown, session.find_text), session.board.elements.size());
    SendMessageW(w.list_main, LVM_SETITEMCOUNT, main_row_count(), 0);
    if (reset) session.board.marks.reset(session.board.elements.size());
    session.last_row = last >= 0 && !reset ? find_component_row(static_cast<uint32_t>(last)) : -1;
    InvalidateRect(w.list_main, nullptr, TRUE);
}

void refill_component_list() {
    // The row count is set while the list paints: the control takes its scroll range from it.
    // Held after that: moving the focus to a far row scrolls the control, which then repaints
    // every row, so the refill would paint the list two or three times.
    fill_component_list(false);
    const HeldListPaint held(app_windows().list_main);
    show_row_marks();
    sort_component_list(static_cast<int>(app_session().settings.sort_col));
}

void show_row_marks() {
    Session& session = app_session();
    // The list holds one selected row: highlighting every marked row in turn would leave only
    // the last one highlighted. So the images first, one repaint, then that one highlight.
    HWND list = app_windows().list_main;
    if (!list) return;
    const int n = static_cast<int>(main_row_count());
    int last_marked = -1;
    bool changed = false;
    for (int row = 0; row < n; ++row) {
        const int32_t c = row_component(row);
        const bool marked =
            c >= 0 && session.board.marks.state(static_cast<size_t>(c)) != kStateUnselected;
        changed = store_main_row_image(row, marked ? kImageMarked : kImageUnmarked) || changed;
        if (marked) last_marked = row;
    }
    if (changed) InvalidateRect(list, nullptr, TRUE);
    clear_row_states();
    if (last_marked >= 0) highlight_row(last_marked);
}

void set_sort_header(int column) {
    AppWindows& w = app_windows();
    if (!w.list_main) return;
    // Through the header itself: not every list view passes a column's image flag on to it.
    HWND header = reinterpret_cast<HWND>(SendMessageW(w.list_main, LVM_GETHEADER, 0, 0));
    if (!header) return;
    for (int c = 0; c < kMainColumnCount; ++c) {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        if (!SendMessageW(header, HDM_GETITEMW, c, reinterpret_cast<LPARAM>(&item))) continue;
        item.mask = HDI_FORMAT | HDI_IMAGE;
        if (c == column) {
            item.fmt |= HDF_IMAGE;
            item.iImage = kImageSortMark;
        } else {
            item.fmt &= ~HDF_IMAGE;
            item.iImage = 0;
        }
        SendMessageW(header, HDM_SETITEMW, c, reinterpret_cast<LPARAM>(&item));
    }
}

void sort_component_list(int column) {
    AppWindows& w = app_windows();
    if (!w.list_main) return;
    // The highlight and the focus stay with their components, wherever the order puts them.
    const int32_t selected = row_component(selected_main_row());
    const int32_t focused = row_component(next_row(LVNI_FOCUSED));
    const int32_t last = row_component(app_session().last_row);
    sort_main_rows(column);
    app_session().last_row = last >= 0 ? find_component_row(static_cast<uint32_t>(last)) : -1;
    const int selected_row = selected >= 0 ? find_component_row(static_cast<uint32_t>(selected)) : -1;
    const int focused_row = focused >= 0 ? find_component_row(static_cast<uint32_t>(focused)) : -1;
    if (selected >= 0 || focused >= 0) {
        clear_row_states();
        if (selected_row >= 0) set_row_state(selected_row, LVIS_SELECTED, LVIS_SELECTED);
        if (focused_row >= 0) set_row_state(focused_row, LVIS_FOCUSED, LVIS_FOCUSED);
    }
    InvalidateRect(w.list_main, nullptr, TRUE);
}

void sort_by_header_click(int column) {
    Session& session = app_session();
    if (column < 0 || column >= kMainColumnCount) return;
    set_sort_header(column);
    sort_component_list(column);
    session.settings.sort_col = static_cast<uint32_t>(column);
    store_sort_col();
    // The group colours come or go with the order.
    InvalidateRect(app_windows().list_main, nullptr, TRUE);
}

int32_t row_component(int row) {
    if (!app_windows().list_main) return -1;
    return main_row_component(row);
}

void mark_row(int row, bool marked) {
    if (row < 0 || !app_windows().list_main) return;
    set_main_row_image(row, marked ? kImageMarked : kImageUnmarked);
    if (marked)
        highlight_row(row);
    else
        set_row_state(row, 0, kRowStates);
}

void update_placed_counter() {
    AppWindows& w = app_windows();
    Session& session = app_session();
    if (w.static_counter)
        SetWindowTextW(w.static_counter, placed_counter_text(session.board).c_str());
}

void toggle_row_selection(uint32_t component, int row) {
    Session& session = app_session();
    const ToggleOutcome t = session.board.marks.toggle(
        component, row, session.settings.leave_selected != 0, session.last_row);
    if (t.changed) {
        if (t.unmark_row >= 0) mark_row(t.unmark_row, false);
        mark_row(row, t.row_marked);
    }
    update_placed_counter();
}

int find_component_row(uint32_t component) {
    if (!app_windows().list_main) return -1;
    return main_component_row(component);
}

void choose_main_row(int row, bool by_mouse) {
    AppWindows& w = app_windows();
    Session& session = app_session();
    if (by_mouse && w.hwnd_found && IsWindowVisible(w.hwnd_found))
        ShowWindow(w.hwnd_found, SW_HIDE);
    const int32_t c = row_component(row);
    if (c < 0) return;
    toggle_row_selection(static_cast<uint32_t>(c), row);
    // Only the rows whose image or highlight changed are repainted: they invalidated themselves.
    UpdateWindow(w.list_main);
    // The chosen row stays selected and focused; its image shows the state.
    highlight_row(row);
    redraw_element(static_cast<uint32_t>(c));
    if (session.settings.use_crosshair) {
        set_current_component(c);
        draw_crosshair(false);
    }
    if (session.board.marks.state(static_cast<size_t>(c)) == kStateCurrent)
        bring_into_view(static_cast<uint32_t>(c));
}

LRESULT main_list_notify(const NMHDR* header, LPARAM lparam) {
    AppWindows& w = app_windows();
    switch (header->code) {
        case NM_CUSTOMDRAW:
            return custom_draw(reinterpret_cast<NMLVCUSTOMDRAW*>(lparam));
        case LVN_COLUMNCLICK:
            sort_by_header_click(reinterpret_cast<const NMLISTVIEW*>(lparam)->iSubItem);
            return 0;
        case LVN_GETDISPINFOW:
            give_main_row(reinterpret_cast<NMLVDISPINFOW*>(lparam));
            return 0;
        case LVN_ODFINDITEMW:
            return find_main_row(reinterpret_cast<const NMLVFINDITEMW*>(lparam));
        case LVN_HOTTRACK:
            return 1;  // hovering never selects a row
        case NM_CLICK:
            if (!w.double_click_select) choose_main_row(row_of_click(lparam), true);
            return 0;
        case NM_DBLCLK:
            if (w.double_click_select) choose_main_row(row_of_click(lparam), true);
            return 0;
    }
    return 0;
}

}  // namespace tindral
