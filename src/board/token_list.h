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

// Holds the texts of the tokens, one after the other in large blocks: a text never moves once
// kept, and a board's million tokens cost no allocation each.
class TokenTexts {
public:
    std::wstring_view keep(std::wstring_view s) {
        if (s.empty()) return {};
        if (s.size() > room_) {
            const size_t size = std::max(s.size(), kBlock);
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

    // The same, but a text kept before through this call is handed out again instead of being
    // copied anew: element and attribute names, a few dozen of them, fill half a board's tokens.
    std::wstring_view keep_name(std::wstring_view s) { return keep_again(s, names_); }
    // Short values too: layers, widths and a board's coordinates repeat from part to part.
    std::wstring_view keep_value(std::wstring_view s) { return keep_again(s, values_); }

private:
    static constexpr size_t kBlock = 1 << 16;
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
    std::vector<std::unique_ptr<wchar_t[]>> blocks_;
    wchar_t* next_ = nullptr;
    size_t room_ = 0;
};

// Where a list read as the walk goes gets its further tokens from.
class TokenSource {
public:
    virtual ~TokenSource() = default;
    // Reads the file on by one node (which may give no token); false at its end.
    virtual bool pull() = 0;
};

// The tokens of a list read as the walk goes, from where the window opened: they come from the
// source when a walker first reads them, and those behind the walk are let go again.
struct TokenWindow {
    struct Texts {
        size_t begin = 0, end = 0;  // the tokens whose texts are kept here
        TokenTexts texts;
    };
    TokenSource* source = nullptr;
    size_t first = 0;  // index of tokens[0]; those before it down to the window's start are gone
    std::deque<XmlToken> tokens;  // grows at the back without moving what a walker holds
    std::deque<Texts> texts;      // a fresh store every so many tokens, dropped once all are gone
    bool ended = false;
    bool discard = false;  // the walk is over: further tokens are read, not kept

    size_t end() const { return first + tokens.size(); }
    // Reads on until index i is in the window; false when the file ends before it.
    bool reach(size_t i) {
        while (i >= end() && !ended) ended = !source->pull();
        return i < end();
    }
};

struct TokenList {
    std::vector<XmlToken> tokens;  // with a window: only those before it
    TokenTexts texts;
    // Where the two kTokenSkipped tokens of a left-out subtree stand, if any. Walkers step at
    // most two tokens at a time, so one that goes on into the subtree reads one of them.
    size_t skipped_at = std::string_view::npos;
    // With a window: about how many <element> the file holds (never fewer), to size the model.
    size_t element_hint = 0;

    // The number of tokens of a list read whole.
    size_t count() const { return tokens.size(); }
    // The token at index i; any index at or past the end reads as a kind-0 token without text,
    // so a walker that runs past the last token never leaves the list. Reading a kTokenSkipped
    // token, or one a window has let go, throws SkippedTokensRead.
    const XmlToken& at(size_t i) const {
        if (i < tokens.size() && i < skipped_at) return tokens[i];
        return beyond(i, true);
    }
    // The same, but a kTokenSkipped token is handed out as it is: for a search over the list.
    const XmlToken& raw(size_t i) const {
        if (i < tokens.size()) return tokens[i];
        return beyond(i, false);
    }
    // Whether the list holds a token at i (reading on through a window as far as needed).
    bool has(size_t i) const {
        if (i < tokens.size()) return true;
        return window_ && (i < window_->first || window_->reach(i));
    }
    // i, or the end of the list when it holds no token at i.
    size_t clamp(size_t i) const {
        if (has(i)) return i;
        return window_ ? window_->end() : tokens.size();
    }
    void add(TokenKind kind, std::wstring_view text) {
        if (window_) return add_to_window(kind, text);
        tokens.push_back(kept(texts, kind, text));
    }
    // The two kTokenSkipped tokens that stand for a left-out subtree.
    void add_skipped() {
        const XmlToken skipped{nullptr, 0, kTokenSkipped};
        if (window_ && window_->discard) return;
        if (window_) {
            skipped_at = window_->end();
            window_->tokens.insert(window_->tokens.end(), 2, skipped);
            return;
        }
        skipped_at = tokens.size();
        tokens.insert(tokens.end(), 2, skipped);
    }
    // Takes the last token of a list read whole away if it is of this kind.
    bool drop_last(TokenKind kind) {
        if (tokens.empty() || tokens.back().kind != kind) return false;
        tokens.pop_back();
        return true;
    }

    // From here on tokens come from source as the walkers read them.
    void open_window(TokenSource& source) {
        window_ = std::make_unique<TokenWindow>();
        window_->source = &source;
        window_->first = tokens.size();
    }
    bool windowed() const { return window_ != nullptr; }
    // Tokens whose record or text is held at the moment: with a window those before it and
    // those from its oldest text store on.
    size_t held() const {
        if (!window_) return tokens.size();
        const TokenWindow& w = *window_;
        return tokens.size() + w.end() - (w.texts.empty() ? w.first : w.texts.front().begin);
    }
    void close_window() { window_.reset(); }
    // The walk is past index i for good: a window lets the tokens before it go.
    void release_before(size_t i) const {
        if (!window_ || i <= window_->first) return;
        TokenWindow& w = *window_;
        const size_t gone = std::min(i, w.end()) - w.first;
        w.tokens.erase(w.tokens.begin(), w.tokens.begin() + static_cast<std::ptrdiff_t>(gone));
        w.first += gone;
        while (w.texts.size() > 1 && w.texts.front().end <= w.first) w.texts.pop_front();
    }
    // Reads the rest of the file through the window without keeping it.
    void read_rest_unkept() const {
        if (!window_) return;
        window_->discard = true;
        while (!window_->ended) window_->ended = !window_->source->pull();
    }

private:
    static constexpr size_t kWindowTexts = size_t{1} << 15;  // tokens per text store of a window

    static XmlToken kept(TokenTexts& store, TokenKind kind, std::wstring_view text) {
        const bool name = kind == kTokenStart || kind == kTokenEnd || kind == kTokenAttrName;
        const std::wstring_view kept = name                      ? store.keep_name(text)
                                       : kind == kTokenAttrValue ? store.keep_value(text)
                                                                 : store.keep(text);
        if (kept.size() > kMaxTokenText) throw std::bad_alloc();
        return XmlToken{kept.data(), static_cast<uint32_t>(kept.size()), kind};
    }

    void add_to_window(TokenKind kind, std::wstring_view text) {
        TokenWindow& w = *window_;
        if (w.discard) return;
        if (w.texts.empty() || w.end() - w.texts.back().begin >= kWindowTexts) {
            w.texts.emplace_back();
            w.texts.back().begin = w.end();
        }
        w.tokens.push_back(kept(w.texts.back().texts, kind, text));
        w.texts.back().end = w.end();
    }

    const XmlToken& beyond(size_t i, bool skipped_throws) const {
        static const XmlToken past_end{};
        const XmlToken* t = &past_end;
        if (i < tokens.size()) {
            t = &tokens[i];
        } else if (window_) {
            if (i < window_->first) throw SkippedTokensRead{};
            if (window_->reach(i)) t = &window_->tokens[i - window_->first];
        }
        if (skipped_throws && t->kind == kTokenSkipped) throw SkippedTokensRead{};
        return *t;
    }

    std::unique_ptr<TokenWindow> window_;
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
