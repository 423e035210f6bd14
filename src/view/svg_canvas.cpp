#include "view/svg_canvas.h"

#include <algorithm>
#include <cmath>

#include "board/utf8.h"
#include "text/format.h"
#include "view/board_view.h"
#include "view/draw_board.h"

namespace tindral {

namespace {

constexpr double kTwoPi = 6.283185307179586;

std::string colour_text(uint32_t colorref) {
    char buf[8];
    static const char hex[] = "0123456789abcdef";
    const uint32_t rgb[3] = {colorref & 0xFF, (colorref >> 8) & 0xFF, (colorref >> 16) & 0xFF};
    buf[0] = '#';
    for (int i = 0; i < 3; ++i) {
        buf[1 + 2 * i] = hex[rgb[i] >> 4];
        buf[2 + 2 * i] = hex[rgb[i] & 0xF];
    }
    return std::string(buf, 7);
}

// Numbers with at most two decimals and no trailing zeros: small files, stable output.
std::string num(double v) {
    if (!std::isfinite(v)) v = 0;
    const double r = std::round(v * 100) / 100;
    if (r == std::trunc(r) && std::fabs(r) < 1e15) return std::to_string(static_cast<long long>(r));
    std::string s = wide_to_utf8(format_text(40, L"%.2f", r));
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
    return s;
}

void append_escaped(std::string& out, const std::string& text) {
    for (char ch : text) {
        switch (ch) {
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '&': out += "&amp;"; break;
        case '"': out += "&quot;"; break;
        default:
            // control characters other than tab, line feed and return are not XML
            if (static_cast<unsigned char>(ch) < 0x20 && ch != '\t' && ch != '\n' && ch != '\r')
                out += ' ';
            else
                out += ch;
        }
    }
}

}  // namespace

SvgCanvas::SvgCanvas(int32_t width, int32_t height, uint32_t background)
    : width_(std::max(width, 1)), height_(std::max(height, 1)), background_(background) {}

std::string SvgCanvas::stroke() const {
    return "fill=\"none\" stroke=\"" + colour_text(pen_.colour) + "\"";
}

void SvgCanvas::close_path() {
    if (path_.empty()) return;
    body_ += "<path " + stroke() + " d=\"" + path_ + "\"/>\n";
    path_.clear();
    pen_at_path_end_ = false;
    ++shapes_;
}

Pen SvgCanvas::select_pen(const Pen& pen) {
    const Pen previous = pen_;
    if (!(pen == pen_)) close_path();
    pen_ = pen;
    return previous;
}

void SvgCanvas::move_to(int32_t x, int32_t y) {
    x_ = x;
    y_ = y;
    pen_at_path_end_ = false;
}

void SvgCanvas::line_to(int32_t x, int32_t y) {
    if (!pen_at_path_end_) {
        if (!path_.empty()) path_ += ' ';
        path_ += "M" + num(x_) + " " + num(dev_y(y_));
    }
    path_ += " L" + num(x) + " " + num(dev_y(y));
    x_ = x;
    y_ = y;
    pen_at_path_end_ = true;
}

void SvgCanvas::ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    write_ellipse(left, top, right, bottom, stroke());
}

void SvgCanvas::filled_ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    const std::string colour = colour_text(pen_.colour);
    write_ellipse(left, top, right, bottom, "fill=\"" + colour + "\" stroke=\"" + colour + "\"");
}

void SvgCanvas::write_ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom,
                              const std::string& paint) {
    close_path();
    const double cx = (static_cast<double>(left) + right) / 2;
    const double cy = (static_cast<double>(top) + bottom) / 2;
    const double rx = std::fabs(static_cast<double>(right) - left) / 2;
    const double ry = std::fabs(static_cast<double>(bottom) - top) / 2;
    body_ += "<ellipse " + paint + " cx=\"" + num(cx) + "\" cy=\"" + num(dev_y(cy)) + "\" rx=\"" +
             num(rx) + "\" ry=\"" + num(ry) + "\"/>\n";
    ++shapes_;
}

