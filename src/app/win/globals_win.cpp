#include "app/win/globals_win.h"

namespace tindral {

HINSTANCE g_instance = nullptr;

HWND g_hwnd_board = nullptr;
HWND g_hwnd_layout = nullptr;
HWND g_hwnd_found = nullptr;
HWND g_hwnd_toolbar = nullptr;

HWND g_list_main = nullptr;
HWND g_static_path = nullptr;
HWND g_combo_path = nullptr;
HWND g_button_delete = nullptr;
HWND g_static_counter = nullptr;
HWND g_button_browse = nullptr;
HWND g_button_load = nullptr;
HWND g_button_clear = nullptr;
HWND g_button_bom = nullptr;
HWND g_edit_path_count = nullptr;

HWND g_list_layers = nullptr;
HWND g_list_found = nullptr;
HWND g_button_found_close = nullptr;
HWND g_list_bom = nullptr;
HWND g_button_print = nullptr;
HWND g_button_bom_close = nullptr;
HWND g_static_date = nullptr;

HHOOK g_keyboard_hook = nullptr;
HACCEL g_accelerators = nullptr;

HIMAGELIST g_main_list_images = nullptr;
HIMAGELIST g_toolbar_images = nullptr;

Fonts g_fonts{};
Pens g_pens{};
Brushes g_brushes{};

AreaPlacement g_layout_placement{};
int g_scroll_allowance_x = 0;
int g_scroll_allowance_y = 0;

}  // namespace tindral
