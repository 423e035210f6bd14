#include "platform/win/gdi_canvas_win.h"

#include <utility>

#include "shell/app_win.h"

namespace tindral {

void prepare_board_dc(HDC dc, int w, int h) {
    SetMapMode(dc, MM_ISOTROPIC);
    SetWindowExtEx(dc, w, h, nullptr);
    SetWindowOrgEx(dc, 0, 0, nullptr);
    SetViewportOrgEx(dc, 0, h, nullptr);
    SetViewportExtEx(dc, w, -h, nullptr);
    SetROP2(dc, R2_COPYPEN);
    SelectObject(dc, GetStockObject(NULL_BRUSH));
}

GdiCanvas::GdiCanvas(HDC dc) : dc_(dc), original_pen_(GetCurrentObject(dc, OBJ_PEN)) {}

// The own pens go after the body, once none of them is selected any more.
GdiCanvas::~GdiCanvas() { SelectObject(dc_, original_pen_); }

HPEN GdiCanvas::pen_of(const Pen& pen) {
    const Pens& pens = app_windows().pens;
    HPEN made = nullptr;
    switch (pen.role) {
    case PenRole::none: return static_cast<HPEN>(original_pen_);
    case PenRole::top_unselected: made = pens.top_unselected.get(); break;
    case PenRole::top_current: made = pens.top_curr_selection.get(); break;
    case PenRole::top_selected: made = pens.top_selected.get(); break;
    case PenRole::bottom_unselected: made = pens.bottom_unselected.get(); break;
    case PenRole::bottom_current: made = pens.bottom_curr_selection.get(); break;
    case PenRole::bottom_selected: made = pens.bottom_selected.get(); break;
    case PenRole::grey: made = pens.grey.get(); break;
    case PenRole::found: break;  // a pen of its own below
    case PenRole::pad:
        // the start-up pen only while it still has the colour asked for
        if (pen.colour == app_session().settings.color_pads) made = pens.pads.get();
        break;
    }
    if (made) return made;
    for (const OwnPen& p : own_)
        if (p.colour == pen.colour) return p.pen.get();
    GdiOwner<HPEN> own(CreatePen(PS_SOLID, 1, static_cast<COLORREF>(pen.colour)));
    if (!own) return nullptr;
    const HPEN made_here = own.get();
    own_.push_back({pen.colour, std::move(own)});
    return made_here;
}

Pen GdiCanvas::select_pen(const Pen& pen) {
    const Pen previous = pen_;
    if (HPEN h = pen_of(pen)) SelectObject(dc_, h);
    pen_ = pen;
    return previous;
}

void GdiCanvas::move_to(int32_t x, int32_t y) { MoveToEx(dc_, x, y, nullptr); }

void GdiCanvas::line_to(int32_t x, int32_t y) { LineTo(dc_, x, y); }

void GdiCanvas::ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    Ellipse(dc_, left, top, right, bottom);
}

void GdiCanvas::arc(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t start_x,
                    int32_t start_y, int32_t end_x, int32_t end_y) {
    Arc(dc_, left, top, right, bottom, start_x, start_y, end_x, end_y);
}

HBRUSH GdiCanvas::brush_of(uint32_t colour) {
    for (const OwnBrush& b : brushes_)
        if (b.colour == colour) return b.brush.get();
    GdiOwner<HBRUSH> own(CreateSolidBrush(static_cast<COLORREF>(colour)));
    if (!own) return nullptr;
    const HBRUSH made = own.get();
    brushes_.push_back({colour, std::move(own)});
    return made;
}

void GdiCanvas::filled_ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    const HBRUSH brush = brush_of(pen_.colour);
    if (!brush) {  // out of GDI objects: the outline at least
        Ellipse(dc_, left, top, right, bottom);
        return;
    }
    const HGDIOBJ hollow = SelectObject(dc_, brush);
    Ellipse(dc_, left, top, right, bottom);
    if (hollow) SelectObject(dc_, hollow);
}

void GdiCanvas::text_out(int32_t x, int32_t y, const std::wstring& text) {
    TextOutW(dc_, x, y, text.c_str(), static_cast<int>(text.size()));
}

}  // namespace tindral
