#pragma once
// The flat token list of one board file, in document order. The parsers walk it by index.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <vector>

namespace tindral {

enum TokenKind : uint8_t {
    kTokenEmptyEnd = 0,    // end of an attribute-less empty element (<plain/>); also "past the end"
    kTokenStart = 1,       // element start: local name
    kTokenAttrName = 2,    // attribute local name
    kTokenAttrValue = 3,   // attribute value, entities resolved
    kTokenEnd = 4,         // separate end tag: local name
    kTokenXmlDecl = 5,     // the XML declaration: "xml"
    kTokenText = 6,        // text content
    kTokenSkipped = 7,     // stands for the contents of a subtree that was not kept (two of it)
};

// Thrown when a walker reads where a subtree was left out, or behind a window: the load then
// reads the file again with every token kept.
struct SkippedTokensRead {};

// Twelve bytes, packed: a large board has a million of them. A text is at most
// kMaxTokenText long (a board file is far smaller).
constexpr size_t kMaxTokenText = (size_t{1} << 28) - 1;
#pragma pack(push, 4)
struct XmlToken {
    const wchar_t* data = nullptr;  // into the list's text store; none for kind 0
    uint32_t size : 28 = 0;
    uint32_t kind : 4 = kTokenEmptyEnd;

    std::wstring_view text() const { return {data, size}; }
};
#pragma pack(pop)
static_assert(sizeof(XmlToken) == 12);

// Holds texts one after the other in large blocks: a text never moves once kept, and a
// board's million tokens cost no allocation each.
class TextBlocks {
public:
    // block: texts per allocation (a single longer text gets one of its own)
    explicit TextBlocks(size_t block = size_t{1} << 16) : block_(block) {}

    std::wstring_view keep(std::wstring_view s) {
        if (s.empty()) return {};
        if (s.size() > room_) {
            const size_t size = std::max(s.size(), block_);
            blocks_.emplace_back(new wchar_t[size]);  // left unset: every text is copied in
            next_ = blocks_.back().get();
            room_ = size;
        }
        wchar_t* at = next_;
        s.copy(at, s.size());
        next_ += s.size();
        room_ -= s.size();
        return {at, s.size()};
    }

private:
    size_t block_;
    std::vector<std::unique_ptr<wchar_t[]>> blocks_;
    wchar_t* next_ = nullptr;
    size_t room_ = 0;
};

// The texts of a list's tokens, names and short values kept once where they repeat.
class TokenTexts {
public:
    std::wstring_view keep(std::wstring_view s) { return blocks_.keep(s); }
    // The same, but a text kept before through this call is handed out again instead of being
    // copied anew: element and attribute names, a few dozen of them, fill half a board's tokens.
    std::wstring_view keep_name(std::wstring_view s) { return keep_again(s, names_); }
    // Short values too: layers, widths and a board's coordinates repeat from part to part.
    std::wstring_view keep_value(std::wstring_view s) { return keep_again(s, values_); }

private:
    static constexpr size_t kMaxNameLength = 32;

    template <size_t N>
    std::wstring_view keep_again(std::wstring_view s, std::array<std::wstring_view, N>& slots) {
        if (s.empty() || s.size() > kMaxNameLength) return keep(s);
        size_t h = 2166136261u;
        for (wchar_t c : s) h = (h ^ static_cast<size_t>(c)) * 16777619u;
        std::wstring_view& slot = slots[h % N];
        if (slot != s) slot = keep(s);  // a collision only costs a copy
        return slot;
    }