void SvgCanvas::arc(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t start_x,
                    int32_t start_y, int32_t end_x, int32_t end_y) {
    close_path();
    // Worked out with y upwards, where counter-clockwise on the screen is the growing angle.
    const double cx = (static_cast<double>(left) + right) / 2;
    const double cy = (static_cast<double>(top) + bottom) / 2;
    const double rx = std::fabs(static_cast<double>(right) - left) / 2;
    const double ry = std::fabs(static_cast<double>(bottom) - top) / 2;
    if (rx == 0 || ry == 0) return;
    const double a0 = std::atan2(start_y - cy, start_x - cx);
    const double a1 = std::atan2(end_y - cy, end_x - cx);
    double sweep = a1 - a0;
    while (sweep <= 0) sweep += kTwoPi;
    if (a1 == a0) sweep = kTwoPi;
    if (sweep >= kTwoPi) {
        ellipse(left, top, right, bottom);
        return;
    }
    // where a ray from the centre meets the ellipse
    const auto on_ellipse = [&](double a, double& x, double& y) {
        const double dx = std::cos(a), dy = std::sin(a);
        const double t = 1 / std::sqrt((dx * dx) / (rx * rx) + (dy * dy) / (ry * ry));
        x = cx + t * dx;
        y = cy + t * dy;
    };
    double x0, y0, x1, y1;
    on_ellipse(a0, x0, y0);
    on_ellipse(a1, x1, y1);
    // SVG's sweep flag 0 runs against its y-down angle: counter-clockwise on the screen
    body_ += "<path " + stroke() + " d=\"M" + num(x0) + " " + num(dev_y(y0)) + " A" + num(rx) + " " +
             num(ry) + " 0 " + (sweep > kTwoPi / 2 ? "1" : "0") + " 0 " + num(x1) + " " +
             num(dev_y(y1)) + "\"/>\n";
    ++shapes_;
}

void SvgCanvas::text_out(int32_t x, int32_t y, const std::wstring& text) {
    close_path();
    // A font's ascent is about four fifths of its height.
    const double baseline = dev_y(y) + text_height_ * 0.8;
    body_ += "<text x=\"" + num(x) + "\" y=\"" + num(baseline) + "\" fill=\"" +
             colour_text(pen_.colour) + "\"";
    if (text_height_ > 0) body_ += " font-family=\"sans-serif\" font-size=\"" + num(text_height_) + "\"";
    body_ += ">";
    append_escaped(body_, wide_to_utf8(text));
    body_ += "</text>\n";
    ++shapes_;
}

std::string SvgCanvas::document() {
    close_path();
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" + num(width_) +
           "\" height=\"" + num(height_) + "\" viewBox=\"0 0 " + num(width_) + " " + num(height_) +
           "\" stroke-width=\"1\">\n";
    out += "<rect x=\"0\" y=\"0\" width=\"" + num(width_) + "\" height=\"" + num(height_) +
           "\" fill=\"" + colour_text(background_) + "\"/>\n";
    out += body_;
    out += "</svg>\n";
    return out;
}

std::string render_board_svg(const BoardModel& b, RenderSide side, const Settings& settings,
                             int32_t width) {
    Settings s = settings;
    s.show_top_side = side != RenderSide::bottom;
    s.show_bottom_side = side != RenderSide::top;

    width = std::clamp(width, 16, 20000);
    int32_t height = width;
    if (b.board_width > 0 && b.board_height > 0 && std::isfinite(b.board_width / b.board_height))
        height = static_cast<int32_t>(
            std::clamp(std::round(width * b.board_height / b.board_width), 16.0, 20000.0));

    BoardView v;
    v.area_width = static_cast<uint32_t>(width);
    v.area_height = static_cast<uint32_t>(height);
    v.bottom_only = bottom_only_view(s);
    fit_view(v, b, width, height, FitKind::load);

    SvgCanvas canvas(width, height, 0x000000);  // the drawing area's black
    draw_plain(canvas, b, v, s);
    draw_elements(canvas, b, v, s);
    return canvas.document();
}

}  // namespace tindral
