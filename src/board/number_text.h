#pragma once
// Numbers from attribute values, read the way the C runtime's _wtof and _wtoi read them
// (leading blanks skipped, reading stops at the first character that cannot continue the number,
// no number gives 0), but independent of the locale: the board file always writes a point.

#include <cstdint>
#include <string_view>

namespace tindral {

double text_to_number(std::wstring_view text);

// Values beyond the 32-bit range are clamped to it.
int32_t text_to_integer(std::wstring_view text);

}  // namespace tindral
