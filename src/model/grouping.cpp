#include "model/grouping.h"

#include <algorithm>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

namespace tindral {

namespace {

struct GroupKey {
    const std::string* package;
    const std::string* value;
    bool operator==(const GroupKey& o) const { return *package == *o.package && *value == *o.value; }
};

struct GroupKeyHash {
    size_t operator()(const GroupKey& k) const {
        const size_t a = std::hash<std::string>{}(*k.package);
        const size_t b = std::hash<std::string>{}(*k.value);
        return a ^ (b + 0x9e3779b97f4a7c15ull + (a << 6) + (a >> 2));
    }
};

constexpr size_t kNoLeader = static_cast<size_t>(-1);

struct GroupState {
    size_t first = 0;  // index of the first element with this package and value
    size_t leading_top = kNoLeader;
    size_t leading_bottom = kNoLeader;
};

bool is_digit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

uint32_t group_step(size_t element_count) {
    uint64_t step = 1000;
    while (step < element_count) step *= 10;
    return static_cast<uint32_t>(step);
}

uint32_t group_class_base(const ElementRec& element, uint32_t step) {
    const std::string& n = element.name;
    uint32_t cls = 3;
    if (n.size() >= 2 && is_digit(n[1])) {
        if (n[0] == 'R') cls = 1;
        else if (n[0] == 'C') cls = 2;
    }
    if (element.side != kSideTop) cls += 4;
    return cls * step;
}

void group_components(BoardModel& board) {
    std::vector<ElementRec>& elements = board.elements;
    const uint32_t step = group_step(elements.size());

    // One pass with a hash of the whole package and value strings: the first element of a key
    // is the one whose index numbers the group, exactly as a scan from each key element would.
    std::unordered_map<GroupKey, GroupState, GroupKeyHash> groups;
    groups.reserve(elements.size());
    for (ElementRec& e : elements) {
        e.amount_top = 0;
        e.amount_bottom = 0;
        e.group = 0;
        e.shade = 0;
    }
    for (size_t j = 0; j < elements.size(); ++j) {
        ElementRec& e = elements[j];
        if (!e.populated) continue;  // not fitted in the variant shown: no group, no amount
        auto [it, inserted] = groups.try_emplace(GroupKey{&e.package, &e.value});
        GroupState& g = it->second;
        if (inserted) g.first = j;
        e.group = group_class_base(e, step) + static_cast<uint32_t>(g.first);
        size_t& leader = e.side == kSideTop ? g.leading_top : g.leading_bottom;
        if (leader == kNoLeader) leader = j;
        if (e.side == kSideTop) ++elements[leader].amount_top;
        else ++elements[leader].amount_bottom;
    }

    // Shading alternates over the group numbers in ascending order, across classes and sides;
    // every number lies in one of the six class ranges, so every group is shaded.
    std::vector<uint32_t> numbers;
    numbers.reserve(elements.size());
    for (const ElementRec& e : elements)
        if (e.populated) numbers.push_back(e.group);
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    for (ElementRec& e : elements) {
        if (!e.populated) continue;
        const size_t rank = static_cast<size_t>(
            std::lower_bound(numbers.begin(), numbers.end(), e.group) - numbers.begin());
        e.shade = static_cast<uint32_t>(rank % 2);
    }
}

}  // namespace tindral
