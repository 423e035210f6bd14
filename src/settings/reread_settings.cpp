#include "settings/reread_settings.h"

#include "settings/registry_settings.h"
#include "settings/settings.h"

namespace tindral {

int reread_settings() {
    const Settings before = g_settings;
    const int result = get_settings();
    g_settings.show_top_side = before.show_top_side;
    g_settings.show_bottom_side = before.show_bottom_side;
    g_settings.layer_groups = before.layer_groups;
    g_settings.language = before.language;
    return result;
}

}  // namespace tindral
