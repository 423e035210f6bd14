#pragma once
// The booklet as a print job's pages: laid out for the job's paper, each page filling it.

#include <string>

#include "print/booklet_layout.h"
#include "print/print_job.h"

namespace tindral {

// A page of the paper in 0.01 mm, the unit the printer's canvas draws in.
PageFrame booklet_paper_frame(const PaperSize& paper);

class BookletPrintPages : public PrintPages {
public:
    // The board and settings are read while the job runs; they must outlive it.
    BookletPrintPages(const BoardModel& board, const Settings& settings, bool top, bool bottom,
                      std::wstring board_name);

    size_t lay_out(const PaperSize& paper) override;
    void draw(Canvas& canvas, size_t page, const PaperSize& paper) override;

    const Booklet& booklet() const { return booklet_; }

private:
    const BoardModel& board_;
    const Settings& settings_;
    bool top_, bottom_;
    std::wstring name_;
    Booklet booklet_;
    PageFrame frame_;
};

}  // namespace tindral
