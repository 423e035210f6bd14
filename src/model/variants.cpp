#include "model/variants.h"

#include "model/grouping.h"

namespace tindral {

namespace {

const PartVariant* kept_file_value(const ElementRec& e) {
    for (const PartVariant& v : e.variants)
        if (v.variant == kFileValue) return &v;
    return nullptr;
}

}  // namespace

PartChoice part_in_variant(const ElementRec& e, int32_t variant, int32_t current) {
    const PartVariant* kept = kept_file_value(e);
    const std::string* own = kept ? &kept->value : &e.value;
    for (const PartVariant& v : e.variants) {
        if (v.variant == kFileValue || static_cast<int32_t>(v.variant) != variant) continue;
        return {v.populated, v.has_value ? &v.value : own};
    }
    return {variant == current ? e.own_populated : true, own};
}

void choose_variant(BoardModel& board, int32_t variant) {
    if (variant < -1 || variant >= static_cast<int32_t>(board.variants.size())) variant = -1;
    board.chosen_variant = variant;
    for (ElementRec& e : board.elements) {
        const PartChoice c = part_in_variant(e, variant, board.current_variant);
        e.populated = c.populated;
        if (c.value == &e.value) continue;  // the file's own value, never replaced
        std::string shown = *c.value;
        // The file's value is kept first, before a variant replaces it the first time.
        if (!kept_file_value(e)) e.variants.push_back({kFileValue, true, true, e.value});
        e.value = std::move(shown);
    }
    group_components(board);
}

int32_t find_variant(const BoardModel& board, std::wstring_view name) {
    for (size_t i = 0; i < board.variants.size(); ++i)
        if (board.variants[i] == name) return static_cast<int32_t>(i);
    return -1;
}

uint32_t add_variant(BoardModel& board, std::wstring_view name) {
    const int32_t known = find_variant(board, name);
    if (known >= 0) return static_cast<uint32_t>(known);
    board.variants.emplace_back(name);
    return static_cast<uint32_t>(board.variants.size() - 1);
}

}  // namespace tindral
