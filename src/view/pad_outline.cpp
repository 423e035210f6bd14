#include "view/pad_outline.h"

#include <algorithm>
#include <cmath>

namespace tindral {

namespace {

constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180;
// The corner cut of a regular octagon, as a share of half its width: 1 - tan(22.5 degrees).
constexpr double kOctagonCut = 0.58578643762690485;

void add_corner(std::vector<Point>& out, Point centre, double r, double from_degrees, int steps) {
    for (int i = 0; i <= steps; ++i) {
        const double a = (from_degrees + 90.0 * i / steps) * kRadiansPerDegree;
        const Point p{centre.x + r * std::cos(a), centre.y + r * std::sin(a)};
        // a stadium's corners meet: no zero-length edge between them
        if (!out.empty() && std::fabs(out.back().x - p.x) < 1e-12 && std::fabs(out.back().y - p.y) < 1e-12)
            continue;
        out.push_back(p);
    }
}

}  // namespace

double pad_corner_radius(const PadRec& pad) {
    const double half_short = std::min(std::fabs(pad.dx), std::fabs(pad.dy)) / 2;
    if (pad.shape == PadShape::oval) return half_short;
    if (pad.shape == PadShape::octagon) return 0;
    return std::clamp(pad.roundness, 0.0, 100.0) / 100 * half_short;
}

PadOutline pad_outline(const PadRec& pad, int steps) {
    PadOutline out;
    pad_outline(pad, steps, out);
    return out;
}

void pad_outline(const PadRec& pad, int steps, PadOutline& out) {
    steps = std::max(steps, 1);
    const double hw = std::fabs(pad.dx) / 2, hh = std::fabs(pad.dy) / 2;
    out.circle = false;
    out.centre = {};
    out.radius = 0;
    std::vector<Point>& pts = out.points;
    pts.clear();
    if (pad.shape == PadShape::oval && hw == hh) {
        out.circle = true;
        out.radius = hw;
    } else if (pad.shape == PadShape::octagon) {
        const double c = std::min(hw, hh) * kOctagonCut;
        pts.assign({{hw, -hh + c}, {hw, hh - c}, {hw - c, hh}, {-hw + c, hh},
                    {-hw, hh - c}, {-hw, -hh + c}, {-hw + c, -hh}, {hw - c, -hh}});
    } else {
        const double r = pad_corner_radius(pad);
        if (r <= 0) {
            pts.assign({{hw, -hh}, {hw, hh}, {-hw, hh}, {-hw, -hh}});
        } else {
            add_corner(pts, {hw - r, hh - r}, r, 0, steps);
            add_corner(pts, {-hw + r, hh - r}, r, 90, steps);
            add_corner(pts, {-hw + r, -hh + r}, r, 180, steps);
            add_corner(pts, {hw - r, -hh + r}, r, 270, steps);
            if (pts.size() > 1 && std::fabs(pts.front().x - pts.back().x) < 1e-12 &&
                std::fabs(pts.front().y - pts.back().y) < 1e-12)
                pts.pop_back();
        }
    }
    // Own frame to package: shift, mirror, turn, move.
    if (!(pad.rot == out.turn_degrees)) {
        const double a = pad.rot * kRadiansPerDegree;
        out.turn_cos = std::cos(a);
        out.turn_sin = std::sin(a);
        out.turn_degrees = pad.rot;
    }
    const double cs = out.turn_cos, sn = out.turn_sin;
    const auto place = [&](Point p) {
        double x = p.x + pad.shift;
        if (pad.mirror) x = -x;
        return Point{pad.x + x * cs - p.y * sn, pad.y + x * sn + p.y * cs};
    };
    if (out.circle) out.centre = place({0, 0});
    for (Point& p : pts) p = place(p);
}

int quarter_steps(double radius_px) {
    if (!(radius_px > 0)) return 1;
    return static_cast<int>(std::clamp(std::ceil(radius_px / 3), 1.0, 8.0));
}

}  // namespace tindral
