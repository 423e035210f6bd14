#pragma once
// A made-up board of n elements for load timings: the exact document type line, a plain
// outline, three libraries whose packages have wires, circles, rectangles, a polygon and a hole,
// and R/C/U elements with values and rotations on both sides. The same n gives the same bytes.

#include <string>

namespace tindral::bench {

std::string generated_board(int n);

}  // namespace tindral::bench
