// The main window's commands through the real windows: selection file, Clear, Exit, the BOM window,
// and the keyboard hook, also typed for real (never while the user types into a text field).

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "lists/bom_date.h"
#include "lists/list_rows.h"
#include "selection/selection_format.h"
#include "shell/keyboard_hook_win.h"
#include "shell/main_commands_win.h"
#include "shell/open_board_dialog_win.h"
#include "support/temp_folder.h"
#include "text/contact.h"
#include "win/support/app_windows_win.h"

using namespace tindral;
using namespace tindral::test;

namespace {

constexpr LPARAM kKeyUp = static_cast<LPARAM>(0xC0000001u);
constexpr LPARAM kKeyDown = 1;

LocalTime fixed_time() { return {2026, 3, 4, 5, 6}; }

class MainCommands : public AppWindowsTest {
protected:
    MainCommands() { places_.bom = {40, 50, 650, 300}; }

    void load(const std::wstring& path) {
        load_through_combo(path);
        port_.boxes.clear();
    }

    // A copy of the sample board loaded; its selection file.
    std::wstring load_copy() {
        load(copy_board(L"board.brd").wstring());
        return (dir_.path / "board.TindralSel").wstring();
    }

    // The keys act only while one of the program's windows is the active one.
    static void activate_main() {
        ShowWindow(app_windows().hwnd_main, SW_SHOW);
        SetForegroundWindow(app_windows().hwnd_main);
        SetFocus(app_windows().list_main);
    }

    // Component index -> image of its row, for every row of the main list.
    std::vector<int> images_by_component() {
        std::vector<int> out(app_session().board.elements.size(), -1);
        const int n = static_cast<int>(SendMessageW(app_windows().list_main, LVM_GETITEMCOUNT, 0, 0));
        for (int r = 0; r < n; ++r) out[row_component(r)] = row_image(r);
        return out;
    }

    static bool read_only_and_hidden(const std::wstring& file) {
        const DWORD a = GetFileAttributesW(file.c_str());
        return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_READONLY) &&
               (a & FILE_ATTRIBUTE_HIDDEN);
    }
};

TEST_F(MainCommands, SelectionFileRoundTripThroughTheMenu) {
    // Without a board both commands only say so.
    menu(IDM_LOAD_SELECTION);
    menu(IDM_SAVE_SELECTION);
    EXPECT_EQ(port_.boxes, Boxes(2, {Owner::main, L"No board loaded", L"Tindral Info", 0x2040}));
    port_.boxes.clear();

    settings.show_bottom_side = 1;
    const std::wstring file = load_copy();
    ASSERT_EQ(model.board_loaded, 1u);
    const size_t n = model.elements.size();
    ASSERT_GE(n, 3u);

    menu(IDM_LOAD_SELECTION);  // nothing saved yet
    EXPECT_EQ(port_.boxes,
              (Boxes{{Owner::main, L"For this file is no data available", L"Tindral Info", 0x42040}}));
    port_.boxes.clear();

    choose(0);
    choose(2);
    std::vector<uint32_t> expected(n, kStateUnselected);
    expected[0] = kStateSelected;
    expected[2] = kStateCurrent;
    ASSERT_EQ(model.marks.states(), expected);
    menu(IDM_SAVE_SELECTION);
    EXPECT_TRUE(port_.boxes.empty());
    EXPECT_EQ(TempFolder::read(file), encode_states(expected));
    EXPECT_TRUE(read_only_and_hidden(file));
    menu(IDM_SAVE_SELECTION);  // a protected file is replaced all the same
    EXPECT_TRUE(port_.boxes.empty());
    EXPECT_TRUE(read_only_and_hidden(file));

    click(app_windows().button_clear);
    EXPECT_EQ(model.marks.states(), std::vector<uint32_t>(n, kStateUnselected));
    EXPECT_EQ(images_by_component(), std::vector<int>(n, 0));
    EXPECT_EQ(SendMessageW(app_windows().list_main, LVM_GETITEMCOUNT, 0, 0), static_cast<LRESULT>(n));
    EXPECT_EQ(window_text(app_windows().static_counter), placed_counter_text(model));

    port_.answers = {mb::id_no};
    menu(IDM_LOAD_SELECTION);
    EXPECT_EQ(port_.boxes, (Boxes{{Owner::main, L"Current selection will be overwritten! \nContinue?",
                                   L"Tindral Info", 0x2044}}));
    EXPECT_EQ(model.marks.states(), std::vector<uint32_t>(n, kStateUnselected));
    port_.boxes.clear();

    menu(IDM_LOAD_SELECTION);  // Yes
    EXPECT_EQ(port_.boxes.size(), 1u);
    expected[2] = kStateSelected;  // the saved current selection comes back as selected
    EXPECT_EQ(model.marks.states(), expected);
    std::vector<int> images(n, 0);
    images[0] = images[2] = 1;
    EXPECT_EQ(images_by_component(), images);
    EXPECT_EQ(window_text(app_windows().static_counter), placed_counter_text(model));
    EXPECT_TRUE(read_only_and_hidden(file));
}

