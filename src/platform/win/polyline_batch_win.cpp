#include "platform/win/polyline_batch_win.h"

namespace tindral {

PolylineBatch::PolylineBatch(POINT at) : at_(at) {
    points_.reserve(kPoints);
    counts_.reserve(kPoints / 2);
}

void PolylineBatch::line_to(POINT p) {
    if (!open_) {
        points_.push_back(at_);
        counts_.push_back(1);
        open_ = true;
    }
    points_.push_back(p);
    ++counts_.back();
    at_ = p;
}

void PolylineBatch::draw(HDC dc) {
    if (!counts_.empty())
        PolyPolyline(dc, points_.data(), counts_.data(), static_cast<DWORD>(counts_.size()));
    points_.clear();
    counts_.clear();
    open_ = false;
}

}  // namespace tindral
