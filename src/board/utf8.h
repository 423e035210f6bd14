#pragma once
// UTF-8 <-> wide strings (UTF-16 on Windows, UTF-32 elsewhere).

#include <string>
#include <string_view>

namespace tindral {

// Invalid sequences become U+FFFD.
std::wstring utf8_to_wide(std::string_view s);
std::string wide_to_utf8(std::wstring_view s);

// Offset of the first byte that does not start a well-formed UTF-8 sequence (overlong forms,
// surrogates and values past U+10FFFF included), or npos.
size_t first_invalid_utf8(std::string_view s);

}  // namespace tindral
