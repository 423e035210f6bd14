#include "board/utf8.h"

#include <algorithm>
#include <cstdint>

namespace tindral {

namespace {

void append_code_point(std::wstring& out, uint32_t cp) {
    if constexpr (sizeof(wchar_t) == 2) {
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<wchar_t>(0xD800 + (cp >> 10));
            out += static_cast<wchar_t>(0xDC00 + (cp & 0x3FF));
            return;
        }
    }
    out += static_cast<wchar_t>(cp);
}

}  // namespace

std::wstring utf8_to_wide(std::string_view s) {
    std::wstring out;
    append_utf8_as_wide(out, s);
    return out;
}

void append_utf8_as_wide(std::wstring& out, std::string_view s) {
    // ASCII, nearly every text of a board, goes over in one step.
    // (Written in place: appending the range would build a temporary string first.)
    size_t ascii = 0;
    while (ascii < s.size() && static_cast<unsigned char>(s[ascii]) < 0x80) ++ascii;
    const size_t at = out.size();
    out.resize(at + ascii);
    for (size_t i = 0; i < ascii; ++i) out[at + i] = static_cast<wchar_t>(s[i]);
    if (ascii == s.size()) return;
    out.reserve(out.size() + s.size() - ascii);
    size_t i = ascii;
    while (i < s.size()) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            out += static_cast<wchar_t>(c);
            ++i;
            continue;
        }
        int extra = 0;
        uint32_t cp = 0;
        uint32_t min = 0;
        if ((c & 0xE0) == 0xC0) {
            extra = 1, cp = c & 0x1F, min = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2, cp = c & 0x0F, min = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3, cp = c & 0x07, min = 0x10000;
        } else {
            out += L'\uFFFD';
            ++i;
            continue;
        }
        size_t j = i + 1;
        for (int k = 0; k < extra; ++k, ++j) {
            if (j >= s.size() || (static_cast<unsigned char>(s[j]) & 0xC0) != 0x80) break;
            cp = (cp << 6) | (static_cast<unsigned char>(s[j]) & 0x3F);
        }
        if (j - i != static_cast<size_t>(extra) + 1 || cp < min || cp > 0x10FFFF ||
            (cp >= 0xD800 && cp <= 0xDFFF)) {
            out += L'\uFFFD';
            i = j > i + 1 ? j : i + 1;
            continue;
        }
        append_code_point(out, cp);
        i = j;
    }
}

size_t utf8_sequence_at(std::string_view s, size_t i) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    int extra = 0;
    uint32_t cp = 0, min = 0;
    if ((c & 0xE0) == 0xC0) extra = 1, cp = c & 0x1F, min = 0x80;
    else if ((c & 0xF0) == 0xE0) extra = 2, cp = c & 0x0F, min = 0x800;
    else if ((c & 0xF8) == 0xF0) extra = 3, cp = c & 0x07, min = 0x10000;
    else return 0;
    if (s.size() - i <= static_cast<size_t>(extra)) return 0;
    for (int k = 1; k <= extra; ++k) {
        const unsigned char d = static_cast<unsigned char>(s[i + k]);
        if ((d & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (d & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return static_cast<size_t>(extra) + 1;
}

size_t first_invalid_utf8(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) {
        if (static_cast<unsigned char>(s[i]) < 0x80) {
            ++i;
            continue;
        }
        const size_t n = utf8_sequence_at(s, i);
        if (n == 0) return i;
        i += n;
    }
    return std::string_view::npos;
}

std::string clean_utf8(std::string_view s) {
    if (first_invalid_utf8(s) == std::string_view::npos) return std::string(s);
    return wide_to_utf8(utf8_to_wide(s));
}

std::string wide_to_utf8(std::wstring_view s) {
    std::string out;
    out.reserve(s.size());
    append_wide_as_utf8(out, s);
    return out;
}

void append_wide_as_utf8(std::string& out, std::wstring_view s) {
    for (size_t i = 0; i < s.size(); ++i) {
        // ASCII, nearly every text of a board, goes over a run at a time.
        size_t run = i;
        while (run < s.size() && static_cast<uint32_t>(s[run]) < 0x80) ++run;
        if (run > i) {
            const size_t at = out.size();
            out.resize(at + run - i);
            for (size_t k = i; k < run; ++k) out[at + k - i] = static_cast<char>(s[k]);
            i = run;
            if (i == s.size()) break;
        }
        uint32_t cp = static_cast<uint32_t>(s[i]);
        if constexpr (sizeof(wchar_t) == 2) {
            if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < s.size()) {
                const uint32_t lo = static_cast<uint32_t>(s[i + 1]);
                if (lo >= 0xDC00 && lo <= 0xDFFF) {
                    cp = 0x10000 + ((cp - 0xD800) << 10) + (lo - 0xDC00);
                    ++i;
                }
            }
        }
        if ((cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) cp = 0xFFFD;
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
}

namespace {
constexpr uint32_t kEscapedByte = 0xDC00;  // + the byte, for 0x80 to 0xFF
}

std::wstring path_to_wide(std::string_view bytes) {
    std::wstring out;
    while (!bytes.empty()) {
        const size_t bad = std::min(first_invalid_utf8(bytes), bytes.size());
        out += utf8_to_wide(bytes.substr(0, bad));
        if (bad == bytes.size()) break;
        out += static_cast<wchar_t>(kEscapedByte + static_cast<unsigned char>(bytes[bad]));
        bytes.remove_prefix(bad + 1);
    }
    return out;
}

std::string path_bytes(std::wstring_view path) {
    std::string out;
    size_t run = 0;  // start of the text not yet converted
    for (size_t i = 0; i < path.size(); ++i) {
        const uint32_t c = static_cast<uint32_t>(path[i]);
        if (c < kEscapedByte + 0x80 || c > kEscapedByte + 0xFF) continue;
        out += wide_to_utf8(path.substr(run, i - run));
        out += static_cast<char>(c - kEscapedByte);
        run = i + 1;
    }
    out += wide_to_utf8(path.substr(run));
    return out;
}

}  // namespace tindral
