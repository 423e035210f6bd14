// The tests use the platform's selection file operations, as the program does, unless a test
// puts its own in between.

#include "selection/selection_file.h"

namespace {

struct InstallPlatformFiles {
    tindral::PlatformSelectionFiles files;
    InstallPlatformFiles() { tindral::set_selection_files(&files); }
};

InstallPlatformFiles g_install;

}  // namespace
