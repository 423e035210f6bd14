#include "settings/registry_settings.h"

namespace tindral {

// The board loader still works on the process-wide settings.
int put_settings() { return put_settings(g_settings); }

void put_path_list() { put_path_list(g_settings); }

}  // namespace tindral
