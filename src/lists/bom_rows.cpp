#include "lists/bom_rows.h"

#include <algorithm>
#include <functional>
#include <unordered_map>
#include <utility>

#include "board/utf8.h"
#include "lists/cell_compare.h"
#include "text/format.h"

namespace tindral {

namespace {


struct PairKey {
    const std::string* package;
    const std::string* value;
    bool operator==(const PairKey& o) const { return *package == *o.package && *value == *o.value; }
};

struct PairKeyHash {
    size_t operator()(const PairKey& k) const {
        const size_t a = std::hash<std::string>{}(*k.package);
        const size_t b = std::hash<std::string>{}(*k.value);
        return a ^ (b + 0x9e3779b97f4a7c15ull + (a << 6) + (a >> 2));
    }
};

}  // namespace

std::vector<BomRow> bom_rows(const BoardModel& board) {
    std::vector<BomRow> rows;
    std::unordered_map<PairKey, size_t, PairKeyHash> row_of;
    for (size_t i = 0; i < board.elements.size(); ++i) {
        const ElementRec& e = board.elements[i];
        if (!e.populated) continue;
        auto [it, inserted] = row_of.try_emplace(PairKey{&e.package, &e.value}, rows.size());
        if (inserted) rows.push_back({e.library, e.package, e.value, 0, i});
        ++rows[it->second].amount;
    }
    return rows;
}

std::wstring bom_cell(const BomRow& row, int column) {
    switch (column) {
        case 0: return utf8_to_wide(row.library);
        case 1: return utf8_to_wide(row.package);
        case 2: return utf8_to_wide(row.value);
        case 3: return format_text(100, L"%d", row.amount);
        default: return {};
    }
}

namespace {

// Each row's cell is read once into the key its comparison reads; ties keep the rows' order,
// so sorting by (key, position) is the stable sort of a header click.
template <typename Key>
void sort_by_keys(std::vector<BomRow>& rows, int column, Key (*key_of)(const std::wstring&)) {
    std::vector<std::pair<Key, size_t>> keyed;
    keyed.reserve(rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        keyed.emplace_back(key_of(bom_cell(rows[i], column)), i);
    std::sort(keyed.begin(), keyed.end());
    std::vector<BomRow> sorted;
    sorted.reserve(rows.size());
    for (const auto& k : keyed) sorted.push_back(std::move(rows[k.second]));
    rows = std::move(sorted);
}

}  // namespace

void sort_bom_rows(std::vector<BomRow>& rows, int column) {
    if (column == 3) sort_by_keys(rows, column, &cell_sort_number);
    else sort_by_keys(rows, column, &cell_sort_text);
}

}  // namespace tindral
