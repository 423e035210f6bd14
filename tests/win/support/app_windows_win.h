#pragma once
// The real main, board, found and BOM windows for in-process tests, and the readers the tests
// compare them with: list rows, window texts and the CSV output of tindral-cli.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "../../../resources/resource.h"
#include "model/board_model.h"
#include "settings/memory_store.h"
#include "settings/settings.h"
#include "shell/app_win.h"
#include "shell/board_paint_win.h"
#include "shell/control_tables_win.h"
#include "shell/gdi_objects_win.h"
#include "shell/list_columns_win.h"
#include "shell/main_list_win.h"
#include "shell/window_classes_win.h"
#include "support/board_folders.h"
#include "support/csv_reader.h"
#include "support/language_guard.h"
#include "support/recording_port.h"
#include "support/store_guard.h"
#include "support/temp_folder.h"
#include "view/board_view.h"
#include "win/support/real_input_win.h"

namespace tindral::test {

using Rows = std::vector<std::vector<std::wstring>>;

// The repository's sample board (19 parts, 13 on top, 6 below), with backslashes as dialogs give.
inline std::wstring sample_board() {
    const std::filesystem::path checkout = std::filesystem::path(own_boards_dir()).parent_path().parent_path();
    return native_path((checkout / L"samples" / L"tindral-sample.brd").wstring());
}

inline std::wstring utf8_to_wide(const std::string& s) {
    if (s.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
}

// What `tindral-cli <command> <board> --format csv <options>` writes, byte for byte.
inline std::string cli_csv_bytes(const wchar_t* command, const std::wstring& board, const wchar_t* options = L"") {
    const std::wstring cmd = L"\"\"Z:" + utf8_to_wide(TINDRAL_CLI_PATH) + L"\" " + command +
                             L" \"" + board + L"\" --format csv " + options + L"\"";
    std::string bytes;
    if (FILE* p = _wpopen(cmd.c_str(), L"rb")) {
        char buf[4096];
        for (size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;) bytes.append(buf, n);
        _pclose(p);
    }
    return bytes;
}

// Its rows without the key line.
inline Rows cli_csv_rows(const wchar_t* command, const std::wstring& board, const wchar_t* options) {
    bool ok = false;
    Rows rows = parse_csv(utf8_to_wide(cli_csv_bytes(command, board, options)), ok);
    if (!ok || rows.empty()) return {};
    rows.erase(rows.begin());
    return rows;
}

inline std::wstring list_cell(HWND list, int row, int column) {
    wchar_t buf[300] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buf;
    item.cchTextMax = 300;
    SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    return buf;
}

inline Rows list_rows(HWND list, int columns) {
    Rows rows;
    const int n = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int r = 0; r < n; ++r) {
        rows.emplace_back();
        for (int c = 0; c < columns; ++c) rows.back().push_back(list_cell(list, r, c));
    }
    return rows;
}

inline int list_image(HWND list, int row) {
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return item.iImage;
}

inline std::wstring window_text(HWND hwnd) {
    wchar_t buf[400] = {};
    GetWindowTextW(hwnd, buf, 400);
    return buf;
}

// Title and width of a list view column.
struct ListColumn {
    std::wstring title;
    int width;
};

inline ListColumn list_column(HWND list, int i) {
    wchar_t buf[100] = {};
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH;
    col.pszText = buf;
    col.cchTextMax = 100;
    SendMessageW(list, LVM_GETCOLUMNW, i, reinterpret_cast<LPARAM>(&col));
    return {buf, col.cx};
}

inline std::wstring menu_string(HMENU menu, UINT item, UINT flag) {
    wchar_t buf[100] = {};
    GetMenuStringW(menu, item, buf, 100, flag);
    return buf;
}

// The main window's menu bar as the resources lay it out, each item "-" until the texts are set.
inline HMENU main_menu() {
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, IDM_LOAD_SELECTION, L"-");
    AppendMenuW(file, MF_STRING, IDM_SAVE_SELECTION, L"-");
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(file, MF_STRING, IDM_EXIT, L"-");
    HMENU options = CreatePopupMenu();
    for (UINT id : {IDM_SETTINGS, IDM_COLORS}) AppendMenuW(options, MF_STRING, id, L"-");
    HMENU help = CreatePopupMenu();
    for (UINT id : {IDM_ABOUT, IDM_EMAIL, IDM_HOMEPAGE, IDM_HELP}) AppendMenuW(help, MF_STRING, id, L"-");
    for (HMENU popup : {file, options, help})
        AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), L"-");
    return bar;
}

