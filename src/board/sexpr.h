#pragma once
// The s-expressions KiCad writes its boards in: nested lists of atoms and quoted strings. The
// file becomes one tree, or its top-level items one tree each (visit_sexpr); every node knows its
// line, so a fault can be named where it is.
// Atoms are views into the file's text (a quoted string with escapes into the result's own
// store): the text must outlive the tree. A board's many identifiers then cost no copy each.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tindral {

struct SExpr;

// A list's items: a run of nodes in the result's one store, so a board's hundreds of thousands
// of small lists cost no allocation each.
struct SExprItems {
    const SExpr* data = nullptr;
    uint32_t count = 0;

    size_t size() const { return count; }
    bool empty() const { return count == 0; }
    const SExpr& operator[](size_t i) const;
    const SExpr* begin() const { return data; }
    const SExpr* end() const;
};

struct SExpr {
    bool list = false;
    bool quoted = false;  // an atom written "…" (its text is unescaped)
    uint32_t line = 0;    // where the node starts, from 1
    std::string_view text;  // an atom's text; empty for a list
    SExprItems items;

    // A list's first atom, the name KiCad gives it ("footprint", "at", …); empty otherwise.
    std::string_view head() const;
    // The item at i as an atom's text; empty when absent or a list.
    std::string_view atom(size_t i) const;
    // The first list item whose head is name; nullptr when there is none.
    const SExpr* find(std::string_view name) const;
    // True when a bare atom equal to word is one of the items ("hide", "smd", …).
    bool has_word(std::string_view word) const;
};

inline const SExpr& SExprItems::operator[](size_t i) const { return data[i]; }
inline const SExpr* SExprItems::end() const { return data + count; }

enum class SExprCode {
    ok,
    empty,                // no list at all
    unclosed,             // a list still open at the end of the file
    stray_close,          // a ")" with no list open
    unterminated_string,  // a quote still open at the end of the file
    trailing,             // anything outside the one top-level list
    too_deep,             // lists nested past any board's need
};

struct SExprResult {
    SExprCode code = SExprCode::ok;
    uint32_t line = 0;  // the fault's line
    SExpr root;         // the first top-level list when code is ok
    // Every node but the root, in blocks that never move; each list's items one run in a block.
    std::vector<std::unique_ptr<SExpr[]>> store;
    // The quoted strings whose escapes had to be undone; the tree's views point into them.
    std::vector<std::unique_ptr<std::string>> unescaped;
};

// Nesting allowed; KiCad boards stay far below it.
constexpr size_t kMaxSExprDepth = 256;

// Which lists a reader looks into, by their head. A list it does not want stays in the tree as
// an empty list, so every neighbour keeps its place; its inside is only checked for brackets and
// strings. Lists whose head is a list are not wanted either; the top-level list always is.
using SExprKeep = bool (*)(std::string_view head);

// keep: nullptr keeps every list.
SExprResult parse_sexpr(std::string_view text, SExprKeep keep = nullptr);

// Each item of the top-level list with its place there, handed over as soon as it is read.
using SExprVisit = std::function<void(const SExpr& item, size_t index)>;

// As parse_sexpr, but the top-level list's items go to visit one by one and are not kept (the
// result's root has none), so a board costs the memory of its largest item, not of all of them.
// An item's nodes and texts live until visit returns. A fault is found only after visit has seen
// the items before it.
SExprResult visit_sexpr(std::string_view text, SExprKeep keep, const SExprVisit& visit);

}  // namespace tindral
