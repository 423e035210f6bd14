#include "settings/settings.h"

#include "text/lang.h"

namespace tindral {

// Both start out as the member defaults. Nothing may zero g_settings: when the store cannot be
// opened at start-up the program runs on these values.
const Settings kDefaultSettings;
Settings g_settings;

namespace {

// Until the program chooses other settings, the texts speak the language of these.
const bool g_texts_follow = (set_language_source(&g_settings.language), true);

}  // namespace

int last_selected_path_index(const Settings& s) {
    return s.last_selected_file_index < static_cast<uint32_t>(kRecentPathCount)
               ? static_cast<int>(s.last_selected_file_index)
               : 0;
}

}  // namespace tindral
