#pragma once
// The flat token list of one board file, in document order. The parsers walk it by index.

#include <cstddef>
#include <cstdint>
#include <string>
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
};

struct XmlToken {
    uint8_t kind = kTokenEmptyEnd;
    std::wstring text;  // empty for kind 0
};

struct TokenList {
    std::vector<XmlToken> tokens;

    size_t count() const { return tokens.size(); }
    // The token at index i; any index at or past the end reads as a kind-0 token without text,
    // so a walker that runs past the last token never leaves the list.
    const XmlToken& at(size_t i) const {
        static const XmlToken past_end{};
        return i < tokens.size() ? tokens[i] : past_end;
    }
};

// Frees every token; the list is empty afterwards.
inline void free_token_list(TokenList& list) {
    std::vector<XmlToken>().swap(list.tokens);
}

}  // namespace tindral
