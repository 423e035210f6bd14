#include "board/parse_walk.h"
#include "board/section_readers.h"
#include "model/variants.h"

namespace tindral {

long find_variantdefs(const TokenList& tokens, size_t elements_pos) {
    // Eagle writes them after the libraries, a few dozen tokens before the elements: looked
    // for backwards from there, a board without them costs no walk over its libraries.
    for (size_t i = elements_pos; i-- > 0;) {
        if (is_start(tokens, i, L"variantdefs")) return static_cast<long>(i + 1);
        if (is_end(tokens, i, L"libraries") || is_start(tokens, i, L"board")) break;
    }
    return -1;
}

void read_variantdefs(const TokenList& tokens, size_t pos, BoardModel& board) {
    // Only <variantdef .../> belong here: anything else ends them (also the <variantdefs/>
    // Eagle writes for none), so the walk never runs on into the elements.
    for (;;) {
        if (tokens.at(pos).kind == kTokenEmptyEnd && !past_end(tokens, pos)) {
            ++pos;  // <variantdefs/> or <variantdef/>: nothing to read
            if (!is_start(tokens, pos, L"variantdef")) break;
            continue;
        }
        if (!is_start(tokens, pos, L"variantdef")) break;
        std::wstring_view name;
        bool current = false;
        for (++pos; is_attribute(tokens, pos); pos += 2) {
            const std::wstring_view key = tokens.at(pos).text();
            if (key == L"name") name = tokens.at(pos + 1).text();
            if (key == L"current") current = tokens.at(pos + 1).text() == L"yes";
        }
        if (is_end(tokens, pos, L"variantdef")) ++pos;
        if (name.empty()) continue;
        const uint32_t index = add_variant(board, name);
        if (current && board.current_variant < 0) board.current_variant = static_cast<int32_t>(index);
    }
    // Eagle marks one variant current; a file that marks none starts on the first.
    if (board.current_variant < 0 && !board.variants.empty()) board.current_variant = 0;
}

}  // namespace tindral
