#pragma once
// Process-wide handles of the Windows program: created at start-up and kept for the whole run.

#include <windows.h>
#include <commctrl.h>

#include "app/win/message_port_win.h"  // g_hwnd_main, g_hwnd_bom

namespace tindral {

extern HINSTANCE g_instance;

// Top-level windows and the board window's children (main and BOM are in message_port_win).
extern HWND g_hwnd_board;
extern HWND g_hwnd_layout;  // drawing area
extern HWND g_hwnd_found;
extern HWND g_hwnd_toolbar;

// Controls of the main window.
extern HWND g_list_main;
extern HWND g_static_path;
extern HWND g_combo_path;
extern HWND g_button_delete;
extern HWND g_static_counter;
extern HWND g_button_browse;
extern HWND g_button_load;
extern HWND g_button_clear;
extern HWND g_button_bom;
extern HWND g_edit_path_count;

// Controls of the drawing area, the found-components window and the BOM window.
extern HWND g_list_layers;
extern HWND g_list_found;
extern HWND g_button_found_close;
extern HWND g_list_bom;
extern HWND g_button_print;
extern HWND g_button_bom_close;
extern HWND g_static_date;

extern HHOOK g_keyboard_hook;
extern HACCEL g_accelerators;

extern HIMAGELIST g_main_list_images;  // unmarked row, marked row, sort mark
extern HIMAGELIST g_toolbar_images;

struct Fonts {
    HFONT list, row, combo, count, button, layer_list, label, counter, print;
};
extern Fonts g_fonts;

struct Pens {
    HPEN black, grey, crosshair;
    HPEN top_selected, top_unselected, top_curr_selection;
    HPEN bottom_selected, bottom_unselected, bottom_curr_selection;
};
extern Pens g_pens;

struct Brushes {
    HBRUSH black;  // also the background of the board window classes
    HBRUSH group_top_text1, group_top_text2, group_top_back1, group_top_back2;
    HBRUSH group_bottom_text1, group_bottom_text2, group_bottom_back1, group_bottom_back2;
    HBRUSH top_curr_selection, top_selected, top_unselected;
    HBRUSH bottom_curr_selection, bottom_selected, bottom_unselected;
    HBRUSH crosshair;
};
extern Brushes g_brushes;

// Where the drawing area sits inside the board window's client area.
struct AreaPlacement {
    int x, y, width, height;
};
extern AreaPlacement g_layout_placement;

// Room the board window leaves for the drawing area's scroll bars.
extern int g_scroll_allowance_x;
extern int g_scroll_allowance_y;

}  // namespace tindral
