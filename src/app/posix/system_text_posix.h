#pragma once
// Readable text for an errno value, standing in for FormatMessageW in native builds.

#include <cstdint>
#include <string>

namespace tindral {

std::wstring posix_error_text(uint32_t code);

}  // namespace tindral
