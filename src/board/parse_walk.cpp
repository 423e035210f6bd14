#include "board/parse_walk.h"

#include <algorithm>

#include "board/load_messages.h"
#include "board/number_text.h"

namespace tindral {

int same_name(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size()) return 1;
    for (size_t i = 0; i < a.size(); ++i) {
        // UTF-16 code units compare as unsigned numbers whatever the size of wchar_t
        const uint32_t ca = static_cast<uint32_t>(a[i]), cb = static_cast<uint32_t>(b[i]);
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    return 0;
}

int same_name(const std::wstring& a, const wchar_t* b) {
    return same_name(a, std::wstring(b));
}

long find_element(const TokenList& tokens, const wchar_t* name) {
    const std::wstring_view wanted(name);
    for (size_t i = 0; tokens.has(i); ++i) {
        const XmlToken& t = tokens.raw(i);
        if (t.kind == kTokenStart && t.text() == wanted) return static_cast<long>(i + 1);
    }
    return -1;
}

bool token_is(const TokenList& tokens, size_t pos, const wchar_t* name) {
    const XmlToken& t = tokens.at(pos);
    return t.kind != kTokenEmptyEnd && t.text() == std::wstring_view(name);
}

bool is_start(const TokenList& tokens, size_t pos, const wchar_t* name) {
    return tokens.at(pos).kind == kTokenStart && token_is(tokens, pos, name);
}

bool is_end(const TokenList& tokens, size_t pos, const wchar_t* name) {
    return tokens.at(pos).kind == kTokenEnd && token_is(tokens, pos, name);
}

bool is_attribute(const TokenList& tokens, size_t pos) {
    const uint8_t k = tokens.at(pos).kind;
    return k == kTokenAttrName || k == kTokenAttrValue;
}

bool report_unexpected(const WalkContext& ctx, const wchar_t* format, std::wstring_view name) {
    if (!ctx.report_unexpected) return true;
    return ctx.asker.go_on_after_unexpected(
        unexpected_question(format, std::wstring(name), ctx.language));
}

bool walk_attributes(const WalkContext& ctx,
                     const TokenList& tokens, size_t& pos, std::initializer_list<AttrRule> rules,
                     const wchar_t* format, AfterUnknown after) {
    while (is_attribute(tokens, pos)) {
        const std::wstring_view name = tokens.at(pos).text();
        const AttrRule* match = nullptr;
        for (const AttrRule& r : rules) {
            if (name == r.name) {
                match = &r;
                break;
            }
        }
        if (match) {
            const std::wstring_view value = tokens.at(pos + 1).text();
            if (match->number)
                *match->number = match->convert ? match->convert(value) : text_to_number(value);
            if (match->integer) *match->integer = text_to_integer(value);
            pos = tokens.clamp(pos + 2);
            continue;
        }
        if (!report_unexpected(ctx, format, name)) return false;
        pos = tokens.clamp(pos + (after == AfterUnknown::past_value ? 2 : 1));
    }
    return true;
}

void skip_element(const TokenList& tokens, size_t& pos, const wchar_t* child) {
    const std::wstring_view name = tokens.at(pos).text();
    ++pos;
    while (is_attribute(tokens, pos)) ++pos;
    if (tokens.at(pos).kind == kTokenEmptyEnd) {
        // <x/> without attributes; at the end of the list this only stops the walk
        if (!past_end(tokens, pos)) ++pos;
        return;
    }
    if (tokens.at(pos).kind == kTokenText) ++pos;
    if (child) {
        while (is_start(tokens, pos, child)) {
            ++pos;
            while (is_attribute(tokens, pos)) ++pos;
            if (is_end(tokens, pos, child) ||
                (tokens.at(pos).kind == kTokenEmptyEnd && !past_end(tokens, pos)))
                ++pos;
        }
    }
    // Without its end token here the element was written <x .../> and the next one begins.
    if (tokens.at(pos).kind == kTokenEnd && tokens.at(pos).text() == name) ++pos;
}

}  // namespace tindral
