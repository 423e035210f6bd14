#include "lists/cell_compare.h"

#include <cmath>
#include <cstdint>

namespace tindral {

namespace {

// The UTF-16 code units of a text, at most kCellCompareUnits of them.
std::u16string utf16_units(const std::wstring& s) {
    std::u16string out;
    out.reserve(s.size() < kCellCompareUnits ? s.size() : kCellCompareUnits);
    for (wchar_t wc : s) {
        if (out.size() >= kCellCompareUnits) break;
        const uint32_t c = static_cast<uint32_t>(wc);
        if constexpr (sizeof(wchar_t) > 2) {
            if (c > 0xFFFF && c <= 0x10FFFF) {
                out.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
                if (out.size() >= kCellCompareUnits) break;
                out.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
                continue;
            }
        }
        out.push_back(static_cast<char16_t>(c & 0xFFFF));
    }
    return out;
}

bool is_blank(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r'); }
bool is_digit(wchar_t c) { return c >= L'0' && c <= L'9'; }

}  // namespace

std::u16string cell_sort_text(const std::wstring& text) { return utf16_units(text); }

double cell_sort_number(const std::wstring& text) {
    return text.size() <= kCellCompareUnits ? cell_number(text)
                                            : cell_number(text.substr(0, kCellCompareUnits));
}

int compare_cell_text(const std::wstring& a, const std::wstring& b) {
    const std::u16string ua = utf16_units(a);
    const std::u16string ub = utf16_units(b);
    const int r = ua.compare(ub);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

double cell_number(const std::wstring& text) {
    size_t i = 0;
    const size_t n = text.size();
    while (i < n && is_blank(text[i])) ++i;
    bool negative = false;
    if (i < n && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
    double value = 0;
    bool any = false;
    while (i < n && is_digit(text[i])) {
        value = value * 10 + (text[i++] - L'0');
        any = true;
    }
    if (i < n && text[i] == L'.') {
        ++i;
        double scale = 0.1;
        while (i < n && is_digit(text[i])) {
            value += (text[i++] - L'0') * scale;
            scale /= 10;
            any = true;
        }
    }
    if (!any) return 0;
    if (i < n && (text[i] == L'e' || text[i] == L'E')) {
        size_t j = i + 1;
        bool exp_negative = false;
        if (j < n && (text[j] == L'+' || text[j] == L'-')) exp_negative = text[j++] == L'-';
        if (j < n && is_digit(text[j])) {
            int exponent = 0;
            while (j < n && is_digit(text[j])) {
                if (exponent < 10000) exponent = exponent * 10 + (text[j] - L'0');
                ++j;
            }
            value *= std::pow(10.0, exp_negative ? -exponent : exponent);
        }
    }
    return negative ? -value : value;
}

int compare_cell_number(const std::wstring& a, const std::wstring& b) {
    const double x = cell_sort_number(a);
    const double y = cell_sort_number(b);
    return x < y ? -1 : (x > y ? 1 : 0);
}

}  // namespace tindral
