#pragma once
// Hand-built boards for the drawing tests, placed by the model's own placement, and board
// files read whole.

#include <cmath>
#include <cstdint>
#include <string>

#include "board/board_file.h"
#include "board/load_board.h"
#include "board/utf8.h"
#include "model/board_model.h"
#include "model/placement.h"
#include "view/board_view.h"

namespace tindral::test {

enum : int32_t { kLayerOutline = 21, kLayerOff = 99, kLayerPolygon = 1 };

inline WireRec wire(double x1, double y1, double x2, double y2, double curve = 0,
                    int32_t layer = kLayerOutline) {
    WireRec w;
    w.x1 = x1, w.y1 = y1, w.x2 = x2, w.y2 = y2, w.curve = curve, w.layer = layer;
    return w;
}

inline CircleRec circle_at(double x, double y, double r) { return CircleRec{x, y, r, 0, kLayerOutline}; }

inline PackageRec only_wires(std::vector<WireRec> wires) {
    PackageRec p;
    p.name = "PKG";
    p.wires = std::move(wires);
    return p;
}

// One primitive of each kind, a wire on a hidden layer and a polygon without vertices.
inline PackageRec sample_package() {
    PackageRec p = only_wires({wire(1, 0, 2, 0), wire(0, 0, 1, 1, 90), wire(1, 0, 2, 0, 0, kLayerOff)});
    p.circles = {circle_at(1, 0, 0.5)};
    RectangleRec r;
    r.x1 = 0, r.y1 = 0, r.x2 = 1, r.y2 = 2, r.layer = kLayerOutline;
    p.rectangles = {r};
    p.polygons = {PolygonRec{0, kLayerPolygon, {{0, 0}, {1, 0}, {1, 1}}}, PolygonRec{}};
    p.holes = {HoleRec{1, 0, 0.6}};
    return p;
}

inline ElementRec element(const wchar_t* name, double x, double y, double rotation, uint32_t side,
                          const wchar_t* package = L"PKG") {
    ElementRec e;
    e.name = wide_to_utf8(name);
    e.library = "LIB";
    e.package = wide_to_utf8(package);
    e.x = x, e.y = y, e.rotation = rotation, e.side = side;
    return e;
}

// The elements with the package in library LIB; placed, measured and loaded.
inline BoardModel sample_board(std::initializer_list<ElementRec> elements, PackageRec package = sample_package()) {
    BoardModel b;
    b.libraries = {LibraryRec{"LIB", {std::move(package)}}};
    b.elements = elements;
    place_all_elements(b);
    b.board_width = std::abs(b.extent.max_x - b.extent.min_x);
    b.board_height = std::abs(b.extent.max_y - b.extent.min_y);
    b.marks.assign(std::vector<uint32_t>(b.elements.size(), 0));
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

// A board file, parsed and placed; false when it could not be read.
inline bool load_board_file(const std::wstring& path, BoardModel& board) {
    std::string bytes;
    if (read_whole_file(path, bytes).status != FileReadStatus::ok) return false;
    LoadOptions options = load_options_from(kDefaultSettings, path);
    options.open_reader = &open_platform_xml_reader;
    options.layers = board.layers;
    AnswerYes asker;
    LoadResult loaded = load_board(bytes, options, asker);
    board = std::move(loaded.board);
    return board_read(loaded.status);
}

}  // namespace tindral::test
