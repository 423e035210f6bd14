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

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

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
// so a run's address is final at once.
class RunStore {
public:
    explicit RunStore(std::vector<std::unique_ptr<SExpr[]>>& blocks) : blocks_(blocks) {}

    const SExpr* place(const SExpr* items, size_t n) {
        if (n == 0) return nullptr;
        if (n > room_) {
            const size_t size = std::max(n, kBlockNodes);
            blocks_.push_back(std::make_unique<SExpr[]>(size));
            next_ = blocks_.back().get();
            room_ = size;
        }
        SExpr* run = next_;
        std::copy(items, items + n, run);
        next_ += n;
        room_ -= n;
        return run;
    }

private:
    std::vector<std::unique_ptr<SExpr[]>>& blocks_;
    SExpr* next_ = nullptr;
    size_t room_ = 0;
};

SExprResult parse_sexpr(std::string_view text) {
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
            while (pos < text.size() && !is_space(text[pos]) && text[pos] != '(' && text[pos] != ')' &&
                   text[pos] != '"')
                ++pos;
            atom.text = text.substr(start, pos - start);
        }
        pending.push_back(atom);
    }
    if (!open.empty()) return fail(SExprCode::unclosed);
    if (!closed_top) return fail(SExprCode::empty);
    return r;
}

}  // namespace tindral
