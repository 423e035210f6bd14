#pragma once
// The flat token list of one board file, in document order. The parsers walk it by index.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
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

// Thrown when a walker reads where a subtree was left out: the load then reads the file again
// with every token kept.
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

struct TokenList {
    std::vector<XmlToken> tokens;
    TokenTexts texts;
    // Where the two kTokenSkipped tokens of a left-out subtree stand, if any. Walkers step at
    // most two tokens at a time, so one that goes on into the subtree reads one of them.
    size_t skipped_at = std::string_view::npos;

    size_t count() const { return tokens.size(); }
    // The token at index i; any index at or past the end reads as a kind-0 token without text,
    // so a walker that runs past the last token never leaves the list. Reading a kTokenSkipped
    // token throws SkippedTokensRead.
    const XmlToken& at(size_t i) const {
        if (i < tokens.size() && i < skipped_at) return tokens[i];
        return beyond(i);
    }
    void add(TokenKind kind, std::wstring_view text) {
        const bool name = kind == kTokenStart || kind == kTokenEnd || kind == kTokenAttrName;
        const std::wstring_view kept = name                      ? texts.keep_name(text)
                                       : kind == kTokenAttrValue ? texts.keep_value(text)
                                                                 : texts.keep(text);
        if (kept.size() > kMaxTokenText) throw std::bad_alloc();
        tokens.push_back(XmlToken{kept.data(), static_cast<uint32_t>(kept.size()), kind});
    }

private:
    const XmlToken& beyond(size_t i) const {
        static const XmlToken past_end{};
        if (i < tokens.size() && tokens[i].kind == kTokenSkipped) throw SkippedTokensRead{};
        return i < tokens.size() ? tokens[i] : past_end;
    }
};

// Frees every token and its text; the list is empty afterwards.
inline void free_token_list(TokenList& list) {
    std::vector<XmlToken>().swap(list.tokens);
    list.texts = TokenTexts();
    list.skipped_at = std::string_view::npos;
}

}  // namespace tindral