// Without the option the unsaved mark is asked for; No ends without a file, the board released.
TEST_F(MainCommands, ExitWithoutTheOptionAsksAndNoWritesNoFile) {
    const std::wstring file = load_copy();
    choose(1);
    port_.answers = {mb::id_no};
    menu(IDM_EXIT);
    EXPECT_FALSE(IsWindow(app_windows().hwnd_main));
    app_windows().hwnd_main = nullptr;
    EXPECT_EQ(model.board_loaded, 0u);
    ASSERT_EQ(port_.boxes.size(), 1u);
    EXPECT_EQ(port_.boxes[0].text, L"The marks have changed since they were last saved. Save them first?");
    EXPECT_EQ(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES);
}

// Presses Space again while its own warning box is open.
class ReenteringPort : public RecordingPort {
public:
    int show(Owner owner, const std::wstring& text, const std::wstring& title,
             unsigned flags) override {
        open_during_box = app_windows().key_flags.message_open;
        if (!pressed_) {
            pressed_ = true;
            KeyboardHook(HC_ACTION, VK_SPACE, kKeyDown);
            KeyboardHook(HC_ACTION, VK_SPACE, kKeyUp);
            KeyboardHook(HC_ACTION, VK_SPACE, kKeyDown);
        }
        return RecordingPort::show(owner, text, title, flags);
    }
    bool open_during_box = false;

private:
    bool pressed_ = false;
};

TEST_F(MainCommands, SpaceChoosesTheSelectedRowOrWarnsOnce) {
    app_session().settings.show_bottom_side = 1;
    load(sample_board());
    ASSERT_EQ(model.board_loaded, 1u);
    activate_main();
    {
        ReenteringPort port;
        KeyboardHook(HC_ACTION, VK_SPACE, kKeyDown);
        EXPECT_EQ(port.boxes, (Boxes{{Owner::main, L"No component selected", L"Tindral Warning", 0x42030}}));
        EXPECT_TRUE(port.open_during_box);
        EXPECT_FALSE(app_windows().key_flags.busy || app_windows().key_flags.message_open);
    }

    const int row = find_component_row(1);
    set_row_state(app_windows().list_main, row, LVIS_SELECTED);
    KeyboardHook(HC_ACTION, VK_SPACE, kKeyUp);  // a release chooses nothing
    EXPECT_EQ(model.marks.states()[1], kStateUnselected);
    app_windows().key_flags.busy = true;  // a Space action still running
    KeyboardHook(HC_ACTION, VK_SPACE, kKeyDown);
    EXPECT_EQ(model.marks.states()[1], kStateUnselected);
    KeyboardHook(HC_ACTION, VK_SPACE, kKeyUp);
    EXPECT_FALSE(app_windows().key_flags.busy);
    KeyboardHook(HC_ACTION, VK_SPACE, kKeyDown);
    EXPECT_EQ(model.marks.states()[1], kStateCurrent);
    EXPECT_EQ(row_image(row), 1);
    EXPECT_TRUE(port_.boxes.empty());

    set_visible(app_windows().hwnd_main, false);  // Space only acts for the visible main window
    KeyboardHook(HC_ACTION, VK_SPACE, kKeyDown);
    EXPECT_EQ(model.marks.states()[1], kStateCurrent);
    EXPECT_TRUE(port_.boxes.empty());
}

