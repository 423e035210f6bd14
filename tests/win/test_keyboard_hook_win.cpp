// The program-wide keys typed for real (SendInput) with the keyboard hook installed: they act in
// the program's own windows, never while the user types into the file-open dialog or another
// text field, and Escape still closes the BOM window.

#include <string>

#include "shell/keyboard_hook_win.h"
#include "shell/open_board_dialog_win.h"
#include "win/support/app_windows_win.h"

using namespace tindral;
using namespace tindral::test;

namespace {

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

// Runs inside the dialog's own message loop: types into the focused file name field, then
// presses Delete, then reads what the field holds and cancels. A dialog opened on top of it
// (the path list) is noted and closed.
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
        load_sample();
        ShowWindow(app_windows().hwnd_main, SW_SHOW);
        ASSERT_EQ(install_keyboard_hook(), 1);
        // A row the list has selected, not yet chosen: Space would choose it.
        set_row_state(app_windows().list_main, 0, LVIS_SELECTED | LVIS_FOCUSED);
        pump_for(100);
    }

    bool nothing_chosen() const {
        for (uint32_t s : app_session().board.marks.states())
            if (s != kStateUnselected) return false;
        return true;
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
    SendMessageW(app_windows().hwnd_main, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                 reinterpret_cast<LPARAM>(app_windows().button_bom));
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
