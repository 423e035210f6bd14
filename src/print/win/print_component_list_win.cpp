#include "print/win/print_component_list_win.h"

namespace tindral {

void print_component_list() {}

}  // namespace tindral
