#pragma once
// The assembly booklet: a page per group of like parts on a side, in the order of the bill of
// materials, with the board drawing of that side (the group's parts in the current-part pen)
// above the group's rows and a box to tick per row. One layout for the preview window, the
// printer and the SVG pages of tindral-cli.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/board_model.h"
#include "settings/settings.h"

namespace tindral {

class Canvas;

struct BookletGroup {
    uint32_t side = kSideTop;
    std::vector<size_t> parts;  // model indices, ascending
};

// A page shows rows first_row .. first_row + rows - 1 of its group; a long group goes on over
// several pages, each with the same drawing.
struct BookletPage {
    size_t group = 0;
    size_t first_row = 0;
    size_t rows = 0;
};

struct Booklet {
    std::vector<BookletGroup> groups;
    std::vector<BookletPage> pages;
};

// A page of width x height canvas units, y upwards from its bottom edge, and the height of the
// texts on it.
struct PageFrame {
    int32_t width = 0;
    int32_t height = 0;
    int32_t text_height = 0;
};

// A page of that size whose texts stand to it as the printer's 5 mm font to A4, so that the
// preview, the printer and the SVG pages break the groups alike.
PageFrame booklet_frame(int32_t width, int32_t height);

// How many rows the table under the drawing holds (at least one).
size_t booklet_rows_per_page(const PageFrame& frame);

// The groups of the sides asked for: the top side's first, each side's in the order of the
// bill of materials (package and value, by their first component).
std::vector<BookletGroup> booklet_groups(const BoardModel& board, bool top, bool bottom);

Booklet make_booklet(const BoardModel& board, bool top, bool bottom, size_t rows_per_page);

// "board.brd - Top - Group 2 of 7", with "(continued)" on the pages after a group's first.
std::wstring booklet_title(const Booklet& booklet, size_t page, const std::wstring& board_name);

// The cells of a page's table row: name, value, package, amount (the group's count on its
// first row only).
std::vector<std::wstring> booklet_row_cells(const BoardModel& board, const Booklet& booklet,
                                            size_t page, size_t row);

// Draws one page with its bottom left corner at (x, y) of the canvas. Text reference points are
// the top left of the text, as on a device context. The parts of other groups and the board's
// own lines are drawn in grey: the unselected pens are made for the black drawing area.
void draw_booklet_page(Canvas& canvas, const BoardModel& board, const Settings& settings,
                       const Booklet& booklet, size_t page, const PageFrame& frame, int32_t x,
                       int32_t y, const std::wstring& board_name);

}  // namespace tindral
