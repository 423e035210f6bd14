#pragma once
// The system's readable text for an error code of a failed call: FormatMessageW on Windows,
// strerror elsewhere.

#include <cstdint>
#include <string>

namespace tindral {

std::wstring platform_error_text(uint32_t code);

}  // namespace tindral
