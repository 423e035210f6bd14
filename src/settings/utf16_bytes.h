#pragma once
// Strings travel to and from the store as little-endian UTF-16, whatever the size of wchar_t.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tindral {

// The string's UTF-16 code units as bytes, without a terminator.
std::vector<uint8_t> utf16_bytes(const std::wstring& s);

// The string held by count code units at data; stops at the first NUL unit.
std::wstring from_utf16_bytes(const uint8_t* data, size_t count);

// The number of UTF-16 code units of a string up to its first NUL.
size_t utf16_units(const uint8_t* data, size_t count);

}  // namespace tindral
