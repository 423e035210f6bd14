#include "print/print_layout.h"

#include "text/format.h"
#include "text/lang.h"
#include "view/canvas.h"

namespace tindral {

namespace {

constexpr size_t kCellChars = 99;  // the list's texts are read into buffers of 100
constexpr int32_t kTitleX = 4000;
constexpr int32_t kColumnTitleY = -1500;
constexpr int32_t kFirstLineY = 2000;
constexpr int32_t kFootRoom = 4000;

std::wstring cell(const std::wstring& s) { return s.substr(0, kCellChars); }

int32_t column_x(const PrintGeometry& g, int c) { return g.left_offset + c * g.column_width; }

void add_header(PrintPage& page, const std::wstring& title, const PrintRow& column_titles,
                const PrintGeometry& g) {
    page.texts.push_back({kTitleX, 0, cell(title)});
    for (int c = 0; c < 4; ++c)
        page.texts.push_back({column_x(g, c), kColumnTitleY, cell(column_titles[c])});
}

void add_footer(PrintPage& page, int number, const PrintGeometry& g) {
    page.texts.push_back({g.paper_width_mm * 100 / 2 + 5000, -(g.paper_height_mm - 18) * 100,
                          format_text(100, L"%s  -%d-", text(TXT_PAGE), number)});
    page.has_footer = true;
}

}  // namespace

PrintGeometry print_geometry(const Settings& s, int32_t paper_width_mm, int32_t paper_height_mm) {
    PrintGeometry g;
    g.left_offset = static_cast<int32_t>(s.print_left_offset);
    g.column_width = static_cast<int32_t>(s.print_column_width);
    g.line_distance = static_cast<int32_t>(s.print_line_distance);
    g.paper_width_mm = paper_width_mm;
    g.paper_height_mm = paper_height_mm;
    return g;
}

std::vector<PrintPage> layout_print_pages(const std::wstring& title, const PrintRow& column_titles,
                                          const std::vector<PrintRow>& rows,
                                          const PrintGeometry& g) {
    std::vector<PrintPage> pages(1);
    add_header(pages.back(), title, column_titles, g);
    // 64 bits: a large line distance times many lines must not wrap around.
    const int64_t page_height = int64_t{g.paper_height_mm} * 100;
    int64_t line = 1;
    for (size_t r = 0; r < rows.size(); ++r) {
        PrintPage& page = pages.back();
        const int32_t y = static_cast<int32_t>(-(line * g.line_distance + kFirstLineY));
        for (int c = 0; c < 4; ++c) page.texts.push_back({column_x(g, c), y, cell(rows[r][c])});
        ++page.rows;
        ++line;
        if (line * g.line_distance + kFootRoom > page_height) {
            add_footer(page, static_cast<int>(pages.size()), g);
            if (r + 1 < rows.size()) {
                pages.emplace_back();
                add_header(pages.back(), title, column_titles, g);
                line = 1;
            }
        }
    }
    if (pages.back().rows > 0 && !pages.back().has_footer)
        add_footer(pages.back(), static_cast<int>(pages.size()), g);
    return pages;
}

void draw_print_page(Canvas& canvas, const PrintPage& page) {
    for (const PrintText& t : page.texts) canvas.text_out(t.x, t.y, t.text);
}

}  // namespace tindral
