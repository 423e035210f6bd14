#include "platform/system_text.h"

#include <cstring>

namespace tindral {

std::wstring platform_error_text(uint32_t code) {
    const char* s = std::strerror(static_cast<int>(code));
    std::wstring out;
    for (const char* p = s; p && *p; ++p) out += static_cast<wchar_t>(static_cast<unsigned char>(*p));
    return out;
}

}  // namespace tindral
