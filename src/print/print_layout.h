#pragma once
// Where every text of the printed component list goes. Units are 0.01 mm with y growing upwards
// from the top edge of the page (lines further down have more negative y), the printer's
// MM_HIMETRIC mapping, so the device's resolution does not enter here.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "settings/settings.h"

namespace tindral {

class Canvas;

struct PrintGeometry {
    int32_t left_offset = 2000;    // x of the first column
    int32_t column_width = 5000;   // distance between column starts
    int32_t line_distance = 600;
    int32_t paper_width_mm = 0;
    int32_t paper_height_mm = 0;
};

// The page layout settings with the paper size of the current job.
PrintGeometry print_geometry(const Settings& s, int32_t paper_width_mm, int32_t paper_height_mm);

struct PrintText {
    int32_t x = 0;
    int32_t y = 0;
    std::wstring text;

    bool operator==(const PrintText&) const = default;
};

struct PrintPage {
    std::vector<PrintText> texts;  // header first, then the rows, then the footer if any
    int rows = 0;
    bool has_footer = false;
};

using PrintRow = std::array<std::wstring, 4>;  // library, package, value, amount

// The pages of the list: each starts with the title and the column titles; a page ends when the
// next line would come within 40 mm of the paper's foot, and every page that holds a row gets
// the footer "Seite"/"Page" with its number. A list without rows gives one page without footer.
std::vector<PrintPage> layout_print_pages(const std::wstring& title, const PrintRow& column_titles,
                                          const std::vector<PrintRow>& rows,
                                          const PrintGeometry& geometry);

// Draws one page onto a canvas whose device context the printer has prepared: MM_HIMETRIC,
// the print font and the black pen selected.
void draw_print_page(Canvas& canvas, const PrintPage& page);

}  // namespace tindral
