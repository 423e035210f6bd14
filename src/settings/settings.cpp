#include "settings/settings.h"

namespace tindral {

// The member defaults. Nothing may zero a session's settings: when the store cannot be opened at
// start-up the program runs on these values.
const Settings kDefaultSettings;

int last_selected_path_index(const Settings& s) {
    return s.last_selected_file_index < static_cast<uint32_t>(kRecentPathCount)
               ? static_cast<int>(s.last_selected_file_index)
               : 0;
}

}  // namespace tindral
