#include "platform/system_text.h"

#include <windows.h>

namespace tindral {

std::wstring platform_error_text(uint32_t code) {
    wchar_t* buffer = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM,
                                   nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                                   reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = (n > 0 && buffer) ? std::wstring(buffer, n) : std::wstring();
    if (buffer) LocalFree(buffer);
    return text;
}

}  // namespace tindral
