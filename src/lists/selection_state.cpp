#include "lists/selection_state.h"

namespace tindral {

int32_t g_last_row = -1;

}  // namespace tindral
