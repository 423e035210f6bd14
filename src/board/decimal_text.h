#pragma once
// Numbers in a KiCad board's text, read exactly as the C runtime's strtod reads them (the
// longest prefix that is a number, 0 when there is none), without copying the text first.

#include <string_view>

namespace tindral {

double decimal_value(std::string_view text);

}  // namespace tindral
