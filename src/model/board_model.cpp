#include "model/board_model.h"

namespace tindral {

namespace {

struct FixedLayer {
    int32_t number;
    const wchar_t* name;
    int32_t colour;
    int32_t fill;
    int32_t default_choice;
};

// Names and colours are the program's own; a board file only changes colour, fill, visible
// and active of these rows.
constexpr FixedLayer kFixedLayers[] = {
    {17, L"Pads", 2, 1, 0},         {18, L"Vias", 2, 1, 0},
    {19, L"Unrouted", 6, 1, 0},     {20, L"Dimension", 15, 1, 1},
    {21, L"tPlace", 7, 1, 1},       {22, L"bPlace", 7, 1, 1},
    {23, L"tOrigins", 15, 1, 1},    {24, L"bOrigins", 15, 1, 1},
    {25, L"tNames", 7, 1, 1},       {26, L"bNames", 7, 1, 1},
    {27, L"tValues", 7, 1, 1},      {28, L"bValues", 7, 1, 1},
    {29, L"tStop", 7, 3, 1},        {30, L"bStop", 7, 6, 1},
    {31, L"tCream", 7, 4, 0},       {32, L"bCream", 7, 5, 0},
    {33, L"tFinish", 6, 3, 0},      {34, L"bFinish", 6, 6, 0},
    {35, L"tGlue", 7, 4, 0},        {36, L"bGlue", 7, 5, 0},
    {37, L"tTest", 7, 1, 0},        {38, L"bTest", 7, 1, 0},
    {39, L"tKeepout", 4, 11, 0},    {40, L"bKeepout", 1, 11, 0},
    {41, L"tRestrict", 4, 10, 0},   {42, L"bRestrict", 1, 10, 0},
    {43, L"vRestrict", 2, 10, 0},   {44, L"Drills", 7, 1, 1},
    {45, L"Holes", 7, 1, 1},        {46, L"Milling", 3, 1, 0},
    {47, L"Measures", 7, 1, 0},     {48, L"Document", 7, 1, 0},
    {49, L"Reference", 7, 1, 0},    {50, L"dxf", 7, 1, 0},
    {51, L"tDocu", 7, 1, 1},        {52, L"bDocu", 7, 1, 1},
    {53, L"tGND_GNDA", 7, 9, 0},    {54, L"bGND_GNDA", 1, 9, 0},
    {90, L"Modules", 5, 1, 0},      {91, L"Nets", 2, 1, 0},
    {92, L"Busses", 1, 1, 0},       {93, L"Pins", 2, 1, 0},
    {94, L"Symbols", 4, 1, 0},      {95, L"Names", 7, 1, 0},
    {96, L"Values", 7, 1, 0},       {97, L"Info", 7, 1, 0},
    {98, L"Guide", 6, 1, 0},        {99, L"SpiceOrder", 5, 1, 0},
    {100, L"Mechanical", 7, 1, 0},  {101, L"Patch_Top", 7, 1, 0},
    {116, L"Patch_BOT", 7, 1, 0},   {151, L"HeatSink", 14, 1, 0},
    {200, L"200bmp", 1, 10, 0},     {250, L"Descript", 3, 1, 0},
    {251, L"SMDround", 12, 11, 0},  {254, L"OrgLBR", 13, 1, 0},
};

static_assert(sizeof(kFixedLayers) / sizeof(kFixedLayers[0]) == 56);

}  // namespace

BoardModel make_empty_board() {
    BoardModel board;
    board.layers = make_layer_table();
    return board;
}

std::array<LayerRec, kLayerRows> make_layer_table() {
    std::array<LayerRec, kLayerRows> rows{};
    size_t i = 0;
    for (const FixedLayer& f : kFixedLayers) {
        LayerRec& r = rows[i++];
        r.number = f.number;
        r.name = f.name;
        r.colour = f.colour;
        r.fill = f.fill;
        r.default_choice = f.default_choice;
    }
    return rows;
}

void release_board(BoardModel& board) {
    // swap with empties so that the memory really goes back, not just the counts
    board.marks.release();
    board.path.clear();
    board.selection_file_ours = false;
    std::vector<WireRec>().swap(board.plain_wires);
    std::vector<CircleRec>().swap(board.plain_circles);
    std::vector<HoleRec>().swap(board.plain_holes);
    std::vector<ElementRec>().swap(board.elements);
    std::vector<LibraryRec>().swap(board.libraries);
    std::vector<std::wstring>().swap(board.variants);
    board.current_variant = board.chosen_variant = -1;
    board.placement_count = 0;
    board.board_loaded = 0;  // commands that need a board refuse on an emptied model
}

void reset_extent(BoardExtent& extent) {
    extent = BoardExtent{};
}

void widen_extent(BoardExtent& extent, double x, double y) {
    if (x > extent.max_x) extent.max_x = x;
    if (x < extent.min_x) extent.min_x = x;
    if (y > extent.max_y) extent.max_y = y;
    if (y < extent.min_y) extent.min_y = y;
}

}  // namespace tindral