// A row of a list view put into a state (selected, focused) as the list's own keys would.
inline void set_row_state(HWND list, int row, UINT state) {
    LVITEMW item{};
    item.stateMask = item.state = state;
    SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

// A row of a list view (part: LVIR_*) on the screen, and a real click at its middle.
inline RECT list_row_on_screen(HWND list, int row, int part = LVIR_LABEL) {
    RECT r{};
    r.left = part;
    SendMessageW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r));
    return on_screen(list, r);
}
inline bool click_list_row(HWND list, int row, int clicks = 1) {
    return left_click_at(centre_of(list_row_on_screen(list, row)), clicks);
}

// A button of the board window's toolbar on the screen, and a real click on it.
inline RECT tool_on_screen(int index) {
    RECT r{};
    SendMessageW(app_windows().hwnd_toolbar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
    return on_screen(app_windows().hwnd_toolbar, r);
}
inline bool click_tool(int index) { return left_click_at(centre_of(tool_on_screen(index))); }

// Shown or hidden for the program, not mapped on the X server: Wine would wait for each (un)map.
inline void set_visible(HWND hwnd, bool visible) {
    const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
    SetWindowLongPtrW(hwnd, GWL_STYLE, visible ? style | WS_VISIBLE : style & ~WS_VISIBLE);
}

// Puts path into the combo box (and the recent paths) and clicks Load.
inline void load_through_combo(const std::wstring& path) {
    app_session().settings.recent_paths[0] = path;
    SendMessageW(app_windows().combo_path, CB_RESETCONTENT, 0, 0);
    SendMessageW(app_windows().combo_path, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(path.c_str()));
    SendMessageW(app_windows().combo_path, CB_SETCURSEL, 0, 0);
    SendMessageW(app_windows().hwnd_main, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                 reinterpret_cast<LPARAM>(app_windows().button_load));
}

// A new file in the temporary folder holding bytes; the caller deletes it.
inline std::wstring temp_file_with(const std::string& bytes) {
    wchar_t temp_dir[MAX_PATH] = {}, file[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp_dir);
    GetTempFileNameW(temp_dir, L"tnb", 0, file);
    HANDLE f = CreateFileW(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(f);
    return file;
}

// Where the four top-level windows are made: left, top, width and height.
struct TopWindowPlaces {
    RECT main{0, 0, 1100, 700};
    RECT board{300, 5, 900, 700};
    RECT found{5, 5, 650, 300};
    RECT bom{5, 5, 650, 300};
};

// A button or other control of a dialog pressed, as the dialog receives it.
inline void press(HWND dialog, int id, int code = BN_CLICKED) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, code),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// The real windows in English on an in-memory store and a recording port, held by the test's App.
class AppWindowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        create_fonts();
        create_pens_and_brushes();
        AppWindows& w = app_windows();
        w.instance = GetModuleHandleW(nullptr);
        static bool registered = false;  // once per process
        if (!registered) register_classes(w.instance);
        registered = true;
        LoadLibraryW(L"Riched20.dll");
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
        InitCommonControlsEx(&icc);
        const auto make = [&](const wchar_t* cls, const RECT& r, HMENU menu) {
            return CreateWindowExW(0, cls, L"", WS_OVERLAPPEDWINDOW, r.left, r.top, r.right,
                                   r.bottom, nullptr, menu, w.instance, nullptr);
        };
        w.hwnd_main = make(kClassMain, places_.main, main_menu_);
        w.hwnd_board = make(kClassBoard, places_.board, nullptr);
        w.hwnd_found = make(kClassFound, places_.found, nullptr);
        w.hwnd_bom = make(kClassBom, places_.bom, nullptr);
        ASSERT_TRUE(w.hwnd_main && w.hwnd_board && w.hwnd_found && w.hwnd_bom);
        ASSERT_EQ(create_child_controls(), 1);
        set_list_columns();
        set_found_columns();
    }

    // The windows go and the loaded board is forgotten; the App that held their handles goes
    // after. Their own ends would store the settings and post the quit message, and an unmapping
    // would wait for the X server, so they end as plain hidden windows.
    void TearDown() override {
        if (dialog_) DestroyWindow(dialog_);
        AppWindows& w = app_windows();
        for (HWND h : {w.hwnd_main, w.hwnd_board, w.hwnd_found, w.hwnd_bom})
            if (h && IsWindow(h)) {
                SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DefWindowProcW));
                SetWindowLongPtrW(h, GWL_STYLE, GetWindowLongPtrW(h, GWL_STYLE) & ~WS_VISIBLE);
                DestroyWindow(h);
            }
        MSG msg;
        while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        release_board(app_session().board);
        app_session().view = BoardView{};
        app_session().last_row = -1;
    }

    // The board window shown and kept above the others, so that its pixels can be read.
    static void show_board_on_top() {
        ShowWindow(app_windows().hwnd_board, SW_SHOW);
        SetWindowPos(app_windows().hwnd_board, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }

    // The main window shown, kept above the others and active, so that real input reaches it.
    static void show_main_on_top() {
        ShowWindow(app_windows().hwnd_main, SW_SHOW);
        SetWindowPos(app_windows().hwnd_main, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow(app_windows().hwnd_main);
    }

    // The board window made where the settings keep it: at places_.board.
    void board_window_at_its_place() {
        settings.wnd_board_x = static_cast<uint32_t>(places_.board.left);
        settings.wnd_board_y = static_cast<uint32_t>(places_.board.top);
        settings.wnd_board_width = static_cast<uint32_t>(places_.board.right);
        settings.wnd_board_height = static_cast<uint32_t>(places_.board.bottom);
    }

    // A board (the sample one unless named) loaded through the Load button and painted.
    void load_painted(const std::wstring& path = sample_board()) {
        load_through_combo(path);
        ASSERT_EQ(app_session().board.board_loaded, 1u);
        UpdateWindow(app_windows().hwnd_layout);
        pump_for(100);
    }

    // A dialog of the program on the main window, modeless so that the test can drive it; the
    // one open before is closed.
    HWND open_dialog(int id, DLGPROC proc) {
        if (dialog_) DestroyWindow(dialog_);
        dialog_ = CreateDialogParamW(app_windows().instance, MAKEINTRESOURCEW(id),
                                     app_windows().hwnd_main, proc, 0);
        return dialog_;
    }

    // A swatch of the open colour dialog clicked, the chooser answering colour (0: cancelled).
    void pick_colour(int swatch, uint32_t colour) {
        static uint32_t next = 0;
        next = colour;
        app_windows().colour_chooser = [](HWND, uint32_t& c) {
            if (next) c = next;
            return next ? 1 : 0;
        };
        press(dialog_, swatch, STN_CLICKED);
    }

    // A copy of a board (the sample one unless named) in the test's own folder, so that its
    // selection file lands there.
    std::filesystem::path copy_board(const wchar_t* name, const std::wstring& from = sample_board()) {
        const std::filesystem::path to = dir_.path / name;
        std::filesystem::copy_file(from, to);
        return to;
    }

    static int row_image(int row) { return list_image(app_windows().list_main, row); }

    // A button click as the button's parent window receives it, and a menu command.
    static void click(HWND button) {
        SendMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
    }
    static void menu(unsigned id) { SendMessageW(app_windows().hwnd_main, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

    // A list view notification as the list's parent window receives it.
    static void notify(HWND from, UINT code, int row, int column = 0) {
        NMITEMACTIVATE n{};
        n.hdr.hwndFrom = from;
        n.hdr.code = code;
        n.iItem = row;
        n.iSubItem = column;
        SendMessageW(GetParent(from), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&n));
    }
    // A click on the main list's row of the component.
    static void choose(uint32_t component) { notify(app_windows().list_main, NM_CLICK, find_component_row(component)); }

    App app_;  // first made, last gone: the windows end before their handles and drawing objects
    Settings& settings = app_session().settings;
    BoardModel& model = app_session().board;
    BoardView& view = app_session().view;
    TopWindowPlaces places_;
    HMENU main_menu_ = nullptr;  // destroyed with the main window
    MemoryStore store_;
    StoreGuard routed_{&store_};  // the session's settings start as the defaults, in English
    RecordingPort port_;
    HWND dialog_ = nullptr;
    TempFolder dir_;
};

// The same with the main window's menu bar.
class MenuWindowsTest : public AppWindowsTest {
protected:
    MenuWindowsTest() { main_menu_ = main_menu(); }
};

}  // namespace tindral::test
