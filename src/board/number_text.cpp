#include "board/number_text.h"

#include <charconv>
#include <cmath>
#include <cwctype>
#include <string>

namespace tindral {

namespace {

bool is_digit(wchar_t c) { return c >= L'0' && c <= L'9'; }

size_t skip_blanks(std::wstring_view t) {
    size_t i = 0;
    while (i < t.size() && std::iswspace(static_cast<wint_t>(t[i]))) ++i;
    return i;
}

}  // namespace

double text_to_number(std::wstring_view text) {
    size_t i = skip_blanks(text);
    std::string narrow;  // the matched number in ASCII, for from_chars
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
        if (text[i] == L'-') narrow.push_back('-');
        ++i;
    }
    size_t digits = 0;
    while (i < text.size() && is_digit(text[i])) {
        narrow.push_back(static_cast<char>(text[i++]));
        ++digits;
    }
    if (i < text.size() && text[i] == L'.') {
        narrow.push_back('.');
        ++i;
        while (i < text.size() && is_digit(text[i])) {
            narrow.push_back(static_cast<char>(text[i++]));
            ++digits;
        }
    }
    if (digits == 0) return 0.0;
    // An exponent counts only when at least one digit follows it.
    if (i < text.size() && (text[i] == L'e' || text[i] == L'E')) {
        size_t j = i + 1;
        std::string exponent = "e";
        if (j < text.size() && (text[j] == L'+' || text[j] == L'-')) {
            exponent.push_back(static_cast<char>(text[j]));
            ++j;
        }
        if (j < text.size() && is_digit(text[j])) {
            while (j < text.size() && is_digit(text[j])) exponent.push_back(static_cast<char>(text[j++]));
            narrow += exponent;
        }
    }
    double value = 0.0;
    const auto [end, ec] = std::from_chars(narrow.data(), narrow.data() + narrow.size(), value);
    if (ec == std::errc::result_out_of_range) {
        // from_chars leaves the value alone on overflow and underflow; _wtof gives huge or 0
        const bool negative = !narrow.empty() && narrow[0] == '-';
        const bool tiny = narrow.find("e-") != std::string::npos;
        if (tiny) return negative ? -0.0 : 0.0;
        return negative ? -HUGE_VAL : HUGE_VAL;
    }
    (void)end;
    return value;
}

int32_t text_to_integer(std::wstring_view text) {
    size_t i = skip_blanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
    int64_t value = 0;
    constexpr int64_t limit = int64_t{INT32_MAX} + 1;
    while (i < text.size() && is_digit(text[i])) {
        value = value * 10 + (text[i++] - L'0');
        if (value > limit) value = limit;  // keep reading, the result is clamped anyway
    }
    if (negative) value = -value;
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(value);
}

}  // namespace tindral
