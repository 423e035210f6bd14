#pragma once
// Lines gathered for one PolyPolyline call. A one-pixel pen draws a polyline on the same pixels
// as the MoveToEx/LineTo chain through its points, so a paint of many short lines can hand
// them to GDI in a few calls instead of one call per line end.

#include <windows.h>

#include <vector>

namespace tindral {

class PolylineBatch {
public:
    // Points per PolyPolyline call: few calls for a paint of 100 000 pads, few enough to stay in
    // the cache. Reserved at the start, so that gathering never allocates.
    static constexpr size_t kPoints = 8192;

    // at: the device context's current position, where a line without a move before starts.
    explicit PolylineBatch(POINT at);

    // As MoveToEx: the next line starts a new polyline here.
    void move_to(POINT p) {
        at_ = p;
        open_ = false;
    }
    // As LineTo from the current position; full() must be false.
    void line_to(POINT p);
    // No room for another line_to: draw() first.
    bool full() const { return points_.size() + 2 > kPoints; }
    bool empty() const { return counts_.empty(); }
    // Where the last move or line ended, as the device context's current position would be.
    POINT at() const { return at_; }

    // Draws the gathered polylines with the pen selected in dc and empties the batch.
    void draw(HDC dc);

private:
    std::vector<POINT> points_;
    std::vector<DWORD> counts_;  // points of each polyline, two or more
    POINT at_;
    bool open_ = false;  // the last polyline ends at at_ and a line continues it
};

}  // namespace tindral
