#include "shell/message_port_win.h"

#include "platform/system_text.h"
#include "shell/app_win.h"

namespace tindral {

int WinMessagePort::show(Owner owner, const std::wstring& text, const std::wstring& title,
                         unsigned flags) {
    // Window handles the owners map to; 0 until the windows exist.
    const AppWindows& w = app_windows();
    HWND hwnd = owner == Owner::main      ? w.hwnd_main
                : owner == Owner::bom     ? w.hwnd_bom
                : owner == Owner::booklet ? w.hwnd_booklet
                                          : nullptr;
    return MessageBoxW(hwnd, text.c_str(), title.c_str(), flags);
}

std::wstring WinMessagePort::system_error_text(uint32_t code) {
    return platform_error_text(code);
}

}  // namespace tindral
