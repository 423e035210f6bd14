#pragma once
// A hand-built board for the drawing tests: one package with one of each primitive, placed by
// the model's own placement.

#include <cstdint>
#include <string>

#include "board/board_file.h"
#include "board/parse_board.h"
#include "board/tokenise.h"
#include "model/board_model.h"
#include "model/placement.h"
#include "view/board_view.h"

namespace tindral::test {

enum : int32_t { kLayerOutline = 21, kLayerOff = 99, kLayerPolygon = 1 };

inline PackageRec sample_package() {
    PackageRec p;
    p.name = L"PKG";
    WireRec straight;
    straight.x1 = 1, straight.y1 = 0, straight.x2 = 2, straight.y2 = 0;
    straight.layer = kLayerOutline;
    WireRec curved;
    curved.x1 = 0, curved.y1 = 0, curved.x2 = 1, curved.y2 = 1;
    curved.curve = 90;
    curved.layer = kLayerOutline;
    WireRec hidden = straight;
    hidden.layer = kLayerOff;
    p.wires = {straight, curved, hidden};
    CircleRec c;
    c.x = 1, c.y = 0, c.radius = 0.5, c.layer = kLayerOutline;
    p.circles = {c};
    RectangleRec r;
    r.x1 = 0, r.y1 = 0, r.x2 = 1, r.y2 = 2, r.layer = kLayerOutline;
    p.rectangles = {r};
    PolygonRec poly;
    poly.layer = kLayerPolygon;
    poly.vertices = {{0, 0}, {1, 0}, {1, 1}};
    p.polygons = {poly, PolygonRec{}};  // the second has no vertices
    HoleRec h;
    h.x = 1, h.y = 0, h.drill = 0.6;
    p.holes = {h};
    return p;
}

inline ElementRec element(const wchar_t* name, double x, double y, double rotation, uint32_t side,
                          const wchar_t* package = L"PKG") {
    ElementRec e;
    e.name = name;
    e.library = L"LIB";
    e.package = package;
    e.x = x;
    e.y = y;
    e.rotation = rotation;
    e.side = side;
    return e;
}

// Elements as given, all using the sample package unless they name another; placed and loaded.
inline BoardModel sample_board(std::initializer_list<ElementRec> elements,
                               PackageRec package = sample_package()) {
    BoardModel b;
    LibraryRec lib;
    lib.name = L"LIB";
    lib.packages = {std::move(package)};
    b.libraries = {lib};
    b.elements = elements;
    place_all_elements(b);
    b.board_width = std::abs(b.extent.max_x - b.extent.min_x);
    b.board_height = std::abs(b.extent.max_y - b.extent.min_y);
    b.selection.assign(b.elements.size(), 0);
    b.board_loaded = 1;
    return b;
}

// One pixel per millimetre, board (0, 0) at pixel (0, 0).
inline BoardView unit_view(uint32_t width = 200) {
    BoardView v;
    v.scale = 1;
    v.area_width = width;
    v.area_height = 200;
    return v;
}

// One of the shared boards, parsed and placed; false when it could not be read.
inline bool load_shared_board(const wchar_t* name, BoardModel& board) {
    std::string bytes;
    if (read_whole_file(std::wstring(TINDRAL_BOARDS_DIR) + L"/" + name, bytes).status != FileReadStatus::ok)
        return false;
    TokenList tokens;
    return tokenise_bytes(bytes, tokens).ok && parse_board(tokens, board).result == 1;
}

}  // namespace tindral::test
