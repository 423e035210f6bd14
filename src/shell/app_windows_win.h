#pragma once
// The program's windows, controls and drawing objects: one struct, owned by the App.

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <vector>

#include "lists/bom_rows.h"
#include "platform/win/owned_win.h"
#include "settings/settings_dialog_rules.h"

namespace tindral {

struct Fonts {
    GdiOwner<HFONT> list, row, combo, count, button, layer_list, label, counter, print;
};

struct Pens {
    GdiOwner<HPEN> black, grey, crosshair;
    GdiOwner<HPEN> top_selected, top_unselected, top_curr_selection;
    GdiOwner<HPEN> bottom_selected, bottom_unselected, bottom_curr_selection;
    GdiOwner<HPEN> pads;
};

struct Brushes {
    GdiOwner<HBRUSH> group_top_text1, group_top_text2, group_top_back1, group_top_back2;
    GdiOwner<HBRUSH> group_bottom_text1, group_bottom_text2, group_bottom_back1, group_bottom_back2;
    GdiOwner<HBRUSH> top_curr_selection, top_selected, top_unselected;
    GdiOwner<HBRUSH> bottom_curr_selection, bottom_selected, bottom_unselected;
    GdiOwner<HBRUSH> crosshair;
    GdiOwner<HBRUSH> pads;
};

// Where the drawing area sits inside the board window's client area.
struct AreaPlacement {
    int x, y, width, height;
};

// The drawing area's last full picture, in a memory device context; the crosshair is not part
// of it.
class AreaPicture {
public:
    AreaPicture() = default;
    ~AreaPicture() { release(); }
    AreaPicture(const AreaPicture&) = delete;
    AreaPicture& operator=(const AreaPicture&) = delete;

    // Gives back the bitmap and the device context; the next paint makes new ones.
    void release();

    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ original = nullptr;  // the device context's own bitmap, selected back before it goes
    int width = 0, height = 0;
    // The colour the crosshair on the screen was drawn in: exclusive-or removes it only with the
    // same pen, and the colour dialog may have renewed the pen in between.
    COLORREF crosshair_colour = 0;
    // A second thread is drawing into dc (redraw_area_beside): nothing else may touch it or the
    // element boxes until that ends and shows the whole picture. A paint or a part's redraw
    // asked for meanwhile sets missed, and the area is then painted anew instead.
    bool drawing = false;
    bool missed = false;
};

// What the main list shows: it is an owner-data list view, so it asks for every cell. The rows
// hold model indices in row order; each component's row carries one image (0 unmarked, 1
// marked), set as the marks change, so that it moves with the row when the order changes.
struct MainListRows {
    std::vector<uint32_t> components;  // row -> model index
    std::vector<int32_t> row_of;       // model index -> row, -1 for none
    std::vector<uint8_t> images;       // model index -> image of its row
};

// Space acts once per key-down; these keep a second action from starting while the first one or
// its warning box is still on the screen.
struct KeyFlags {
    bool busy = false;
    bool message_open = false;
    // The hook also sees the keys of the path-delete dialog it opened: a second Delete there must
    // not open it again on top of itself.
    bool delete_dialog_open = false;
};

// What a swatch click calls to pick a colour; tests put a scripted chooser here.
using ColourChooser = int (*)(HWND owner, uint32_t& colour);
// ChooseColorW starting from colour; 1 with the chosen colour in colour, 0 when cancelled.
int choose_colour(HWND owner, uint32_t& colour);

struct AppWindows {
    HINSTANCE instance = nullptr;

    // Top-level windows and the board window's children.
    HWND hwnd_main = nullptr;
    HWND hwnd_bom = nullptr;
    HWND hwnd_board = nullptr;
    HWND hwnd_layout = nullptr;  // drawing area
    HWND hwnd_found = nullptr;
    HWND hwnd_toolbar = nullptr;
    HWND hwnd_booklet = nullptr;  // the booklet's preview while it is open

    // Controls of the main window.
    HWND list_main = nullptr;
    HWND static_path = nullptr;
    HWND combo_path = nullptr;
    HWND button_delete = nullptr;
    HWND static_counter = nullptr;
    HWND button_browse = nullptr;
    HWND button_load = nullptr;
    HWND button_clear = nullptr;
    HWND button_bom = nullptr;
    HWND edit_path_count = nullptr;
    HWND static_find = nullptr;
    HWND edit_find = nullptr;  // the find box above the list
    HWND static_variant = nullptr;  // the assembly-variant chooser: label and drop-down list
    HWND combo_variant = nullptr;

    // Controls of the drawing area, the found-components window and the BOM window.
    HWND list_layers = nullptr;
    HWND list_found = nullptr;
    HWND button_found_close = nullptr;
    HWND list_bom = nullptr;
    HWND button_print = nullptr;
    HWND button_bom_close = nullptr;
    HWND static_date = nullptr;

    KeyboardHookOwner keyboard_hook;
    HACCEL accelerators = nullptr;  // from the resources: never destroyed

    MainListRows main_rows;
    HIMAGELIST main_list_images = nullptr;  // unmarked row, marked row, sort mark; the list owns it
    ImageListOwner toolbar_images;

    Fonts fonts;
    Pens pens;
    Brushes brushes;

    AreaPicture picture;
    AreaPlacement layout_placement{};
    // Room the board window leaves for the drawing area's scroll bars.
    int scroll_allowance_x = 0;
    int scroll_allowance_y = 0;

    KeyFlags key_flags;
    ColourChooser colour_chooser = choose_colour;
    // The settings dialog's double-click option (kept in memory only): a row is chosen by a
    // double click instead of one click.
    bool double_click_select = false;
    // What the settings dialog (modal, one at a time) remembers from its opening.
    SettingsDialogMemory settings_memory;

    // The BOM window's rows in the order it shows them; printing reads them.
    std::vector<BomRow> bom_rows;

    // The user agreed to end the program (marks saved, or left unsaved on purpose); a second way
    // out, such as the end of the Windows session after its query, does not ask again.
    bool end_agreed = false;
};

}  // namespace tindral
