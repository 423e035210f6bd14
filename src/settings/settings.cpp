#include "settings/settings.h"

namespace tindral {

Settings g_settings;

}  // namespace tindral
