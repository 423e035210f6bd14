#pragma once
// The board canvas on a GDI device context: each call is the GDI call of the same name, or,
// for the drawing area's picture, lines gathered into PolyPolyline calls.

#include <windows.h>

#include <optional>
#include <vector>

#include "platform/win/owned_win.h"
#include "platform/win/polyline_batch_win.h"
#include "view/canvas.h"

namespace tindral {

// Prepares a device context of the drawing area (w x h pixels) for the board canvas: one
// logical unit per pixel, y upwards from the bottom edge, copy drawing mode, hollow brush so
// that ellipses are outlines.
void prepare_board_dc(HDC dc, int w, int h);

// How the canvas hands lines to GDI.
enum class CanvasLines {
    // One GDI call per canvas call: for printers and previews, whose pages end outside the
    // canvas.
    each,
    // For the drawing area's picture (copy mode, one-pixel pens): consecutive lines of one pen
    // drawn by one PolyPolyline when the pen changes, before text and when the canvas ends (and
    // before a filled dot unless the bitmap is true-colour); a pen is selected only when
    // something is drawn with it, a one-pixel solid one as the colour of the context's own pen;
    // lines to where they start are left out; the filled shapes' brush stays selected until an
    // outline ellipse needs the hollow one back. The same pixels for far fewer calls.
    gathered,
};

class GdiCanvas : public Canvas {
public:
    explicit GdiCanvas(HDC dc, CanvasLines lines = CanvasLines::each);
    ~GdiCanvas() override;
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;

    Pen select_pen(const Pen& pen) override;
    void move_to(int32_t x, int32_t y) override;
    void line_to(int32_t x, int32_t y) override;
    void ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom) override;
    void arc(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t start_x,
             int32_t start_y, int32_t end_x, int32_t end_y) override;
    void filled_ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom) override;
    void text_out(int32_t x, int32_t y, const std::wstring& text) override;

private:
    HPEN pen_of(const Pen& pen);
    HBRUSH brush_of(uint32_t colour);
    // Draws the lines gathered so far.
    void draw_lines() {
        if (batch_ && !batch_->empty()) batch_->draw(dc_);
    }
    // The brush the device context had back in place of a filled shape's brush.
    void hollow_brush();
    // When gathering: the pen chosen last into the device context, lines of the one before
    // drawn first.
    void use_pen();
    // The colour of a one-pixel solid pen, none for other pens.
    std::optional<COLORREF> plain_colour(HGDIOBJ pen);

    HDC dc_;
    HGDIOBJ original_pen_;
    Pen pen_;
    HGDIOBJ selected_pen_;                // the pen in dc_ (when gathering)
    HGDIOBJ wanted_pen_;                  // the pen chosen last (when gathering)
    std::optional<PolylineBatch> batch_;  // only when gathering
    HGDIOBJ hollow_ = nullptr;            // the brush a filled shape's brush replaced, if any
    HBRUSH filled_ = nullptr;             // the filled shapes' brush left selected, if any
    bool dc_pen_in_ = false;              // the context's own pen stands in for selected_pen_
    COLORREF dc_pen_colour_ = CLR_INVALID;  // its colour before, given back at the end
    struct PenColour {
        HGDIOBJ pen;
        std::optional<COLORREF> colour;
    };
    std::vector<PenColour> colours_;
    bool true_colour_ = false;            // a brush lights the pixel value of its colour's pen
    bool pen_in_colour_ = true;           // the pen chosen last has pen_'s colour
    // Pens made here for roles that have no start-up pen (yet); deleted with the canvas.
    struct OwnPen {
        uint32_t colour;
        GdiOwner<HPEN> pen;
    };
    std::vector<OwnPen> own_;
    // Brushes of the filled shapes, one per colour met; the hollow brush stays selected between.
    struct OwnBrush {
        uint32_t colour;
        GdiOwner<HBRUSH> brush;
    };
    std::vector<OwnBrush> brushes_;
};

}  // namespace tindral
