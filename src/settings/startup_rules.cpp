#include "settings/startup_rules.h"

#include <algorithm>

#include "../../resources/resource.h"
#include "text/format.h"

namespace tindral {

const wchar_t kProgramTitle[] = L"Tindral V2.00.1";

bool apply_first_start(Settings& s, uint64_t keyboard_layout) {
    if (s.first_start == 0) return false;
    s.first_start = 0;
    s.language = keyboard_layout == kGermanKeyboardLayout ? 0 : 1;
    return true;
}

namespace {

// Window geometry is stored as DWORDs; a window left of or above the screen stores a
// negative value, so read them back signed.
int as_signed(uint32_t v) { return static_cast<int>(static_cast<int32_t>(v)); }

uint32_t as_stored(int v) { return static_cast<uint32_t>(static_cast<int32_t>(v)); }

void clamp_at_least(uint32_t& value, int minimum, int replacement) {
    if (as_signed(value) < minimum) value = as_stored(replacement);
}

using Field = uint32_t Settings::*;

struct RectFields {
    Field x, y, width, height;
};

RectFields fields(TopWindow w) {
    switch (w) {
        case TopWindow::main:
            return {&Settings::wnd_main_x, &Settings::wnd_main_y, &Settings::wnd_main_width,
                    &Settings::wnd_main_height};
        case TopWindow::board:
            return {&Settings::wnd_board_x, &Settings::wnd_board_y, &Settings::wnd_board_width,
                    &Settings::wnd_board_height};
        case TopWindow::found:
            return {&Settings::wnd_found_x, &Settings::wnd_found_y, &Settings::wnd_found_width,
                    &Settings::wnd_found_height};
        case TopWindow::bom:
            break;
    }
    return {&Settings::wnd_bom_x, &Settings::wnd_bom_y, &Settings::wnd_bom_width,
            &Settings::wnd_bom_height};
}

}  // namespace

WindowRect fit_onto_screen(WindowRect r, const ScreenArea& area) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return r;
    r.width = std::min(r.width, width);
    r.height = std::min(r.height, height);
    r.x = std::clamp(r.x, area.left, area.right - r.width);
    r.y = std::clamp(r.y, area.top, area.bottom - r.height);
    return r;
}

void clamp_window_rects(Settings& s, const std::function<ScreenArea(const WindowRect&)>& area_for) {
    clamp_at_least(s.wnd_main_x, 0, 0);
    clamp_at_least(s.wnd_main_y, 0, 0);
    clamp_at_least(s.wnd_board_x, 0, 0);
    clamp_at_least(s.wnd_board_y, 0, 0);
    for (TopWindow w : {TopWindow::main, TopWindow::board, TopWindow::found, TopWindow::bom}) {
        const RectFields f = fields(w);
        const WindowRect d = default_window_rect(w);
        clamp_at_least(s.*f.width, 200, d.width);
        clamp_at_least(s.*f.height, 100, d.height);
        const WindowRect r = stored_window_rect(s, w);
        const WindowRect fitted = fit_onto_screen(r, area_for(r));
        record_window_rect(s, w, fitted.x, fitted.y, fitted.x + fitted.width,
                           fitted.y + fitted.height);
    }
}

WindowRect default_window_rect(TopWindow w) {
    switch (w) {
        case TopWindow::main: return {10, 100, 1100, 768};
        case TopWindow::board: return {300, 5, 984, 728};
        case TopWindow::found:
        case TopWindow::bom: break;
    }
    return {5, 5, 650, 300};
}

WindowRect stored_window_rect(const Settings& s, TopWindow w) {
    const RectFields f = fields(w);
    return {as_signed(s.*f.x), as_signed(s.*f.y), as_signed(s.*f.width), as_signed(s.*f.height)};
}

WindowRect initial_window_rect(const Settings& s, TopWindow w) {
    return s.remember_window_pos ? stored_window_rect(s, w) : default_window_rect(w);
}

void record_window_rect(Settings& s, TopWindow w, int left, int top, int right, int bottom) {
    const RectFields f = fields(w);
    s.*f.x = as_stored(left);
    s.*f.y = as_stored(top);
    s.*f.width = as_stored(right - left);
    s.*f.height = as_stored(bottom - top);
}

std::array<ToolButton, 8> toolbar_buttons(const Settings& s) {
    return {{
        {IDM_TOP_SIDE, uint16_t(s.show_top_side ? IDB_TOP_ON : IDB_TOP_OFF), TXT_TOOL_TOP},
        {IDM_BOTTOM_SIDE, uint16_t(s.show_bottom_side ? IDB_BOTTOM_ON : IDB_BOTTOM_OFF), TXT_TOOL_BOTTOM},
        {IDM_REFRESH, IDB_REFRESH, TXT_TOOL_REFRESH},
        {IDM_ZOOM_IN, IDB_ZOOM_IN, TXT_TOOL_PLUS},
        {IDM_ZOOM_OUT, IDB_ZOOM_OUT, TXT_TOOL_MINUS},
        {IDM_FIT, IDB_FIT, TXT_TOOL_FIT},
        {IDM_TO_FRONT, IDB_TO_FRONT, TXT_TOOL_TO_FRONT},
        {IDM_PLACE_NEXT, IDB_PLACE_NEXT, TXT_PLACE_NEXT},
    }};
}

std::wstring board_title_no_board() {
    return format_text(100, L"%s       %s", kProgramTitle, text(TXT_NO_BOARD_LOADED));
}

}  // namespace tindral
