#include "app/win/message_port_win.h"
#include "cli/cli_error_text.h"

namespace tindral::cli {

std::wstring file_error_text(uint32_t code) {
    WinMessagePort port;
    return port.system_error_text(code);
}

}  // namespace tindral::cli
