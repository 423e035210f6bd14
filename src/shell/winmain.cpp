// Entry point of tindral.exe.

#include <windows.h>

#include "platform/win/registry_store_win.h"
#include "selection/selection_file.h"
#include "shell/app_win.h"
#include "shell/message_port_win.h"
#include "shell/startup_win.h"
#include "shell/window_classes_win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    static tindral::WinMessagePort port;
    tindral::set_message_port(&port);
    static tindral::RegistryStore store;
    tindral::set_settings_store(&store);
    static tindral::PlatformSelectionFiles files;
    tindral::set_selection_files(&files);

    tindral::App app;
    app.windows.instance = instance;
    tindral::register_classes(instance);
    if (!tindral::init_instance(instance, show)) return 0;
    return tindral::run_message_loop();
}