    std::array<std::wstring_view, 512> names_{};
    std::array<std::wstring_view, 4096> values_{};
    TextBlocks blocks_;
};

struct TokenList;

// Where a list read as the walk goes gets its further tokens from.
class TokenSource {
public:
    virtual ~TokenSource() = default;
    // Reads the file on by one node (which may give no token); false at its end.
    virtual bool pull() = 0;
};

// What a list read as the walk goes keeps about the tokens from where its window opened: they
// come from the source when a walker first reads them, and those behind the walk are let go.
struct TokenWindow {
    struct Texts {
        size_t begin = 0, end = 0;  // the window's tokens (counted from its start) kept here
        TextBlocks texts;
    };
    TokenSource* source = nullptr;
    TokenList* owner = nullptr;  // the list, which the walkers only read
    size_t start = 0;     // index of the window's first token in the list
    size_t added = 0;     // tokens the window has taken in
    size_t let_go = 0;    // of them, those taken out again
    std::deque<Texts> texts;  // a fresh store every so many tokens, dropped once all are gone
    // Token arrays outgrown while a walker may still hold a token of them; freed when the
    // walk lets tokens go, where nothing is held.
    std::vector<std::vector<XmlToken>> outgrown;
    bool ended = false;
    bool discard = false;  // the walk is over: further tokens are read, not kept
};

struct TokenList {
    std::vector<XmlToken> tokens;
    TokenTexts texts;
    // Where the two kTokenSkipped tokens of a left-out subtree stand, if any. Walkers step at
    // most two tokens at a time, so one that goes on into the subtree reads one of them.
    size_t skipped_at = std::string_view::npos;
    // With a window: about how many <element> the file holds (never fewer), to size the model.
    size_t element_hint = 0;

    // The number of tokens the list holds.
    size_t count() const { return tokens.size(); }
    // The token at index i; any index at or past the end reads as a kind-0 token without text,
    // so a walker that runs past the last token never leaves the list. Reading a kTokenSkipped
    // token throws SkippedTokensRead.
    const XmlToken& at(size_t i) const {
        if (i < tokens.size() && i < skipped_at) return tokens[i];
        return beyond(i, true);
    }
    // The same, but a kTokenSkipped token is handed out as it is: for a search over the list.
    // A search that reaches where a window let tokens go throws SkippedTokensRead, since what
    // it looks for may have been among them.
    const XmlToken& raw(size_t i) const {
        if (i < tokens.size() && i < gap_) return tokens[i];
        if (i >= gap_) throw SkippedTokensRead{};
        return beyond(i, false);
    }
    // Whether the list holds a token at i (reading on through a window as far as needed).
    bool has(size_t i) const { return i < tokens.size() || (window_ && reach(i)); }
    // i, or the end of the list when it holds no token at i.
    size_t clamp(size_t i) const { return has(i) ? i : tokens.size(); }
    void add(TokenKind kind, std::wstring_view text) {
        if (window_) return add_to_window(kind, text);
        const bool name = kind == kTokenStart || kind == kTokenEnd || kind == kTokenAttrName;
        const std::wstring_view kept = name                      ? texts.keep_name(text)
                                       : kind == kTokenAttrValue ? texts.keep_value(text)
                                                                 : texts.keep(text);
        if (kept.size() > kMaxTokenText) throw std::bad_alloc();
        tokens.push_back(XmlToken{kept.data(), static_cast<uint32_t>(kept.size()), kind});
    }
    // The two kTokenSkipped tokens that stand for a left-out subtree.
    void add_skipped() {
        if (window_ && window_->discard) return;
        skipped_at = tokens.size();
        for (int i = 0; i < 2; ++i) push(XmlToken{nullptr, 0, kTokenSkipped});
        if (window_) window_->added += 2;  // counted like every token, so that the texts line up
    }
    // Takes the last token away if it is of this kind.
    bool drop_last(TokenKind kind) {
        if (tokens.empty() || tokens.back().kind != kind) return false;
        tokens.pop_back();
        return true;
    }

