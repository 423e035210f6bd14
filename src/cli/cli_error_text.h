#pragma once
// The system's readable text for a failed file access, one line (FormatMessageW on Windows,
// strerror elsewhere).

#include <cstdint>
#include <string>

namespace tindral::cli {

std::wstring file_error_text(uint32_t code);

}  // namespace tindral::cli
