#include "settings/utf16_bytes.h"

namespace tindral {

namespace {

void push_unit(std::vector<uint8_t>& out, uint32_t u) {
    out.push_back(static_cast<uint8_t>(u & 0xFF));
    out.push_back(static_cast<uint8_t>((u >> 8) & 0xFF));
}

uint32_t unit_at(const uint8_t* data, size_t i) { return data[2 * i] | (data[2 * i + 1] << 8); }

}  // namespace

std::vector<uint8_t> utf16_bytes(const std::wstring& s) {
    std::vector<uint8_t> out;
    out.reserve(s.size() * 2);
    for (wchar_t c : s) {
        uint32_t u = static_cast<uint32_t>(c);
        if constexpr (sizeof(wchar_t) > 2) {
            if (u > 0xFFFF && u <= 0x10FFFF) {
                u -= 0x10000;
                push_unit(out, 0xD800 + (u >> 10));
                push_unit(out, 0xDC00 + (u & 0x3FF));
                continue;
            }
        }
        push_unit(out, u & 0xFFFF);
    }
    return out;
}

size_t utf16_units(const uint8_t* data, size_t count) {
    size_t n = 0;
    while (n < count && unit_at(data, n) != 0) ++n;
    return n;
}

std::wstring from_utf16_bytes(const uint8_t* data, size_t count) {
    const size_t n = utf16_units(data, count);
    std::wstring out;
    out.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        const uint32_t u = unit_at(data, i);
        if constexpr (sizeof(wchar_t) > 2) {
            if (u >= 0xD800 && u < 0xDC00 && i + 1 < n) {
                const uint32_t low = unit_at(data, i + 1);
                if (low >= 0xDC00 && low < 0xE000) {
                    out += static_cast<wchar_t>(0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                    ++i;
                    continue;
                }
            }
        }
        out += static_cast<wchar_t>(u);
    }
    return out;
}

}  // namespace tindral
