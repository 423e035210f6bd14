#include "shell/gdi_objects_win.h"

#include "settings/settings.h"
#include "shell/app_win.h"

namespace tindral {

namespace {

HFONT arial(int height, int width, int weight) {
    return CreateFontW(height, width, 0, 0, weight, 0, 0, 0, 0, 0, 0, 0, 0, L"Arial");
}

void renew(GdiOwner<HPEN>& pen, uint32_t color) {
    pen.reset(CreatePen(PS_SOLID, 1, static_cast<COLORREF>(color)));
}

void renew(GdiOwner<HBRUSH>& brush, uint32_t color) {
    brush.reset(CreateSolidBrush(static_cast<COLORREF>(color)));
}

}  // namespace

void create_fonts() {
    Fonts& f = app_windows().fonts;
    f.list.reset(arial(18, 7, 400));
    f.row.reset(arial(18, 7, 400));
    f.combo.reset(arial(16, 7, 400));
    f.count.reset(arial(15, 6, 400));
    f.button.reset(arial(18, 9, 400));
    f.layer_list.reset(arial(14, 8, 200));
    f.label.reset(arial(18, 10, 70));
    f.counter.reset(arial(22, 7, 70));
    f.print.reset(arial(500, 200, 70));
}

void create_pens_and_brushes() {
    AppWindows& w = app_windows();
    Session& session = app_session();
    const Settings& s = session.settings;
    Pens& pens = w.pens;
    Brushes& brushes = w.brushes;
    renew(pens.black, 0x000000);
    renew(pens.grey, 0x505050);
    renew(pens.crosshair, s.color_crosshair);
    renew(pens.top_selected, s.color_top_selected);
    renew(pens.top_unselected, s.color_top_unselected);
    renew(pens.top_curr_selection, s.color_top_curr_selection);
    renew(pens.bottom_selected, s.color_bottom_selected);
    renew(pens.bottom_unselected, s.color_bottom_unselected);
    renew(pens.bottom_curr_selection, s.color_bottom_curr_selection);
    renew(pens.pads, s.color_pads);

    renew(brushes.group_top_text1, s.group_color_top_text1);
    renew(brushes.group_top_text2, s.group_color_top_text2);
    renew(brushes.group_top_back1, s.group_color_top_back1);
    renew(brushes.group_top_back2, s.group_color_top_back2);
    renew(brushes.group_bottom_text1, s.group_color_bottom_text1);
    renew(brushes.group_bottom_text2, s.group_color_bottom_text2);
    renew(brushes.group_bottom_back1, s.group_color_bottom_back1);
    renew(brushes.group_bottom_back2, s.group_color_bottom_back2);
    renew(brushes.top_curr_selection, s.color_top_curr_selection);
    renew(brushes.top_selected, s.color_top_selected);
    renew(brushes.top_unselected, s.color_top_unselected);
    renew(brushes.bottom_curr_selection, s.color_bottom_curr_selection);
    renew(brushes.bottom_selected, s.color_bottom_selected);
    renew(brushes.bottom_unselected, s.color_bottom_unselected);
    renew(brushes.crosshair, s.color_crosshair);
    renew(brushes.pads, s.color_pads);
}

}  // namespace tindral
