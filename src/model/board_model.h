#pragma once
// The one board model of the program: layers, plain drawing, elements, libraries with their
// packages, and the per-board values. Plain records in standard containers. The texts of parts,
// libraries and packages are UTF-8, as the files hold them: most fit a std::string's own room,
// so 50 000 parts cost no allocation per text.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/primitives.h"
#include "selection/marks.h"

namespace tindral {

constexpr uint32_t kSideTop = 0;
constexpr uint32_t kSideBottom = 1000;

// One <variant> child of an element: what it says for one variant of the board.
constexpr uint32_t kFileValue = 0xFFFFFFFFu;  // the entry keeping the element's own value
struct PartVariant {
    uint32_t variant = 0;  // index into BoardModel::variants
    bool populated = true;
    bool has_value = false;
    std::string value;     // the value in that variant, when has_value (UTF-8)
};

struct ElementRec {
    std::string name;      // empty when the file gives none
    std::string library;
    std::string package;
    // The value shown in the chosen variant: the file's own unless a variant overrides it.
    // "Undefined"/"Undefiniert" when the file's value is empty.
    std::string value;
    double x = 0, y = 0;
    uint32_t smashed = 0;
    uint32_t locked = 0;
    double rotation = 0;   // degrees; file angle + 180 for a mirrored element
    uint32_t side = kSideTop;
    uint32_t amount_top = 0;
    uint32_t amount_bottom = 0;
    uint32_t group = 0;
    uint32_t shade = 0;
    uint32_t counted = 0;  // scratch mark of the BOM fill
    // KiCad parts: the outline in library package_index (its one package) is already turned
    // to the part's rotation and side, so it is only moved to (x, y). -1 for Eagle parts.
    int32_t package_index = -1;
    bool outline_turned() const { return package_index >= 0; }
    // Eagle parts: the library and package placement found by name, so that every later paint
    // and click finds them without comparing names. kNotPlaced until then.
    static constexpr uint32_t kNotPlaced = 0xFFFFFFFFu;
    uint32_t placed_library = kNotPlaced;
    uint32_t placed_package = 0;

    // Assembly variants: the element's own populate attribute (Eagle writes the current
    // variant's choice there; KiCad's dnp), its <variant> children, and whether it is fitted in
    // the chosen variant (set by choose_variant only).
    // Once a variant has replaced value, the file's own value is kept as one more entry of
    // variants, numbered kFileValue (only such elements pay for it).
    bool own_populated = true;
    bool populated = true;
    std::vector<PartVariant> variants;
};

struct PackageRec {
    std::string name;
    std::vector<WireRec> wires;
    std::vector<CircleRec> circles;
    std::vector<RectangleRec> rectangles;
    std::vector<HoleRec> holes;
    std::vector<PolygonRec> polygons;
    std::vector<PadRec> pads;  // file order
};

struct LibraryRec {
    std::string name;
    std::vector<PackageRec> packages;
};

struct LayerRec {
    int32_t number = 0;  // 0 marks an empty row
    const wchar_t* name = nullptr;
    int32_t colour = 0;
    int32_t fill = 0;
    int32_t visible = 0;
    int32_t active = 0;
    int32_t default_choice = 0;
};

constexpr int kLayerRows = 256;

// The start values make the first point taken set max and min alike (as long as the board
// lies at non-negative coordinates below 1 000 000 mm, as Eagle boards do).
struct BoardExtent {
    double max_x = 0, min_x = 1000000, max_y = 0, min_y = 1000000;
};

struct BoardModel {
    std::array<LayerRec, kLayerRows> layers;  // fixed rows; see make_layer_table()

    std::vector<WireRec> plain_wires;
    std::vector<CircleRec> plain_circles;
    std::vector<HoleRec> plain_holes;

    std::vector<ElementRec> elements;
    std::vector<LibraryRec> libraries;

    // Elements whose geometry has been placed so far (all of them once a load is through).
    uint32_t placement_count = 0;
    uint32_t board_loaded = 0;
    BoardExtent extent;
    double board_width = 0, board_height = 0;

    Marks marks;  // the user's marks, one per element, whatever the variant

    // The board's assembly variants in file order (a repeated name once), the one the file
    // marks current, and the one the lists show; -1 for none (a board without variants).
    std::vector<std::wstring> variants;
    int32_t current_variant = -1;
    int32_t chosen_variant = -1;

    // The board file, fixed while it is loaded: its marks are saved beside it, whatever the
    // settings say meanwhile.
    std::wstring path;
    // The selection file holds marks of this run (loaded or saved), so replacing it loses nothing.
    bool selection_file_ours = false;
};

// The 56 fixed layer rows of a fresh program, the rest empty.
std::array<LayerRec, kLayerRows> make_layer_table();

// A model without a board: the fixed layer rows and empty tables.
BoardModel make_empty_board();

// Releases every table of the model; the layer table stays as it is.
void release_board(BoardModel& board);

// Back to the start values of a load: max x = max y = 0, min x = min y = 1 000 000.
void reset_extent(BoardExtent& extent);

// Widens the extent by one point (strict comparisons).
void widen_extent(BoardExtent& extent, double x, double y);

}  // namespace tindral
