#pragma once
// The surface the board is drawn on. Coordinates are logical pixels after the board mapping:
// one unit is one pixel and y grows upwards from the bottom edge of the drawing area. On
// Windows a device context with the isotropic mapping of the drawing area does exactly this;
// the SVG writer and the tests flip or record the calls themselves.

#include <cstdint>
#include <string>

namespace tindral {

// Which of the program's pens is meant. The colour travels along for canvases that have no
// pens of their own; the Windows canvas selects the pen made at start-up for the role.
enum class PenRole : uint8_t {
    none,  // whatever the surface had before the drawing selected anything
    top_unselected,
    top_current,
    top_selected,
    bottom_unselected,
    bottom_current,
    bottom_selected,
    grey,
    found,  // the outline around a part the find box matches
    pad,
};

struct Pen {
    PenRole role = PenRole::none;
    uint32_t colour = 0;  // COLORREF, 0x00BBGGRR

    bool operator==(const Pen&) const = default;
};

constexpr uint32_t kGreyPenColour = 0x505050;
constexpr uint32_t kFoundPenColour = 0xFFFF00;  // cyan: apart from every side, mark and pad colour

class Canvas {
public:
    virtual ~Canvas() = default;

    // Selects a one-pixel solid pen and returns the one selected before.
    virtual Pen select_pen(const Pen& pen) = 0;
    virtual void move_to(int32_t x, int32_t y) = 0;
    virtual void line_to(int32_t x, int32_t y) = 0;
    // Outline of the ellipse inside the box (the corners may come in either order).
    virtual void ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom) = 0;
    // Part of the ellipse inside the box, counter-clockwise as seen on the screen, from where
    // the ray from its centre through the start point meets it to where the ray through the
    // end point does; equal rays give the whole ellipse.
    virtual void arc(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t start_x,
                     int32_t start_y, int32_t end_x, int32_t end_y) = 0;
    // The ellipse inside the box filled, edge and inside in the colour of the current pen.
    virtual void filled_ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom) = 0;
    // Text with its reference point at (x, y).
    virtual void text_out(int32_t x, int32_t y, const std::wstring& text) = 0;
};

}  // namespace tindral
