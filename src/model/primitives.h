#pragma once
// Drawing primitives of packages and of the plain section, in board millimetres, with the
// placed fields that the placement fills.

#include <vector>

namespace tindral {

struct WireRec {};
struct CircleRec {};
struct RectangleRec {};
struct HoleRec {};
struct VertexRec {};
struct PolygonRec {
    std::vector<VertexRec> vertices;
};

}  // namespace tindral
