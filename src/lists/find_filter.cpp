#include "lists/find_filter.h"

#include "lists/list_rows.h"

namespace tindral {

namespace {

wchar_t fold_char(wchar_t c) {
    if (c >= L'A' && c <= L'Z') return static_cast<wchar_t>(c + 32);
    if (c < 0xC0) return c;
    // Latin-1 capitals (the multiplication sign sits among them and stays).
    if (c <= 0xDE) return c == 0xD7 ? c : static_cast<wchar_t>(c + 32);
    // Latin Extended-A pairs capitals and small letters; its middle run and the end pair odd
    // and even the other way round.
    if (c >= 0x100 && c <= 0x137) return static_cast<wchar_t>(c | 1);
    if (c >= 0x139 && c <= 0x148) return (c & 1) ? static_cast<wchar_t>(c + 1) : c;
    if (c >= 0x14A && c <= 0x177) return static_cast<wchar_t>(c | 1);
    if (c == 0x178) return 0xFF;
    if (c >= 0x179 && c <= 0x17E) return (c & 1) ? static_cast<wchar_t>(c + 1) : c;
    // Greek capitals (Ohm and Omega among them: values write both).
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return static_cast<wchar_t>(c + 32);
    if (c == 0x2126) return 0x3C9;  // the Ohm sign is the small omega's capital too
    return c;
}

constexpr int kSearchedColumns[] = {kColName, kColValue, kColPackage};

}  // namespace

std::wstring fold_case(const std::wstring& text) {
    std::wstring out(text);
    for (wchar_t& c : out) c = fold_char(c);
    return out;
}

bool element_matches(const ElementRec& element, size_t index, const std::wstring& folded_needle) {
    if (folded_needle.empty()) return true;
    for (int column : kSearchedColumns)
        if (fold_case(list_cell(element, index, column)).find(folded_needle) != std::wstring::npos)
            return true;
    return false;
}

std::vector<size_t> filter_rows(const BoardModel& board, const std::vector<size_t>& rows,
                                const std::wstring& text) {
    if (text.empty()) return rows;
    const std::wstring needle = fold_case(text);
    std::vector<size_t> kept;
    for (size_t c : rows)
        if (c < board.elements.size() && element_matches(board.elements[c], c, needle))
            kept.push_back(c);
    return kept;
}

std::vector<uint8_t> find_matches(const BoardModel& board, const std::wstring& text) {
    if (text.empty()) return {};
    const std::wstring needle = fold_case(text);
    std::vector<uint8_t> matches(board.elements.size(), 0);
    for (size_t c = 0; c < board.elements.size(); ++c)
        matches[c] = element_matches(board.elements[c], c, needle) ? 1 : 0;
    return matches;
}

}  // namespace tindral
