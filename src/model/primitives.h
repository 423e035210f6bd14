#pragma once
// Drawing primitives of packages and of the plain section, in board millimetres, with the
// placed fields that the placement fills. A record fresh from the file has its placed fields 0.

#include <array>
#include <cstdint>
#include <vector>

namespace tindral {

struct WireRec {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    double width = 0;
    int32_t layer = 0;
    double curve = 0;  // arc angle in degrees; 0 is a straight line
    double placed_x1 = 0, placed_y1 = 0, placed_x2 = 0, placed_y2 = 0;
};

struct CircleRec {
    double x = 0, y = 0;
    double radius = 0;
    double width = 0;
    int32_t layer = 0;
    double placed_radius = 0, placed_x = 0, placed_y = 0;
};

// Kept as its outline: edge k runs from (start_x[k], start_y[k]) to (end_x[k], end_y[k]), in the
// order (x1,y1)-(x2,y1), (x2,y1)-(x2,y2), (x2,y2)-(x1,y2), (x1,y2)-(x1,y1).
struct RectangleRec {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    double rot = 0;  // read from the file; nothing applies it
    std::array<double, 4> start_x{}, start_y{}, end_x{}, end_y{};
    int32_t layer = 0;
};

struct HoleRec {
    double x = 0, y = 0;
    double drill = 0;  // diameter
    double placed_x = 0, placed_y = 0;
    double placed_radius = 0;
};

struct VertexRec {
    double x = 0, y = 0;
};

struct PolygonRec {
    double width = 0;
    int32_t layer = 0;
    std::vector<VertexRec> vertices;  // file order
};

}  // namespace tindral
