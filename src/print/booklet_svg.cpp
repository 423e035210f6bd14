#include "print/booklet_svg.h"

#include "print/booklet_layout.h"
#include "view/svg_canvas.h"

namespace tindral {

std::vector<std::string> booklet_svg_pages(const BoardModel& board, const Settings& settings,
                                           bool top, bool bottom, const std::wstring& board_name) {
    const PageFrame frame = booklet_frame(kBookletSvgWidth, kBookletSvgHeight);
    const Booklet booklet = make_booklet(board, top, bottom, booklet_rows_per_page(frame));
    std::vector<std::string> pages;
    for (size_t p = 0; p < booklet.pages.size(); ++p) {
        SvgCanvas canvas(frame.width, frame.height, 0xFFFFFF);
        canvas.set_text_height(frame.text_height);
        draw_booklet_page(canvas, board, settings, booklet, p, frame, 0, 0, board_name);
        pages.push_back(canvas.document());
    }
    return pages;
}

}  // namespace tindral
