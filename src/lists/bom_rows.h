#pragma once
// The bill of materials without its window: one row per package and value over both sides,
// in the order of each pair's first component, and the comparison of a header click.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/board_model.h"

namespace tindral {

struct BomRow {
    std::string library;  // of the first component with this package and value (UTF-8)
    std::string package;
    std::string value;
    uint32_t amount = 0;
    size_t first = 0;      // model index of that first component
};

constexpr int kBomColumnCount = 4;

// The rows of a fill, over the parts fitted in the variant shown. Package and value are compared as whole strings, case-sensitive.
std::vector<BomRow> bom_rows(const BoardModel& board);

// Column 0 library, 1 package, 2 value, 3 amount ("%d"); others empty.
std::wstring bom_cell(const BomRow& row, int column);

// Sorts the rows as a header click does: ascending by the column, equal rows keep their order.
// Column 3 compares as numbers, every other column as text (UTF-16 code units, as the lists).
void sort_bom_rows(std::vector<BomRow>& rows, int column);

}  // namespace tindral