    // From here on tokens come from source as the walkers read them.
    void open_window(TokenSource& source) {
        window_ = std::make_unique<TokenWindow>();
        window_->source = &source;
        window_->owner = this;
        window_->start = tokens.size();
    }
    bool windowed() const { return window_ != nullptr; }
    void close_window() {
        window_.reset();
        gap_ = std::string_view::npos;
    }
    // The walk stands at pos, before which it never reads again: a window lets the tokens
    // from its start up to pos go, and pos moves back with the tokens after it.
    void let_go_before(size_t& pos) const {
        if (!window_ || pos <= window_->start || pos > tokens.size()) return;
        TokenWindow& w = *window_;
        TokenList& list = *w.owner;
        const size_t gone = pos - w.start;
        list.tokens.erase(list.tokens.begin() + static_cast<std::ptrdiff_t>(w.start),
                          list.tokens.begin() + static_cast<std::ptrdiff_t>(pos));
        if (skipped_at != std::string_view::npos && skipped_at >= pos) list.skipped_at -= gone;
        pos = w.start;
        list.gap_ = w.start;
        w.let_go += gone;
        while (w.texts.size() > 1 && w.texts.front().end <= w.let_go) w.texts.pop_front();
        w.outgrown.clear();
    }
    // Tokens whose record or text the list holds at the moment.
    size_t held() const {
        if (!window_ || window_->texts.empty()) return tokens.size();
        return tokens.size() + window_->let_go - window_->texts.front().begin;
    }
    // Reads the rest of the file through the window without keeping it.
    void read_rest_unkept() const {
        if (!window_) return;
        window_->discard = true;
        reach(std::string_view::npos);
    }

private:
    // Tokens per text store of a window, and texts per block of it: a few small stores alive.
    static constexpr size_t kWindowTexts = size_t{1} << 13;
    static constexpr size_t kWindowBlock = size_t{1} << 13;

    // Reads on until index i is in the list; false when the file ends before it.
    bool reach(size_t i) const {
        TokenWindow& w = *window_;
        while (i >= tokens.size() && !w.ended) w.ended = !w.source->pull();
        return i < tokens.size();
    }

    // Appends without moving a token a walker may hold: a full array is kept until the walk
    // lets tokens go, and the tokens go on in a larger copy.
    void push(const XmlToken& t) {
        if (window_ && tokens.size() == tokens.capacity()) {
            std::vector<XmlToken> larger;
            larger.reserve(std::max<size_t>(1024, 2 * tokens.capacity()));
            larger.assign(tokens.begin(), tokens.end());
            window_->outgrown.push_back(std::move(tokens));
            tokens = std::move(larger);
        }
        tokens.push_back(t);
    }

    void add_to_window(TokenKind kind, std::wstring_view text) {
        TokenWindow& w = *window_;
        if (w.discard) return;
        if (w.texts.empty() || w.added - w.texts.back().begin >= kWindowTexts) {
            w.texts.emplace_back(TokenWindow::Texts{w.added, w.added, TextBlocks(kWindowBlock)});
        }
        // Plain copies: a store lives only for a stretch of parts, too short to repeat much.
        const std::wstring_view copy = w.texts.back().texts.keep(text);
        if (copy.size() > kMaxTokenText) throw std::bad_alloc();
        push(XmlToken{copy.data(), static_cast<uint32_t>(copy.size()), kind});
        w.texts.back().end = ++w.added;
    }

    const XmlToken& beyond(size_t i, bool skipped_throws) const {
        static const XmlToken past_end{};
        const XmlToken* t = &past_end;
        if (i < tokens.size() || (window_ && reach(i))) t = &tokens[i];
        if (skipped_throws && t->kind == kTokenSkipped) throw SkippedTokensRead{};
        return *t;
    }

    std::unique_ptr<TokenWindow> window_;
    // Where a window let tokens go: a search over the list may not go past it.
    size_t gap_ = std::string_view::npos;
};

// Frees every token and its text; the list is empty afterwards.
inline void free_token_list(TokenList& list) {
    std::vector<XmlToken>().swap(list.tokens);
    list.texts = TokenTexts();
    list.skipped_at = std::string_view::npos;
    list.element_hint = 0;
    list.close_window();
}

}  // namespace tindral