TEST_F(MainCommands, EscapeHidesOneWindowAndClearsTheListSelection) {
    load(sample_board());
    set_row_state(app_windows().list_main, 0, LVIS_SELECTED);
    activate_main();
    set_visible(app_windows().hwnd_found, true);
    set_visible(app_windows().hwnd_bom, true);
    KeyboardHook(HC_ACTION, VK_ESCAPE, kKeyDown);
    EXPECT_FALSE(IsWindowVisible(app_windows().hwnd_found));
    EXPECT_TRUE(IsWindowVisible(app_windows().hwnd_bom));
    EXPECT_EQ(SendMessageW(app_windows().list_main, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), -1);
    KeyboardHook(HC_ACTION, VK_ESCAPE, kKeyDown);
    EXPECT_FALSE(IsWindowVisible(app_windows().hwnd_bom));
}

// Counts the path-list dialogs that open, presses Delete once more inside each, then cancels it.
int g_dialogs_opened = 0;
HWND g_closing = nullptr;
void CALLBACK close_dialog(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = FindWindowW(L"#32770", nullptr);
    if (!dialog || dialog == g_closing) return;
    g_closing = dialog;
    ++g_dialogs_opened;
    KeyboardHook(HC_ACTION, VK_DELETE, kKeyDown);
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

TEST_F(MainCommands, DeleteOpensThePathDialogOnKeyDownOnly) {
    app_session().settings.use_filelist = 1;
    activate_main();
    g_dialogs_opened = 0;
    g_closing = nullptr;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, close_dialog);
    KeyboardHook(HC_ACTION, VK_DELETE, kKeyDown);  // empty combo box: nothing to open
    SendMessageW(app_windows().combo_path, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"C:\\a.brd"));
    KeyboardHook(HC_ACTION, VK_DELETE, kKeyUp);
    EXPECT_EQ(g_dialogs_opened, 0);
    KeyboardHook(HC_ACTION, VK_DELETE, kKeyDown);
    KillTimer(nullptr, timer);
    EXPECT_EQ(g_dialogs_opened, 1);
}

TEST_F(MainCommands, BomWindowRowsAreThoseOfTheCli) {
    const ClockSource saved_clock = set_clock_source(&fixed_time);
    const std::wstring board = sample_board();
    settings.show_bottom_side = 0;  // the BOM counts both sides all the same
    load(board);
    ASSERT_EQ(model.board_loaded, 1u);

    click(app_windows().button_bom);
    EXPECT_TRUE(IsWindowVisible(app_windows().hwnd_bom));
    EXPECT_EQ(window_text(app_windows().static_date), L"04.03.2026  05:06");
    const Rows expected = cli_csv_rows(L"bom", board, L"");
    const Rows shown = list_rows(app_windows().list_bom, 4);
    EXPECT_EQ(shown, expected);
    // 14 packages and values on the board; 100nF in C0805 is C1 and C2 on top and C4 below.
    EXPECT_EQ(shown.size(), 14u);
    const auto c0805_100n = std::find_if(shown.begin(), shown.end(), [](const std::vector<std::wstring>& r) {
        return r[1] == L"C0805" && r[2] == L"100nF";
    });
    ASSERT_NE(c0805_100n, shown.end());
    EXPECT_EQ((*c0805_100n)[3], L"3");
    HWND header = reinterpret_cast<HWND>(SendMessageW(app_windows().list_bom, LVM_GETHEADER, 0, 0));
    EXPECT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 4);

    notify(app_windows().list_bom, LVN_COLUMNCLICK, -1, 3);
    EXPECT_EQ(list_rows(app_windows().list_bom, 4), cli_csv_rows(L"bom", board, L"--sort 3"));

    SetWindowPos(app_windows().hwnd_bom, nullptr, 70, 80, 500, 260, SWP_NOZORDER);
    click(app_windows().button_bom_close);
    EXPECT_FALSE(IsWindowVisible(app_windows().hwnd_bom));
    EXPECT_EQ(settings.wnd_bom_x, 70u);
    EXPECT_EQ(settings.wnd_bom_width, 500u);
    click(app_windows().button_bom);  // refilled in the original order
    EXPECT_EQ(list_rows(app_windows().list_bom, 4), expected);
    set_clock_source(saved_clock);
}

