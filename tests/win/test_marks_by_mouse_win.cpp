// The questions about marks answered with real mouse clicks on the shown windows and their
// message boxes, and the board's pixels on the screen before and after each answer.

#include <filesystem>
#include <string>
#include <vector>

#include "selection/selection_format.h"
#include "shell/board_paint_win.h"
#include "shell/message_port_win.h"
#include "support/temp_folder.h"
#include "win/support/app_windows_win.h"

using namespace tindral;
using namespace tindral::test;
namespace fs = std::filesystem;

namespace {

// A left click at a screen point, through the system's input queue.
void click_at(POINT p) {
    const int w = GetSystemMetrics(SM_CXSCREEN) - 1, h = GetSystemMetrics(SM_CYSCREEN) - 1;
    INPUT in[3] = {};
    for (INPUT& i : in) {
        i.type = INPUT_MOUSE;
        i.mi.dx = p.x * 65535 / w;
        i.mi.dy = p.y * 65535 / h;
        i.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    }
    in[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
    in[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
    SendInput(3, in, sizeof(INPUT));
}

// What the message box on the screen showed, and the button the mouse pressed in it.
struct SeenBox {
    std::wstring text;
    bool visible = false;
    int default_button = 0;
};
std::vector<SeenBox> g_seen;
std::vector<int> g_buttons;  // the buttons to click, box by box
HWND g_last_box = nullptr;

BOOL CALLBACK longest_static(HWND child, LPARAM out) {
    wchar_t cls[32] = {}, buf[400] = {};
    GetClassNameW(child, cls, 32);
    GetWindowTextW(child, buf, 400);
    auto* text = reinterpret_cast<std::wstring*>(out);
    if (lstrcmpiW(cls, L"Static") == 0 && wcslen(buf) > text->size()) *text = buf;
    return TRUE;
}

// Runs inside the message box's own loop: reads the box and clicks the next button.
void CALLBACK answer_box(HWND, UINT, UINT_PTR, DWORD) {
    HWND box = FindWindowW(L"#32770", L"Tindral Info");
    if (!box || box == g_last_box || g_buttons.empty()) return;
    HWND button = GetDlgItem(box, g_buttons.front());
    if (!button || !IsWindowVisible(button)) return;
    g_last_box = box;
    SeenBox seen;
    EnumChildWindows(box, longest_static, reinterpret_cast<LPARAM>(&seen.text));
    seen.visible = IsWindowVisible(box) != FALSE;
    for (int id : {IDYES, IDNO, IDCANCEL, IDOK})
        if (HWND b = GetDlgItem(box, id); b && (GetWindowLongW(b, GWL_STYLE) & 0xF) == BS_DEFPUSHBUTTON)
            seen.default_button = id;
    g_seen.push_back(seen);
    g_buttons.erase(g_buttons.begin());
    click_at(window_centre(button));
}

class MarksByMouse : public AppWindowsTest {
protected:
    MarksByMouse() {
        // Side by side on the 1600-pixel screen, every button of the main window inside it.
        places_.main = {0, 0, 1000, 600};
        places_.board = {1010, 0, 580, 700};
    }

    void SetUp() override {
        // The board window takes its stored place: beside the main window, so that the whole
        // board can be seen.
        board_window_at_its_place();
        app_session().settings.show_bottom_side = 1;
        app_session().settings.use_crosshair = 0;
        AppWindowsTest::SetUp();
        previous_port_ = set_message_port(&screen_port_);
        ShowWindow(app_windows().hwnd_main, SW_SHOW);
        ShowWindow(app_windows().hwnd_board, SW_SHOW);
        UpdateWindow(app_windows().hwnd_main);
        g_seen.clear();
        g_last_box = nullptr;
        timer_ = SetTimer(nullptr, 0, 100, answer_box);
    }

    void TearDown() override {
        KillTimer(nullptr, timer_);
        set_message_port(previous_port_);
        AppWindowsTest::TearDown();
    }

    // Clicks a button of the main window; true once the boxes it raised were all answered.
    bool click_button(HWND button, std::vector<int> answers) {
        const size_t seen_before = g_seen.size() + answers.size();
        g_buttons = std::move(answers);
        SetForegroundWindow(app_windows().hwnd_main);
        pump_for(200);
        // Nothing may cover the button where the mouse goes down.
        if (WindowFromPoint(window_centre(button)) != button) return false;
        click_at(window_centre(button));
        const bool answered = pump_until([&] { return g_seen.size() == seen_before; });
        pump_for(300);  // the click's own work and the repaint
        UpdateWindow(app_windows().hwnd_layout);
        return answered;
    }

    // Pixels of the drawing area on the screen in the colour of placed parts.
    static int placed_pixels() {
        return shot_of(app_windows().hwnd_layout).count(app_session().settings.color_top_selected);
    }

    WinMessagePort screen_port_;
    MessagePort* previous_port_ = nullptr;
    UINT_PTR timer_ = 0;
};

TEST_F(MarksByMouse, QuestionsAnsweredByClicksShowOnTheBoard) {
    BoardModel& model = app_session().board;
    const fs::path board = copy_board(L"board.brd");
    // The Load button is clicked with the path in the combo box; no file, no question.
    load_through_combo(board.wstring());
    ASSERT_EQ(model.board_loaded, 1u);
    const size_t n = model.elements.size();
    std::wstring file;
    ASSERT_TRUE(make_selection_path(board.wstring(), file));
    dir_.write(fs::path(file).filename().string(), encode_states(std::vector<uint32_t>(n, kStateSelected)));
    UpdateWindow(app_windows().hwnd_layout);
    EXPECT_EQ(placed_pixels(), 0);

    // The offer of the saved marks: Yes, the default, loads them and the parts turn green.
    ASSERT_TRUE(click_button(app_windows().button_load, {IDYES}));
    ASSERT_EQ(g_seen.size(), 1u);
    EXPECT_EQ(g_seen[0].text, L"There are saved marks for this board. Load them?");
    EXPECT_TRUE(g_seen[0].visible);
    EXPECT_EQ(g_seen[0].default_button, IDYES);
    EXPECT_EQ(model.marks.states(), std::vector<uint32_t>(n, kStateSelected));
    EXPECT_GT(placed_pixels(), 0);

    // Reset selection: the loaded marks are on disk, so no question; the green goes.
    ASSERT_TRUE(click_button(app_windows().button_clear, {}));
    EXPECT_EQ(g_seen.size(), 1u);
    EXPECT_EQ(model.marks.states(), std::vector<uint32_t>(n, kStateUnselected));
    EXPECT_EQ(placed_pixels(), 0);

    // Loading again would drop the cleared state, which differs from the file: Cancel keeps it.
    ASSERT_TRUE(click_button(app_windows().button_load, {IDCANCEL}));
    ASSERT_EQ(g_seen.size(), 2u);
    EXPECT_EQ(g_seen[1].text, L"The marks have changed since they were last saved. Save them first?");
    EXPECT_EQ(model.board_loaded, 1u);
    EXPECT_EQ(model.marks.states(), std::vector<uint32_t>(n, kStateUnselected));
    EXPECT_EQ(SendMessageW(app_windows().combo_path, CB_GETCOUNT, 0, 0), 1);

    // No drops them; the new load offers the file's marks again, and Yes brings the green back.
    ASSERT_TRUE(click_button(app_windows().button_load, {IDNO, IDYES}));
    ASSERT_EQ(g_seen.size(), 4u);
    EXPECT_EQ(g_seen[3].text, L"There are saved marks for this board. Load them?");
    EXPECT_EQ(model.marks.states(), std::vector<uint32_t>(n, kStateSelected));
    EXPECT_GT(placed_pixels(), 0);
    EXPECT_EQ(TempFolder::read(file),
              encode_states(std::vector<uint32_t>(n, kStateSelected)));
}

// With "Save selections on exit" off, closing the window with a mark made by a click asks first:
// Cancel stays with the mark, Yes saves it and the program ends.
TEST_F(MarksByMouse, ClosingWithUnsavedMarksAsksFirst) {
    app_session().settings.save_selections_on_exit = 0;
    const fs::path board = dir_.path / "board.brd";
    fs::copy_file(test::sample_board(), board);
    test::load_through_combo(board.wstring());
    ASSERT_EQ(app_session().board.board_loaded, 1u);
    RECT row{};
    ListView_GetItemRect(app_windows().list_main, 0, &row, LVIR_LABEL);
    SetForegroundWindow(app_windows().hwnd_main);
    ASSERT_TRUE(test::left_click_in(app_windows().list_main, (row.left + row.right) / 2,
                                    (row.top + row.bottom) / 2));
    const std::vector<uint32_t> marks = app_session().board.marks.states();
    ASSERT_NE(marks, std::vector<uint32_t>(marks.size(), kStateUnselected));

    const auto alt_f4 = [](std::vector<int> answers) {
        g_buttons = std::move(answers);
        const size_t seen = g_seen.size() + g_buttons.size();
        SetForegroundWindow(app_windows().hwnd_main);
        INPUT in[4] = {};
        const WORD keys[4] = {VK_MENU, VK_F4, VK_F4, VK_MENU};
        for (int i = 0; i < 4; ++i) {
            in[i].type = INPUT_KEYBOARD;
            in[i].ki.wVk = keys[i];
            in[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
        }
        SendInput(4, in, sizeof(INPUT));
        return pump_until([&] { return g_seen.size() == seen; });
    };
    std::wstring file;
    ASSERT_TRUE(make_selection_path(board.wstring(), file));
    ASSERT_TRUE(alt_f4({IDCANCEL}));
    EXPECT_EQ(g_seen[0].text, L"The marks have changed since they were last saved. Save them first?");
    EXPECT_TRUE(g_seen[0].visible);
    EXPECT_TRUE(IsWindowVisible(app_windows().hwnd_main));
    EXPECT_FALSE(fs::exists(file));

    ASSERT_TRUE(alt_f4({IDYES}));
    pump_until([] { return !IsWindow(app_windows().hwnd_main); }, 3000);
    EXPECT_FALSE(IsWindow(app_windows().hwnd_main));
    app_windows().hwnd_main = nullptr;
    EXPECT_EQ(test::TempFolder::read(file), encode_states(marks));
}

}  // namespace
