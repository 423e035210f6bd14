#include "print/booklet_print.h"

#include <utility>

namespace tindral {

PageFrame booklet_paper_frame(const PaperSize& paper) {
    return booklet_frame(paper.width_mm * 100, paper.height_mm * 100);
}

BookletPrintPages::BookletPrintPages(const BoardModel& board, const Settings& settings, bool top,
                                     bool bottom, std::wstring board_name)
    : board_(board), settings_(settings), top_(top), bottom_(bottom), name_(std::move(board_name)) {}

size_t BookletPrintPages::lay_out(const PaperSize& paper) {
    frame_ = booklet_paper_frame(paper);
    booklet_ = make_booklet(board_, top_, bottom_, booklet_rows_per_page(frame_));
    return booklet_.pages.size();
}

void BookletPrintPages::draw(Canvas& canvas, size_t page, const PaperSize&) {
    // The printer's origin is the page's top left corner and y grows upwards.
    draw_booklet_page(canvas, board_, settings_, booklet_, page, frame_, 0, -frame_.height, name_);
}

}  // namespace tindral
