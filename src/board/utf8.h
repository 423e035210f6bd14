#pragma once
// UTF-8 <-> wide strings (UTF-16 on Windows, UTF-32 elsewhere).

#include <string>
#include <string_view>

namespace tindral {

// Invalid sequences become U+FFFD.
std::wstring utf8_to_wide(std::string_view s);
// The same, appended to out.
void append_utf8_as_wide(std::wstring& out, std::string_view s);
std::string wide_to_utf8(std::wstring_view s);
// The same, appended to out.
void append_wide_as_utf8(std::string& out, std::wstring_view s);
// The same, replacing what out held (its room is kept).
inline void assign_wide_as_utf8(std::string& out, std::wstring_view s) {
    out.clear();
    append_wide_as_utf8(out, s);
}
// s as it is when it is well-formed UTF-8; otherwise each faulty sequence becomes U+FFFD, as
// utf8_to_wide makes it.
std::string clean_utf8(std::string_view s);

// Offset of the first byte that does not start a well-formed UTF-8 sequence (overlong forms,
// surrogates and values past U+10FFFF included), or npos.
size_t first_invalid_utf8(std::string_view s);
// The length of the well-formed sequence of two to four bytes starting at s[i] (a byte of 0x80
// or more), 0 when it is not one.
size_t utf8_sequence_at(std::string_view s, size_t i);

// File names on POSIX systems are bytes, not always UTF-8. Each byte outside well-formed UTF-8
// becomes U+DC80 + its value (a lone surrogate, which no UTF-8 text gives) and goes back to
// that byte, so every name survives the round trip. Windows names are UTF-16 already.
std::wstring path_to_wide(std::string_view bytes);
std::string path_bytes(std::wstring_view path);

}  // namespace tindral
