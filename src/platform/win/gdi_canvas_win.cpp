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

namespace {

POINT current_position(HDC dc) {
    POINT at{};
    GetCurrentPositionEx(dc, &at);
    return at;
}

// True colour: a solid brush lights the very pixel value a pen of its colour does. On a palette
// display a brush may be dithered where the pen takes the nearest palette entry.
bool true_colour(HDC dc) {
    BITMAP bitmap{};
    const HGDIOBJ selected = GetCurrentObject(dc, OBJ_BITMAP);
    if (!selected || GetObjectW(selected, sizeof bitmap, &bitmap) == 0) return false;
    return bitmap.bmBitsPixel * bitmap.bmPlanes >= 24;
}

}  // namespace

GdiCanvas::GdiCanvas(HDC dc, CanvasLines lines)
    : dc_(dc),
      original_pen_(GetCurrentObject(dc, OBJ_PEN)),
      selected_pen_(original_pen_),
      wanted_pen_(original_pen_) {
    if (lines == CanvasLines::gathered) {
        batch_.emplace(current_position(dc));
        dc_pen_colour_ = GetDCPenColor(dc);
        true_colour_ = true_colour(dc);
    }
}

// The own pens and brushes go after the body, once none of them is selected any more.
GdiCanvas::~GdiCanvas() {
    if (batch_) {
        draw_lines();
        // where the line calls would have left the current position
        const POINT at = batch_->at();
        MoveToEx(dc_, at.x, at.y, nullptr);
    }
    hollow_brush();
    SelectObject(dc_, original_pen_);
    if (batch_ && dc_pen_colour_ != CLR_INVALID) SetDCPenColor(dc_, dc_pen_colour_);
}

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
    const HPEN h = pen_of(pen);
    if (h) {
        if (batch_)
            wanted_pen_ = h;  // selected when something is drawn with it
        else
            SelectObject(dc_, h);
    }
    pen_ = pen;
    pen_in_colour_ = h != nullptr && pen.role != PenRole::none;
    return previous;
}

std::optional<COLORREF> GdiCanvas::plain_colour(HGDIOBJ pen) {
    for (const PenColour& p : colours_)
        if (p.pen == pen) return p.colour;
    std::optional<COLORREF> colour;
    LOGPEN logpen{};
    if (GetObjectW(pen, sizeof logpen, &logpen) == sizeof logpen && logpen.lopnStyle == PS_SOLID &&
        logpen.lopnWidth.x <= 1)
        colour = logpen.lopnColor;
    colours_.push_back({pen, colour});
    return colour;
}

// A one-pixel solid pen lights the pixels the device context's own pen does in its colour, and
// a colour change of that pen costs far less than selecting another pen.
void GdiCanvas::use_pen() {
    if (!batch_ || wanted_pen_ == selected_pen_) return;
    draw_lines();  // in the pen they were gathered with
    if (const std::optional<COLORREF> colour = plain_colour(wanted_pen_)) {
        if (!dc_pen_in_ && SelectObject(dc_, GetStockObject(DC_PEN))) dc_pen_in_ = true;
        if (dc_pen_in_ && SetDCPenColor(dc_, *colour) != CLR_INVALID) {
            selected_pen_ = wanted_pen_;
            return;
        }
    }
    if (SelectObject(dc_, wanted_pen_)) {
        selected_pen_ = wanted_pen_;
        dc_pen_in_ = false;
    }
}

void GdiCanvas::move_to(int32_t x, int32_t y) {
    if (batch_)
        batch_->move_to({x, y});
    else
        MoveToEx(dc_, x, y, nullptr);
}

void GdiCanvas::line_to(int32_t x, int32_t y) {
    if (!batch_) {
        LineTo(dc_, x, y);
        return;
    }
    // A line to where it starts lights no pixel (the end pixel is never drawn).
    const POINT at = batch_->at();
    if (at.x == x && at.y == y) return;
    use_pen();
    if (batch_->full()) batch_->draw(dc_);
    batch_->line_to({x, y});
}

void GdiCanvas::hollow_brush() {
    if (!filled_) return;
    SelectObject(dc_, hollow_);
    filled_ = nullptr;
}

// Outlines and arcs light pixels in the pen's colour only, as the lines gathered in the same pen
// do: drawn before those lines, they leave the same pixels.
void GdiCanvas::ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    use_pen();
    hollow_brush();
    Ellipse(dc_, left, top, right, bottom);
}

void GdiCanvas::arc(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t start_x,
                    int32_t start_y, int32_t end_x, int32_t end_y) {
    use_pen();
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
    use_pen();
    // The gathered lines are all in the selected pen. When that pen and the brush light the same
    // pixel value, the dot may go before them; otherwise (a palette display, a pen that could
    // not be made) they go first, as they were drawn.
    if (!true_colour_ || !pen_in_colour_) draw_lines();
    const HBRUSH brush = brush_of(pen_.colour);
    if (!brush) {  // out of GDI objects: the outline at least
        hollow_brush();
        Ellipse(dc_, left, top, right, bottom);
        return;
    }
    if (brush != filled_) {
        const HGDIOBJ before = SelectObject(dc_, brush);
        if (!before) {  // not selected: the outline at least
            hollow_brush();
            Ellipse(dc_, left, top, right, bottom);
            return;
        }
        if (!filled_) hollow_ = before;
        filled_ = brush;
    }
    Ellipse(dc_, left, top, right, bottom);
    // Printers and previews get their brush back at once; the picture keeps it for the next dot.
    if (!batch_) hollow_brush();
}

void GdiCanvas::text_out(int32_t x, int32_t y, const std::wstring& text) {
    draw_lines();
    TextOutW(dc_, x, y, text.c_str(), static_cast<int>(text.size()));
}

}  // namespace tindral
