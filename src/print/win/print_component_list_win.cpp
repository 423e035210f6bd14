#include "print/win/print_component_list_win.h"

#include "print/win/print_device_win.h"

namespace tindral {

int print_component_list() {
    WinPrintDevice device;
    return print_bom_list(device);
}

}  // namespace tindral
