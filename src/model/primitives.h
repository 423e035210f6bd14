#pragma once
// Drawing primitives of packages and of the plain section, in board millimetres, with the
// placed fields that the placement fills. A record fresh from the file has its placed fields 0.

#include <array>
#include <cstdint>
#include <string>
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

// The copper of a pad: an smd, or the ring of a through-hole pad. Sizes in millimetres.
enum class PadShape : uint8_t {
    rectangle,  // corners rounded by roundness
    octagon,
    oval,       // a stadium along the longer side; a circle when dx == dy
};

constexpr uint8_t kPadTop = 1;
constexpr uint8_t kPadBottom = 2;

struct PadRec {
    double x = 0, y = 0;    // the centre, or the drill of a through-hole pad
    double dx = 0, dy = 0;  // along the pad's own x and y, before its rotation
    double rot = 0;         // degrees, counter-clockwise
    bool mirror = false;    // the shape flipped in its own x before the rotation
    double shift = 0;       // the shape moved along its own x off the centre (offset pads)
    double roundness = 0;   // corner radius in percent of half the shorter side
    double drill = 0;       // diameter; 0 for an smd
    PadShape shape = PadShape::rectangle;
    uint8_t sides = kPadTop;  // kPadTop | kPadBottom, as the package has it
    std::wstring name;
};

}  // namespace tindral
