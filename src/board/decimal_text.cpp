#include "board/decimal_text.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace tindral {

namespace {

// The powers of ten a double holds exactly.
constexpr double kExactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kMostFractionDigits = 22;
constexpr uint64_t kExactMantissa = uint64_t{1} << 53;

// Plain "-12.345": all digits as one integer below 2^53 and at most 22 of them after the point.
// Both are exact doubles, so their quotient is the correctly rounded value, as strtod's is.
bool plain_decimal(std::string_view t, double& value) {
    size_t i = 0;
    const bool negative = !t.empty() && t[0] == '-';
    if (negative) ++i;
    uint64_t mantissa = 0;
    int digits = 0, fraction = -1;  // fraction: digits after the point, -1 before it
    for (; i < t.size(); ++i) {
        const char c = t[i];
        if (c >= '0' && c <= '9') {
            mantissa = mantissa * 10 + static_cast<uint64_t>(c - '0');
            if (mantissa >= kExactMantissa) return false;
            ++digits;
            if (fraction >= 0 && ++fraction > kMostFractionDigits) return false;
        } else if (c == '.' && fraction < 0) {
            fraction = 0;
        } else {
            return false;  // an exponent, a sign, "nan", hex, trailing text: strtod decides
        }
    }
    if (digits == 0) return false;
    const double v = static_cast<double>(mantissa) / kExactPowers[fraction < 0 ? 0 : fraction];
    value = negative ? -v : v;
    return true;
}

}  // namespace

double decimal_value(std::string_view text) {
    double value = 0;
    if (plain_decimal(text, value)) return value;
    char small[64];
    if (text.size() < sizeof small) {
        text.copy(small, text.size());
        small[text.size()] = '\0';
        return std::strtod(small, nullptr);
    }
    return std::strtod(std::string(text).c_str(), nullptr);
}

}  // namespace tindral