// What Email and Homepage asked the shell for; the next answer to give.
struct ShellCall {
    HWND owner;
    std::wstring verb, file;
    int show;
};
std::vector<ShellCall> g_shell_calls;
INT_PTR g_shell_answer = 42;

HINSTANCE WINAPI record_shell_open(HWND owner, const wchar_t* verb, const wchar_t* file,
                                   const wchar_t*, const wchar_t*, int show) {
    g_shell_calls.push_back({owner, verb, file, show});
    SetLastError(g_shell_answer > 32 ? 0 : ERROR_FILE_NOT_FOUND);
    return reinterpret_cast<HINSTANCE>(g_shell_answer);
}

TEST_F(MainCommands, EmailAndHomepageOpenTheirProgramsInANormalWindow) {
    const ShellOpenFn before = set_shell_open(&record_shell_open);
    g_shell_calls.clear();
    g_shell_answer = 42;
    menu(IDM_EMAIL);
    menu(IDM_HOMEPAGE);
    ASSERT_EQ(g_shell_calls.size(), 2u);
    EXPECT_EQ(g_shell_calls[0].owner, app_windows().hwnd_main);
    EXPECT_EQ(g_shell_calls[0].file, std::wstring(L"mailto:") + kContactMail);
    EXPECT_EQ(g_shell_calls[1].owner, nullptr);
    EXPECT_EQ(g_shell_calls[1].file, kHomepage);
    for (const ShellCall& c : g_shell_calls) {
        EXPECT_EQ(c.verb, L"open");
        EXPECT_EQ(c.show, SW_SHOWNORMAL);
    }
    EXPECT_TRUE(port_.boxes.empty());

    // A target the shell cannot open is reported with the system's text.
    g_shell_answer = SE_ERR_FNF;
    menu(IDM_HOMEPAGE);
    EXPECT_EQ(port_.boxes, (Boxes{{Owner::main, L"system text 2", L"Tindral ShellExecute", 0x2040}}));
    set_shell_open(before);
}

bool is_dialog(HWND hwnd) {
    wchar_t name[32] = {};
    return hwnd && GetClassNameW(hwnd, name, 32) && std::wstring(name) == L"#32770";
}

// What happened while the file-open dialog was on the screen, written by the timer below.
struct DialogScript {
    int step = 0;
    HWND open_dialog = nullptr;
    std::wstring typed;           // the text of the focused field before cancelling
    bool path_dialog_opened = false;
    bool done = false;
};
DialogScript g_script;

