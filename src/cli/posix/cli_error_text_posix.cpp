#include "app/posix/system_text_posix.h"
#include "cli/cli_error_text.h"

namespace tindral::cli {

std::wstring file_error_text(uint32_t code) { return posix_error_text(code); }

}  // namespace tindral::cli
