#pragma once
// The outline of a pad's copper in package millimetres: a circle, or a closed polygon whose
// rounded corners and ends are cut into a few straight steps.

#include <limits>
#include <vector>

#include "model/placement.h"
#include "model/primitives.h"

namespace tindral {

struct PadOutline {
    bool circle = false;  // then centre and radius; points stays empty
    Point centre;
    double radius = 0;
    std::vector<Point> points;  // counter-clockwise before any mirroring, not repeated at the end
    // The cosine and sine of the last pad angle made into this outline: the pads of a package
    // mostly share one, and the next pad made into it takes them again.
    double turn_degrees = std::numeric_limits<double>::quiet_NaN();
    double turn_cos = 0, turn_sin = 0;
};

// The corner radius of the pad, in millimetres (half the shorter side for an oval).
double pad_corner_radius(const PadRec& pad);

// The pad's outline with its shift, mirror, rotation and position applied; each rounded
// corner in steps segments (at least one).
PadOutline pad_outline(const PadRec& pad, int steps);
// The same into out, whose points keep their room from one pad to the next.
void pad_outline(const PadRec& pad, int steps, PadOutline& out);

// Segments for a quarter circle of this many pixels' radius: fewer when it is small on the
// screen, where more would only draw the same pixels.
int quarter_steps(double radius_px);

}  // namespace tindral
