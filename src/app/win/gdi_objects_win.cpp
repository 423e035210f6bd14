#include "app/win/gdi_objects_win.h"

#include "app/win/globals_win.h"
#include "settings/settings.h"

namespace tindral {

namespace {

HFONT arial(int height, int width, int weight) {
    return CreateFontW(height, width, 0, 0, weight, 0, 0, 0, 0, 0, 0, 0, 0, L"Arial");
}

void renew(HPEN& pen, uint32_t color) {
    if (pen) DeleteObject(pen);
    pen = CreatePen(PS_SOLID, 1, static_cast<COLORREF>(color));
}

void renew(HBRUSH& brush, uint32_t color) {
    if (brush) DeleteObject(brush);
    brush = CreateSolidBrush(static_cast<COLORREF>(color));
}

}  // namespace

void create_fonts() {
    g_fonts.list = arial(18, 7, 400);
    g_fonts.row = arial(18, 7, 400);
    g_fonts.combo = arial(16, 7, 400);
    g_fonts.count = arial(15, 6, 400);
    g_fonts.button = arial(18, 9, 400);
    g_fonts.layer_list = arial(14, 8, 200);
    g_fonts.label = arial(18, 10, 70);
    g_fonts.counter = arial(22, 7, 70);
    g_fonts.print = arial(500, 200, 70);
}

void create_pens_and_brushes() {
    const Settings& s = g_settings;
    renew(g_pens.black, 0x000000);
    renew(g_pens.grey, 0x505050);
    renew(g_pens.crosshair, s.color_crosshair);
    renew(g_pens.top_selected, s.color_top_selected);
    renew(g_pens.top_unselected, s.color_top_unselected);
    renew(g_pens.top_curr_selection, s.color_top_curr_selection);
    renew(g_pens.bottom_selected, s.color_bottom_selected);
    renew(g_pens.bottom_unselected, s.color_bottom_unselected);
    renew(g_pens.bottom_curr_selection, s.color_bottom_curr_selection);

    // The black brush paints the board window classes' background: made once, never replaced.
    if (!g_brushes.black) g_brushes.black = CreateSolidBrush(RGB(0, 0, 0));
    renew(g_brushes.group_top_text1, s.group_color_top_text1);
    renew(g_brushes.group_top_text2, s.group_color_top_text2);
    renew(g_brushes.group_top_back1, s.group_color_top_back1);
    renew(g_brushes.group_top_back2, s.group_color_top_back2);
    renew(g_brushes.group_bottom_text1, s.group_color_bottom_text1);
    renew(g_brushes.group_bottom_text2, s.group_color_bottom_text2);
    renew(g_brushes.group_bottom_back1, s.group_color_bottom_back1);
    renew(g_brushes.group_bottom_back2, s.group_color_bottom_back2);
    renew(g_brushes.top_curr_selection, s.color_top_curr_selection);
    renew(g_brushes.top_selected, s.color_top_selected);
    renew(g_brushes.top_unselected, s.color_top_unselected);
    renew(g_brushes.bottom_curr_selection, s.color_bottom_curr_selection);
    renew(g_brushes.bottom_selected, s.color_bottom_selected);
    renew(g_brushes.bottom_unselected, s.color_bottom_unselected);
    renew(g_brushes.crosshair, s.color_crosshair);
}

}  // namespace tindral
