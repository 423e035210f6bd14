#pragma once
// MessageBoxW and FormatMessageW behind the message seam.

#include <windows.h>

#include "text/messages.h"

namespace tindral {

class WinMessagePort : public MessagePort {
public:
    int show(Owner owner, const std::wstring& text, const std::wstring& title,
             unsigned flags) override;
    std::wstring system_error_text(uint32_t code) override;
};

}  // namespace tindral
