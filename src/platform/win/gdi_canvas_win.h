#pragma once
// The board canvas on a GDI device context: each call is the GDI call of the same name.

#include <windows.h>

#include <vector>

#include "platform/win/owned_win.h"
#include "view/canvas.h"

namespace tindral {

// Prepares a device context of the drawing area (w x h pixels) for the board canvas: one
// logical unit per pixel, y upwards from the bottom edge, copy drawing mode, hollow brush so
// that ellipses are outlines.
void prepare_board_dc(HDC dc, int w, int h);

class GdiCanvas : public Canvas {
public:
    explicit GdiCanvas(HDC dc);
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

    HDC dc_;
    HGDIOBJ original_pen_;
    Pen pen_;
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
