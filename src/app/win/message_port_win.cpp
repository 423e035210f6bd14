#include "app/win/message_port_win.h"

#include "app/win/app_win.h"

namespace tindral {

int WinMessagePort::show(Owner owner, const std::wstring& text, const std::wstring& title,
                         unsigned flags) {
    // Window handles the owners map to; 0 until the windows exist.
    const AppWindows& w = app_windows();
    HWND hwnd = owner == Owner::main ? w.hwnd_main : owner == Owner::bom ? w.hwnd_bom : nullptr;
    return MessageBoxW(hwnd, text.c_str(), title.c_str(), flags);
}

std::wstring WinMessagePort::system_error_text(uint32_t code) {
    wchar_t* buffer = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM,
                                   nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                                   reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = (n > 0 && buffer) ? std::wstring(buffer, n) : std::wstring();
    if (buffer) LocalFree(buffer);
    return text;
}

}  // namespace tindral