// In the dialog's loop: types, presses Delete, reads the field, cancels; a dialog on top is noted.
void CALLBACK drive_open_dialog(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND active = GetActiveWindow();
    if (g_script.open_dialog && is_dialog(active) && active != g_script.open_dialog) {
        g_script.path_dialog_opened = true;
        PostMessageW(active, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    switch (g_script.step) {
        case 0:
            if (!is_dialog(active)) return;  // not up yet
            g_script.open_dialog = active;
            type_text(L"my board");
            press_key(VK_HOME);
            press_key(VK_DELETE);
            break;
        case 1: {
            wchar_t buf[100] = {};
            GetWindowTextW(GetFocus(), buf, 100);
            g_script.typed = buf;
            PostMessageW(g_script.open_dialog, WM_COMMAND, IDCANCEL, 0);
            break;
        }
        default:
            KillTimer(nullptr, timer);
            g_script.done = true;
            return;
    }
    ++g_script.step;
}

class KeyboardHookKeys : public AppWindowsTest {
protected:
    KeyboardHookKeys() {
        places_.main = {0, 0, 900, 600};
        places_.board = {910, 0, 600, 500};
        places_.bom = {910, 520, 600, 300};
    }

    void SetUp() override {
        app_session().settings.show_bottom_side = 1;
        app_session().settings.use_crosshair = 0;
        app_session().settings.use_filelist = 1;
        AppWindowsTest::SetUp();
        load_painted();
        ShowWindow(app_windows().hwnd_main, SW_SHOW);
        ASSERT_EQ(install_keyboard_hook(), 1);
        // A row the list has selected, not yet chosen: Space would choose it.
        set_row_state(app_windows().list_main, 0, LVIS_SELECTED | LVIS_FOCUSED);
        pump_for(100);
    }

    static bool nothing_chosen() {
        const std::vector<uint32_t>& s = app_session().board.marks.states();
        return std::count(s.begin(), s.end(), kStateUnselected) == std::ssize(s);
    }
};

TEST_F(KeyboardHookKeys, TypingInTheFileOpenDialogStaysInItsFileNameField) {
    g_script = DialogScript{};
    ASSERT_NE(SetTimer(nullptr, 0, 400, drive_open_dialog), 0u);
    std::wstring chosen;
    EXPECT_FALSE(open_board_dialog(chosen));  // cancelled by the script
    for (int i = 0; i < 40 && !g_script.done; ++i) pump_for(100);
    ASSERT_TRUE(g_script.done);
    ASSERT_NE(g_script.open_dialog, nullptr);

    EXPECT_EQ(g_script.typed, L"y board");  // Delete took the first letter, as in any text field
    EXPECT_FALSE(g_script.path_dialog_opened);
    EXPECT_TRUE(nothing_chosen());
    EXPECT_TRUE(port_.boxes.empty());
}

TEST_F(KeyboardHookKeys, KeysActInTheProgramsWindowsButNotInATextField) {
    // The path count box is a text field of the main window: Space there is a blank.
    SetForegroundWindow(app_windows().hwnd_main);
    ShowWindow(app_windows().edit_path_count, SW_SHOW);
    SetFocus(app_windows().edit_path_count);
    ASSERT_EQ(GetFocus(), app_windows().edit_path_count);
    press_key(VK_SPACE);
    pump_for(200);
    EXPECT_TRUE(nothing_chosen());

    // In the main list Space chooses the selected row.
    SetFocus(app_windows().list_main);
    press_key(VK_SPACE);
    pump_for(200);
    EXPECT_FALSE(nothing_chosen());

    // Escape closes the BOM window while it is the active window.
    click(app_windows().button_bom);
    ASSERT_TRUE(IsWindowVisible(app_windows().hwnd_bom));
    SetForegroundWindow(app_windows().hwnd_bom);
    SetFocus(app_windows().list_bom);
    pump_for(100);
    ASSERT_EQ(GetActiveWindow(), app_windows().hwnd_bom);
    press_key(VK_ESCAPE);
    pump_for(200);
    EXPECT_FALSE(IsWindowVisible(app_windows().hwnd_bom));
    EXPECT_TRUE(port_.boxes.empty());
}

}  // namespace
