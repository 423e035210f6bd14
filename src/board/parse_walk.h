#pragma once
// What every reader of the board parser shares: name comparison, the cursor rules over the
// token list, the walk over an element's attributes and the question about unknown names.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "board/load_types.h"
#include "board/token_list.h"

namespace tindral {

// What the readers need besides the tokens: whom to ask about unknown names and whether to, and
// the language of the question and of the value "Undefined".
struct WalkContext {
    LoadAsker& asker;
    bool report_unexpected;
    uint32_t language;
};

// Exact, case-sensitive comparison by UTF-16 code unit: 0 when equal, 1 when the lengths differ,
// otherwise -1 or 1 by the first differing unit.
int same_name(const std::wstring& a, const std::wstring& b);
int same_name(const std::wstring& a, const wchar_t* b);

// The index after the first element-start token named name (its first attribute or first
// child), or -1 when the list has none.
long find_element(const TokenList& tokens, const wchar_t* name);

// The token at pos has this text (kind 0 has none and equals no name).
bool token_is(const TokenList& tokens, size_t pos, const wchar_t* name);
bool is_start(const TokenList& tokens, size_t pos, const wchar_t* name);
bool is_end(const TokenList& tokens, size_t pos, const wchar_t* name);
// Names and values are both taken as attribute tokens: the walk cannot tell them apart.
bool is_attribute(const TokenList& tokens, size_t pos);
inline bool past_end(const TokenList& tokens, size_t pos) { return !tokens.has(pos); }

// With "report unexpected" on, asks whether to go on; false when the user answered No. format
// is the reader's own, filled with "Unexpected element", name and "Continue?".
bool report_unexpected(const WalkContext& ctx, const wchar_t* format, std::wstring_view name);

// One accepted attribute: its value goes into number or integer, or nowhere when both are null.
// A number is read with convert when one is given.
struct AttrRule {
    std::wstring_view name;
    double* number = nullptr;
    int32_t* integer = nullptr;
    double (*convert)(std::wstring_view) = nullptr;
};

// Where the walk goes on after an unknown attribute: with the very next token (its value is then
// taken as a name and reported in its turn), or past its value.
enum class AfterUnknown { next_token, past_value };

// Walks the attribute tokens at pos into the rules. Returns false when the user answered No;
// pos then stands on the unknown name.
bool walk_attributes(const WalkContext& ctx,
                     const TokenList& tokens, size_t& pos, std::initializer_list<AttrRule> rules,
                     const wchar_t* format, AfterUnknown after);

// Steps over a whole element that nothing keeps: pos on its start token. Takes its attributes,
// a text content, children named child (vertices of a polygon) and its own end token, whichever
// of them are there.
void skip_element(const TokenList& tokens, size_t& pos, const wchar_t* child = nullptr);

}  // namespace tindral
