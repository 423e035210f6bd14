#pragma once
// A canvas that writes an SVG document, and the board drawn into one for a choice of sides.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "model/board_model.h"
#include "settings/settings.h"
#include "view/canvas.h"

namespace tindral {

class SvgCanvas : public Canvas {
public:
    // An area of width x height pixels on a background colour (COLORREF).
    SvgCanvas(int32_t width, int32_t height, uint32_t background);

    Pen select_pen(const Pen& pen) override;
    void move_to(int32_t x, int32_t y) override;
    void line_to(int32_t x, int32_t y) override;
    void ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom) override;
    void arc(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t start_x,
             int32_t start_y, int32_t end_x, int32_t end_y) override;
    void filled_ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom) override;
    void text_out(int32_t x, int32_t y, const std::wstring& text) override;
    // Texts after this are height units tall and placed by their top left corner, as on a
    // device context; without it they keep the default size and stand on their baseline.
    void set_text_height(int32_t height) { text_height_ = std::max(height, 0); }

    // The whole document, UTF-8.
    std::string document();
    // Shapes written so far (paths, ellipses, texts), the background not counted.
    size_t shape_count() const { return shapes_; }

private:
    void close_path();
    std::string stroke() const;
    void write_ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom,
                       const std::string& paint);
    double dev_y(double y) const { return static_cast<double>(height_) - y; }

    int32_t width_, height_;
    uint32_t background_;
    Pen pen_;
    std::string body_;
    std::string path_;  // lines drawn in the current pen, not yet written
    int32_t x_ = 0, y_ = 0;
    bool pen_at_path_end_ = false;
    size_t shapes_ = 0;
    int32_t text_height_ = 0;
};

enum class RenderSide { top, bottom, both };

// The board as the board window would show it after a load, fitted into width pixels (the
// height follows the board's proportions), with the sides chosen and everything else from
// settings. Selection states and colours are those of the model and the settings.
std::string render_board_svg(const BoardModel& b, RenderSide side, const Settings& settings,
                             int32_t width = 1200);

}  // namespace tindral
