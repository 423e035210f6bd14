#include "shell/colour_dialog_win.h"

#include <commdlg.h>

#include "model/board_model.h"
#include "settings/colour_choice.h"
#include "settings/registry_settings.h"
#include "settings/startup_rules.h"
#include "shell/app_win.h"
#include "shell/board_window_win.h"
#include "shell/gdi_objects_win.h"
#include "shell/guarded_proc_win.h"
#include "text/format.h"
#include "text/lang.h"

namespace tindral {

namespace {

enum : int {
    kSetDefaults = 1054,
    kCopyTopToBottom = 1070,
    kListTop = 1081,
    kListBottom = 1082,
    kBoardTop = 1083,
    kBoardBottom = 1084,
};

// The drawing objects behind each swatch, in the order of kColourSlots.
struct SwatchObjects {
    GdiOwner<HBRUSH> Brushes::*brush;
    GdiOwner<HPEN> Pens::*pen;  // nullptr: the swatch has no pen
};

const SwatchObjects kObjects[kColourSlotCount] = {
    {&Brushes::group_top_text1, nullptr},
    {&Brushes::group_top_back1, nullptr},
    {&Brushes::group_top_text2, nullptr},
    {&Brushes::group_top_back2, nullptr},
    {&Brushes::group_bottom_text1, nullptr},
    {&Brushes::group_bottom_back1, nullptr},
    {&Brushes::group_bottom_text2, nullptr},
    {&Brushes::group_bottom_back2, nullptr},
    {&Brushes::top_curr_selection, &Pens::top_curr_selection},
    {&Brushes::top_selected, &Pens::top_selected},
    {&Brushes::top_unselected, &Pens::top_unselected},
    {&Brushes::bottom_curr_selection, &Pens::bottom_curr_selection},
    {&Brushes::bottom_selected, &Pens::bottom_selected},
    {&Brushes::bottom_unselected, &Pens::bottom_unselected},
    {&Brushes::crosshair, &Pens::crosshair},
    {&Brushes::pads, &Pens::pads},
};

int slot_index(int swatch_id) {
    for (int i = 0; i < kColourSlotCount; ++i)
        if (kColourSlots[i].swatch_id == swatch_id) return i;
    return -1;
}

void renew_slot(HWND dialog, int i) {
    Session& session = app_session();
    const ColourSlot& slot = kColourSlots[i];
    AppWindows& w = app_windows();
    renew_swatch(dialog, slot.swatch_id, w.brushes.*kObjects[i].brush,
                 kObjects[i].pen ? &(w.pens.*kObjects[i].pen) : nullptr,
                 session.settings.*slot.colour);
}

void set_texts(HWND dialog) {
    SetWindowTextW(dialog, format_text(100, L"%s  DlgColorSettings", kProgramTitle).c_str());
    for (const ColourSlot& slot : kColourSlots)
        SetDlgItemTextW(dialog, slot.caption_id, text(slot.caption));
    SetDlgItemTextW(dialog, kListTop, text(TXT_SIDE_TOP));
    SetDlgItemTextW(dialog, kBoardTop, text(TXT_SIDE_TOP));
    SetDlgItemTextW(dialog, kListBottom, text(TXT_SIDE_BOTTOM));
    SetDlgItemTextW(dialog, kBoardBottom, text(TXT_SIDE_BOTTOM));
    SetDlgItemTextW(dialog, kSetDefaults, text(TXT_SET_COLORS_DEFAULT));
    SetDlgItemTextW(dialog, kCopyTopToBottom, text(TXT_COPY_COLORS));
    SetDlgItemTextW(dialog, IDCANCEL, text(TXT_CANCEL));
}

void paint_samples(HWND dialog) {
    Session& session = app_session();
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(dialog, &ps);
    if (!dc) return;
    const HFONT font = app_windows().fonts.list.get();
    const HGDIOBJ old_font = font ? SelectObject(dc, font) : nullptr;
    const int old_mode = SetBkMode(dc, OPAQUE);
    SampleLine lines[kSampleLineCount];
    sample_lines(session.settings, lines);
    const wchar_t* sample = text(TXT_TEXT_SAMPLE);
    for (const SampleLine& line : lines) {
        SetTextColor(dc, static_cast<COLORREF>(line.text_colour));
        SetBkColor(dc, static_cast<COLORREF>(line.back_colour));
        TextOutW(dc, line.x, line.y, sample, lstrlenW(sample));
    }
    SetBkMode(dc, old_mode);
    if (old_font) SelectObject(dc, old_font);
    EndPaint(dialog, &ps);
}

void on_swatch(HWND dialog, int i) {
    Session& session = app_session();
    uint32_t colour = session.settings.*kColourSlots[i].colour;
    if (!app_windows().colour_chooser(dialog, colour)) return;
    session.settings.*kColourSlots[i].colour = colour;
    renew_slot(dialog, i);
}

// The lists and the board in the colours now in force (OK, and also Cancel, which keeps the
// colours picked meanwhile).
void show_colours_in_force() {
    AppWindows& w = app_windows();
    Session& session = app_session();
    if (!session.board.board_loaded) return;
    // A parent erases its children's place too: each window paints first, then its children,
    // and only then is the crosshair drawn on top.
    for (HWND window : {w.hwnd_main, w.hwnd_board})
        if (window)
            RedrawWindow(window, nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    draw_crosshair(false);
}

void on_ok(HWND dialog) {
    Session& session = app_session();
    put_settings(session.settings);
    EndDialog(dialog, IDOK);
    show_colours_in_force();
}

void on_command(HWND dialog, int id, int code) {
    Session& session = app_session();
    switch (id) {
        case kSetDefaults:
            reset_colours_to_default(session.settings);
            create_pens_and_brushes();
            InvalidateRect(dialog, nullptr, TRUE);
            return;
        case kCopyTopToBottom:
            copy_top_colours_to_bottom(session.settings);
            for (int swatch : {1069, 1067, 1065}) renew_slot(dialog, slot_index(swatch));
            return;
        case IDOK:
            on_ok(dialog);
            return;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            show_colours_in_force();
            return;
    }
    const int i = slot_index(id);
    if (i >= 0 && code == STN_CLICKED) on_swatch(dialog, i);
}

}  // namespace

int choose_colour(HWND owner, uint32_t& colour) {
    COLORREF custom[16] = {};  // black at every call
    CHOOSECOLORW cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = owner;
    cc.rgbResult = static_cast<COLORREF>(colour);
    cc.lpCustColors = custom;
    cc.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ANYCOLOR;
    if (!ChooseColorW(&cc)) return 0;
    colour = static_cast<uint32_t>(cc.rgbResult);
    return 1;
}

void renew_swatch(HWND dialog, int, GdiOwner<HBRUSH>& brush, GdiOwner<HPEN>* pen,
                  uint32_t colour) {
    brush.reset(CreateSolidBrush(static_cast<COLORREF>(colour)));
    if (pen) pen->reset(CreatePen(PS_SOLID, 1, static_cast<COLORREF>(colour)));
    InvalidateRect(dialog, nullptr, TRUE);
}

namespace {

INT_PTR colour_message(HWND dialog, UINT msg, WPARAM wparam, LPARAM lparam) {
    Session& session = app_session();
    switch (msg) {
        case WM_INITDIALOG:
            reread_settings(session.settings);
            // The swatches show what was just read, not colours of a cancelled dialog.
            create_pens_and_brushes();
            set_texts(dialog);
            return TRUE;
        case WM_CTLCOLORSTATIC: {
            const int i = slot_index(GetDlgCtrlID(reinterpret_cast<HWND>(lparam)));
            if (i < 0) return FALSE;
            return reinterpret_cast<INT_PTR>((app_windows().brushes.*kObjects[i].brush).get());
        }
        case WM_PAINT:
            paint_samples(dialog);
            return TRUE;
        case WM_COMMAND:
            on_command(dialog, LOWORD(wparam), HIWORD(wparam));
            return TRUE;
    }
    return FALSE;
}

}  // namespace

INT_PTR CALLBACK DlgColorSettings(HWND dialog, UINT msg, WPARAM wparam, LPARAM lparam) {
    return guarded_dialog_message(colour_message, dialog, msg, wparam, lparam);
}

}  // namespace tindral
