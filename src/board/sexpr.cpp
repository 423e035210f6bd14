#include "board/sexpr.h"

#include <algorithm>

namespace tindral {

std::string_view SExpr::head() const {
    return list && !items.empty() && !items[0].list ? items[0].text : std::string_view();
}

std::string_view SExpr::atom(size_t i) const {
    return i < items.size() && !items[i].list ? items[i].text : std::string_view();
}

const SExpr* SExpr::find(std::string_view name) const {
    for (const SExpr& item : items)
        if (item.head() == name) return &item;
    return nullptr;
}

bool SExpr::has_word(std::string_view word) const {
    for (const SExpr& item : items)
        if (!item.list && !item.quoted && item.text == word) return true;
    return false;
}

namespace {

// Which characters matter where: a file is mostly atoms, blanks and strings, and a table tells
// at once whether a character ends a run of them.
struct CharTable {
    bool space[256] = {};
    bool ends_atom[256] = {};
    bool counts_in_skip[256] = {};  // in a list nobody reads
    bool ends_string_run[256] = {};  // in a quoted string nobody reads
    constexpr CharTable() {
        for (const char c : {' ', '\t', '\r', '\n'}) space[static_cast<unsigned char>(c)] = true;
        for (const char c : {' ', '\t', '\r', '\n', '(', ')', '"'}) ends_atom[static_cast<unsigned char>(c)] = true;
        for (const char c : {'\n', '(', ')', '"'}) counts_in_skip[static_cast<unsigned char>(c)] = true;
        for (const char c : {'\n', '"', '\\'}) ends_string_run[static_cast<unsigned char>(c)] = true;
    }
};
constexpr CharTable kChars;

bool is_space(char c) { return kChars.space[static_cast<unsigned char>(c)]; }
bool ends_atom(char c) { return kChars.ends_atom[static_cast<unsigned char>(c)]; }

// A quoted string from just past its opening quote, escapes undone into out; false when the
// file ends inside it.
bool unescape_quoted(std::string_view text, size_t& pos, uint32_t& line, std::string& out) {
    while (pos < text.size()) {
        const char c = text[pos++];
        if (c == '"') return true;
        if (c == '\n') ++line;
        if (c != '\\' || pos >= text.size()) {
            out += c;
            continue;
        }
        const char e = text[pos++];
        switch (e) {
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case 'r': out += '\r'; break;
        default:  // \" \\ and anything else stand for themselves
            if (e == '\n') ++line;
            out += e;
        }
    }
    return false;
}

// A quoted string from just past its opening quote: a view into the text when it holds no
// escape (nearly every one), else its unescaped copy kept in the result.
bool read_quoted(std::string_view text, size_t& pos, uint32_t& line, SExprResult& r,
                 std::string_view& out) {
    const size_t start = pos;
    for (size_t i = start; i < text.size(); ++i) {
        if (text[i] == '\\') break;
        if (text[i] == '"') {
            for (size_t k = start; k < i; ++k) line += text[k] == '\n';
            out = text.substr(start, i - start);
            pos = i + 1;
            return true;
        }
    }
    auto copy = std::make_unique<std::string>();
    if (!unescape_quoted(text, pos, line, *copy)) return false;
    out = *copy;
    r.unescaped.push_back(std::move(copy));
    return true;
}

}  // namespace

// Nodes per block of the store: small enough that the last block's spare room stays small,
// large enough that blocks are few. A longer run gets a block of its own.
constexpr size_t kBlockNodes = 4096;

// Where the store puts the runs of items, block after block; a block is never moved or grown,
// so a run's address is final at once. Once the runs are no longer needed its blocks serve again.
class RunStore {
public:
    explicit RunStore(std::vector<std::unique_ptr<SExpr[]>>& blocks) : blocks_(blocks) {}

    const SExpr* place(const SExpr* items, size_t n) {
        if (n == 0) return nullptr;
        while (n > room_) next_block(n);
        SExpr* run = next_;
        std::copy(items, items + n, run);
        next_ += n;
        room_ -= n;
        return run;
    }

    // Every run placed so far is dropped.
    void reuse() {
        used_ = 0;
        next_ = nullptr;
        room_ = 0;
    }

private:
    // The next block that holds n nodes: one kept from before, or a new one.
    void next_block(size_t n) {
        if (used_ < blocks_.size()) {
            next_ = blocks_[used_].get();
            room_ = sizes_[used_++];
            return;
        }
        const size_t size = std::max(n, kBlockNodes);
        blocks_.push_back(std::make_unique<SExpr[]>(size));
        sizes_.push_back(size);
        next_ = blocks_.back().get();
        room_ = size;
        ++used_;
    }

