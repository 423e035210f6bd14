#include "shell/startup_win.h"

#include "../../resources/resource.h"
#include "settings/registry_settings.h"
#include "settings/settings.h"
#include "settings/startup_rules.h"
#include "shell/app_win.h"
#include "shell/control_tables_win.h"
#include "shell/gdi_objects_win.h"
#include "shell/keyboard_hook_win.h"
#include "shell/list_columns_win.h"
#include "shell/list_icons_win.h"
#include "shell/main_window_win.h"
#include "shell/path_choice_win.h"
#include "shell/window_classes_win.h"
#include "shell/window_settings_win.h"
#include "text/messages.h"

namespace tindral {

namespace {

// The stored or default rectangle, on the screen.
WindowRect opening_rect(TopWindow w) {
    Session& session = app_session();
    const WindowRect r = initial_window_rect(session.settings, w);
    return fit_onto_screen(r, work_area_near(r));
}

HWND create_top_window(const wchar_t* class_name, const wchar_t* title, DWORD style,
                       const WindowRect& r) {
    return CreateWindowExW(0, class_name, title, style, r.x, r.y, r.width, r.height, nullptr,
                           nullptr, app_windows().instance, nullptr);
}

// The board, found and BOM windows; a failure names the window in the box's title.
int create_secondary_windows() {
    AppWindows& w = app_windows();
    w.hwnd_board = create_top_window(kClassBoard, L"Tindral Board",
                                     WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                     opening_rect(TopWindow::board));
    if (!w.hwnd_board) {
        report_system_error(L"Tindral CreateWindow Board", GetLastError());
        return 0;
    }
    SendMessageW(w.hwnd_board, WM_SETFONT, reinterpret_cast<WPARAM>(w.fonts.label.get()), TRUE);
    SetWindowTextW(w.hwnd_board, board_title_no_board().c_str());

    w.hwnd_found = create_top_window(kClassFound, L"", WS_OVERLAPPEDWINDOW,
                                     opening_rect(TopWindow::found));
    if (!w.hwnd_found) {
        report_system_error(L"Tindral CreateWindow Found", GetLastError());
        return 0;
    }

    w.hwnd_bom = create_top_window(kClassBom, L"", WS_OVERLAPPEDWINDOW,
                                   opening_rect(TopWindow::bom));
    if (!w.hwnd_bom) {
        report_system_error(L"Tindral CreateWindow Bom", GetLastError());
        return 0;
    }
    SendMessageW(w.hwnd_bom, WM_SETFONT, reinterpret_cast<WPARAM>(w.fonts.label.get()), TRUE);
    return 1;
}

}  // namespace

int init_instance(HINSTANCE instance, int show) {
    AppWindows& w = app_windows();
    Session& session = app_session();
    w.instance = instance;
    get_settings(session.settings);  // on failure (reported) the program runs on the defaults

    apply_first_start(session.settings, reinterpret_cast<uintptr_t>(GetKeyboardLayout(0)));
    clamp_window_rects(session.settings, work_area_near);

    const WindowRect main_rect = opening_rect(TopWindow::main);
    w.hwnd_main = CreateWindowExW(0, kClassMain, kProgramTitle, WS_OVERLAPPEDWINDOW, main_rect.x,
                                  main_rect.y, main_rect.width, main_rect.height, nullptr,
                                  nullptr, instance, nullptr);
    if (!w.hwnd_main) return 0;
    ShowWindow(w.hwnd_main, show);
    UpdateWindow(w.hwnd_main);

    if (!LoadLibraryW(L"Riched20.dll")) {
        show_error(Owner::main, TXT_RICHED20_NOT_FOUND);
        return 0;
    }

    // The toolbar class is registered along with the list views; it is made a few steps on.
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);

    install_keyboard_hook();

    create_pens_and_brushes();
    create_fonts();

    if (!create_secondary_windows()) return 0;
    if (!create_child_controls()) return 0;

    size_main_list();
    set_list_columns();
    set_found_columns();
    fill_path_combo_box();
    create_list_icons();

    w.scroll_allowance_x = GetSystemMetrics(SM_CXVSCROLL) + 1 + GetSystemMetrics(SM_CXBORDER);
    w.scroll_allowance_y = GetSystemMetrics(SM_CYHSCROLL) + 1 + GetSystemMetrics(SM_CYBORDER);

    BringWindowToTop(w.hwnd_main);
    return 1;
}

int run_message_loop() {
    AppWindows& w = app_windows();
    w.accelerators = LoadAcceleratorsW(w.instance, MAKEINTRESOURCEW(IDR_ACCELERATORS));
    MSG msg{};
    // GetMessageW gives -1 only for an invalid window handle, which we never pass.
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!TranslateAcceleratorW(msg.hwnd, w.accelerators, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace tindral
