#pragma once
// MessageBoxW and FormatMessageW behind the message seam.

#include <windows.h>

#include "app/messages.h"

namespace tindral {

class WinMessagePort : public MessagePort {
public:
    int show(Owner owner, const std::wstring& text, const std::wstring& title,
             unsigned flags) override;
    std::wstring system_error_text(uint32_t code) override;
};

// Window handles the owners map to; 0 until the windows exist.
extern HWND g_hwnd_main;
extern HWND g_hwnd_bom;

}  // namespace tindral