    std::vector<std::unique_ptr<SExpr[]>>& blocks_;
    std::vector<size_t> sizes_;
    size_t used_ = 0;  // blocks in use, the last of them being filled
    SExpr* next_ = nullptr;
    size_t room_ = 0;
};

namespace {

// Past the rest of a list nobody reads, from pos inside it to just after its ")": brackets,
// strings and lines counted as the full reading counts them. depth: the lists open, it included.
SExprCode skip_list(std::string_view text, size_t& pos, uint32_t& line, size_t depth) {
    const size_t outside = depth - 1;
    while (pos < text.size()) {
        if (!kChars.counts_in_skip[static_cast<unsigned char>(text[pos])]) {
            ++pos;
            continue;
        }
        const char c = text[pos];
        if (c == '(' && depth >= kMaxSExprDepth) return SExprCode::too_deep;
        ++pos;
        if (c == '\n') {
            ++line;
        } else if (c == '(') {
            ++depth;
        } else if (c == ')') {
            if (--depth == outside) return SExprCode::ok;
        } else if (c == '"') {
            for (;;) {
                while (pos < text.size() && !kChars.ends_string_run[static_cast<unsigned char>(text[pos])]) ++pos;
                if (pos >= text.size()) return SExprCode::unterminated_string;
                const char q = text[pos++];
                if (q == '"') break;
                if (q == '\n') {
                    ++line;
                    continue;
                }
                if (pos >= text.size()) return SExprCode::unterminated_string;  // after a backslash
                line += text[pos++] == '\n';
            }
        }
    }
    return SExprCode::unclosed;
}

// The reading itself; visit, when given, takes the top-level list's items one by one.
SExprResult read_sexpr(std::string_view text, SExprKeep keep, const SExprVisit* visit) {
    SExprResult r;
    std::vector<SExpr> open;      // the lists being read, outermost first
    std::vector<SExpr> pending;   // their items read so far, one list's after its parent's
    std::vector<size_t> starts;   // where each open list's items start in pending
    RunStore store(r.store);
    uint32_t line = 1;
    bool closed_top = false;
    size_t pos = 0;
    const auto fail = [&](SExprCode code) {
        r.code = code;
        r.line = line;
        r.root = SExpr{};
        r.store.clear();
        r.unescaped.clear();
        return std::move(r);
    };
    // The innermost list has no item yet, so the next one is its head: the moment to choose.
    const auto choosing = [&] { return keep && open.size() >= 2 && pending.size() == starts.back(); };
    // The innermost list stays as an empty one; the rest of it is only checked.
    const auto drop_innermost = [&] {
        const size_t depth = open.size();
        pending.resize(starts.back());
        pending.push_back(open.back());
        open.pop_back();
        starts.pop_back();
        return skip_list(text, pos, line, depth);
    };
    // A top-level item read whole goes to visit; its nodes and texts are then dropped.
    size_t index = 0;
    const auto hand_over = [&] {
        if (!visit || open.size() != 1) return;
        (*visit)(pending.back(), index++);
        pending.pop_back();
        store.reuse();
        r.unescaped.clear();
    };
    while (pos < text.size()) {
        const char c = text[pos];
        if (is_space(c)) {
            if (c == '\n') ++line;
            ++pos;
            continue;
        }
        if (closed_top) return fail(SExprCode::trailing);
        if (c == '(') {
            if (open.size() >= kMaxSExprDepth) return fail(SExprCode::too_deep);
            if (choosing()) {  // a list for a head: no name to keep it by
                if (const SExprCode code = drop_innermost(); code != SExprCode::ok) return fail(code);
                hand_over();
                continue;
            }
            SExpr list;
            list.list = true;
            list.line = line;
            open.push_back(list);
            starts.push_back(pending.size());
            ++pos;
            continue;
        }
        if (c == ')') {
            if (open.empty()) return fail(SExprCode::stray_close);
            SExpr done = open.back();
            open.pop_back();
            const size_t from = starts.back();
            starts.pop_back();
            // The list's items move to the store as one run.
            done.items.count = static_cast<uint32_t>(pending.size() - from);
            done.items.data = store.place(pending.data() + from, done.items.count);
            pending.resize(from);
            ++pos;
            if (open.empty()) {
                r.root = done;
                closed_top = true;
            } else {
                pending.push_back(done);
                hand_over();
            }
            continue;
        }
        if (open.empty()) return fail(SExprCode::trailing);  // an atom outside every list
        SExpr atom;
        atom.line = line;
        if (c == '"') {
            ++pos;
            atom.quoted = true;
            if (!read_quoted(text, pos, line, r, atom.text)) return fail(SExprCode::unterminated_string);
        } else {
            const size_t start = pos;
            while (pos < text.size() && !ends_atom(text[pos])) ++pos;
            atom.text = text.substr(start, pos - start);
        }
        if (choosing() && !keep(atom.text)) {
            if (atom.quoted && !r.unescaped.empty() && atom.text.data() == r.unescaped.back()->data())
                r.unescaped.pop_back();
            if (const SExprCode code = drop_innermost(); code != SExprCode::ok) return fail(code);
            hand_over();
            continue;
        }
        pending.push_back(atom);
        hand_over();
    }
    if (!open.empty()) return fail(SExprCode::unclosed);
    if (!closed_top) return fail(SExprCode::empty);
    return r;
}

}  // namespace

SExprResult parse_sexpr(std::string_view text, SExprKeep keep) { return read_sexpr(text, keep, nullptr); }

SExprResult visit_sexpr(std::string_view text, SExprKeep keep, const SExprVisit& visit) {
    return read_sexpr(text, keep, &visit);
}

}  // namespace tindral
