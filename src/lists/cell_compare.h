#pragma once
// The two ways the lists compare cell texts: ordinal over UTF-16 code units, or as numbers.
// Both lists read a cell into a buffer of 100 characters, so only the first 99 code units of a
// text take part.

#include <string>

namespace tindral {

constexpr size_t kCellCompareUnits = 99;

// -1, 0 or 1: code unit by code unit as unsigned 16-bit values (case-sensitive). Where wchar_t
// holds UTF-32, characters beyond the BMP compare as their surrogate pairs would.
int compare_cell_text(const std::wstring& a, const std::wstring& b);

// -1, 0 or 1 by the texts read as floating-point numbers (a text without a number reads as 0).
int compare_cell_number(const std::wstring& a, const std::wstring& b);

// The leading number of a text: blanks skipped, optional sign, digits with an optional point
// and exponent; stops at the first character that cannot continue it; 0 when there is none.
double cell_number(const std::wstring& text);

// What the two comparisons compare: the text's first code units, and the number they read as.
// Sorting many rows makes these once per row instead of once per comparison.
std::u16string cell_sort_text(const std::wstring& text);
double cell_sort_number(const std::wstring& text);

}  // namespace tindral
