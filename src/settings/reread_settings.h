#pragma once
// Reading the store again while the program runs, as every dialog does when it opens.

#include "settings/settings.h"

namespace tindral {

// get_settings, but what the user chose at run time and sees on screen stays in force: the
// sides switched on the toolbar, the layers picked in the board window and the language. The
// board, its lists and toolbar were drawn for these; taking the stored ones back would leave
// them disagreeing. Returns get_settings' result.
int reread_settings(Settings& s);

}  // namespace tindral
