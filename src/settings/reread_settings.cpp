#include "settings/reread_settings.h"

#include "settings/registry_settings.h"

namespace tindral {

int reread_settings(Settings& s) {
    const Settings before = s;
    const int result = get_settings(s);
    s.show_top_side = before.show_top_side;
    s.show_bottom_side = before.show_bottom_side;
    s.layer_groups = before.layer_groups;
    s.language = before.language;
    return result;
}

}  // namespace tindral
