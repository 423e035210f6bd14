#include "selection/selection_file.h"

namespace tindral {

namespace {
SelectionFiles g_platform_files;
SelectionFiles* g_files = &g_platform_files;
}  // namespace

SelectionFiles* set_selection_files(SelectionFiles* files) {
    SelectionFiles* previous = g_files == &g_platform_files ? nullptr : g_files;
    g_files = files ? files : &g_platform_files;
    return previous;
}

SelectionFiles& selection_files() { return *g_files; }

}  // namespace tindral
