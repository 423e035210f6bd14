// Marks through the real windows: offered, saved beside their board, asked for before they go
// (also by real clicks on real message boxes, seen on the board), kept when a last save fails.

#include <filesystem>
#include <string>
#include <vector>

#include "lists/list_rows.h"
#include "selection/selection_format.h"
#include "settings/registry_settings.h"
#include "shell/message_port_win.h"
#include "shell/settings_dialog_win.h"
#include "support/temp_folder.h"
#include "win/support/app_windows_win.h"

using namespace tindral;
using namespace tindral::test;
namespace fs = std::filesystem;

namespace {

const Boxes kOffer{{Owner::main, L"There are saved marks for this board. Load them?", L"Tindral Info", 0x2044}};
const Boxes kSaveFirst{{Owner::main, L"The marks have changed since they were last saved. Save them first?",
                        L"Tindral Info", 0x2043}};
const ShownBox kExitAnyway{Owner::main, L"The marks could not be saved. Exit without saving them?",
                           L"Tindral Warning", 0x2134};

class Marks : public AppWindowsTest {
protected:
    void SetUp() override {
        app_session().settings.show_bottom_side = 1;
        AppWindowsTest::SetUp();
    }

    void load(const fs::path& board) { load_through_combo(board.wstring()); }

    // The selection file the program names for a board in the test's folder.
    static fs::path selection_file(const fs::path& board) {
        std::wstring name;
        make_selection_path(board.wstring(), name);
        return name;
    }

    int image_of(uint32_t component) { return list_image(app_windows().list_main, find_component_row(component)); }
    int combo_count() { return static_cast<int>(SendMessageW(app_windows().combo_path, CB_GETCOUNT, 0, 0)); }
};

TEST_F(Marks, ExitNeverOverwritesMarksThatWereNotLoaded) {
    app_session().settings.save_selections_on_exit = 1;
    const fs::path board = copy_board(L"board.brd");
    load(board);
    std::vector<uint32_t> saved(model.elements.size(), kStateUnselected);
    saved[0] = kStateSelected;
    saved[2] = kStateCurrent;  // saved as the current one
    const std::string marks = encode_states(saved);
    const fs::path file = dir_.write(selection_file(board).filename().string(), marks);
    port_.boxes.clear();
    port_.answers = {mb::id_no};
    load(board);
    EXPECT_EQ(port_.boxes, kOffer);
    EXPECT_EQ(model.marks.states(), std::vector<uint32_t>(model.elements.size(), 0));

    menu(IDM_EXIT);
    EXPECT_FALSE(IsWindow(app_windows().hwnd_main));
    app_windows().hwnd_main = nullptr;
    EXPECT_EQ(TempFolder::read(file), marks);
}

TEST_F(Marks, BoardsOfOneFolderKeepTheirOwnMarks) {
    const fs::path one = copy_board(L"board1.brd");
    const fs::path two = copy_board(L"board2.brd");
    load(one);
    choose(0);
    menu(IDM_SAVE_SELECTION);
    load(two);
    choose(1);
    menu(IDM_SAVE_SELECTION);
    EXPECT_TRUE(port_.boxes.empty());
    EXPECT_FALSE(fs::exists(dir_.path / "board.TindralSel"));

    load(one);  // Yes to the offer: only its own mark, the current one as placed, in the list too
    EXPECT_EQ(port_.boxes, kOffer);
    std::vector<uint32_t> expected(model.elements.size(), kStateUnselected);
    expected[0] = kStateSelected;
    EXPECT_EQ(model.marks.states(), expected);
    EXPECT_EQ(image_of(0), 1);
    EXPECT_EQ(image_of(1), 0);
    EXPECT_EQ(window_text(app_windows().static_counter), placed_counter_text(model));
}

TEST_F(Marks, SaveGoesBesideTheLoadedBoardAfterADialogReadTheSettings) {
    const fs::path board = copy_board(L"board.brd");
    load(board);
    choose(0);
    // A second instance loaded another board meanwhile; the dialog reads every setting again.
    store_.put_string(L"Xml path file name", (dir_.path / "other.brd").wstring());
    ASSERT_NE(open_dialog(IDD_SETTINGS, DlgSettings), nullptr);
    press(dialog_, IDCANCEL);
    ASSERT_EQ(app_session().settings.xml_path_file_name, (dir_.path / "other.brd").wstring());

    menu(IDM_SAVE_SELECTION);
    EXPECT_TRUE(fs::exists(selection_file(board)));
    EXPECT_FALSE(fs::exists(selection_file(dir_.path / "other.brd")));
}

TEST_F(Marks, UnsavedMarksAreOfferedForSavingBeforeTheyGo) {
    const fs::path board = copy_board(L"board.brd");
    load(board);
    const size_t n = model.elements.size();
    choose(0);
    std::vector<uint32_t> marked(n, kStateUnselected);
    marked[0] = kStateCurrent;

    // Cancel keeps everything: the board, its marks and the path.
    port_.answers = {mb::id_cancel};
    load(board);
    EXPECT_EQ(port_.boxes, kSaveFirst);
    EXPECT_EQ(model.board_loaded, 1u);
    EXPECT_EQ(model.marks.states(), marked);
    EXPECT_EQ(image_of(0), 1);
    EXPECT_EQ(combo_count(), 1);

    port_.boxes.clear();
    port_.answers = {mb::id_cancel};
    click(app_windows().button_clear);
    EXPECT_EQ(port_.boxes, kSaveFirst);
    EXPECT_EQ(model.marks.states(), marked);

    // A change of "Leave selected" clears the marks: Cancel leaves the dialog open and them on.
    HWND d = open_dialog(IDD_SETTINGS, DlgSettings);
    ASSERT_NE(d, nullptr);
    CheckDlgButton(d, 1008, BST_UNCHECKED);
    port_.boxes.clear();
    port_.answers = {mb::id_cancel};
    SendMessageW(d, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(port_.boxes, kSaveFirst);
    EXPECT_EQ(settings.leave_selected, 1u);
    EXPECT_EQ(model.marks.states(), marked);
    port_.answers = {mb::id_no};  // dropped
    SendMessageW(d, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(settings.leave_selected, 0u);
    EXPECT_EQ(model.marks.states(), std::vector<uint32_t>(n, kStateUnselected));
    EXPECT_FALSE(fs::exists(selection_file(board)));

    // Yes saves them before Reset selection takes them off.
    choose(1);
    port_.boxes.clear();
    click(app_windows().button_clear);
    EXPECT_EQ(port_.boxes, kSaveFirst);
    std::vector<uint32_t> saved(n, kStateUnselected);
    saved[1] = kStateCurrent;
    EXPECT_EQ(TempFolder::read(selection_file(board)), encode_states(saved));
    EXPECT_EQ(model.marks.states(), std::vector<uint32_t>(n, kStateUnselected));
}

TEST_F(Marks, DecliningAQuestionAboutTheFileKeepsItsPath) {
    const fs::path p = dir_.write(
        "odd.brd",
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE eagle SYSTEM \"eagle.dtd\">\n"
        "<eagle version=\"7.2.0\"><drawing><board><plain/><elements>"
        "<element name=\"R1\" library=\"l\" package=\"p\" value=\"1k\" x=\"1\" y=\"2\">"
        "<tindralfoo/></element></elements><libraries/></board></drawing></eagle>\n");
    settings.report_unexpected = 1;
    port_.answers = {mb::id_no};
    load(p);
    EXPECT_EQ(port_.boxes.size(), 1u);
    EXPECT_EQ(app_session().board.board_loaded, 0u);
    EXPECT_EQ(combo_count(), 1);
    EXPECT_EQ(settings.recent_paths[0], p.wstring());
}

class EndOfProgram : public Marks {
protected:
    void SetUp() override {
        Marks::SetUp();
        app_session().settings.save_selections_on_exit = 1;
        board_ = copy_board(L"board.brd");
        load(board_);
        choose(2);
        marks_ = app_session().board.marks.states();
    }

    fs::path board_;
    std::vector<uint32_t> marks_;
};

TEST_F(EndOfProgram, EndOfTheWindowsSessionSavesLikeExit) {
    EXPECT_EQ(SendMessageW(app_windows().hwnd_main, WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_EQ(TempFolder::read(selection_file(board_)), encode_states(marks_));
    SendMessageW(app_windows().hwnd_main, WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(store_.string(L"ComboPathFilename00"), board_.wstring());
    EXPECT_EQ(store_.string(L"Xml path file name"), board_.wstring());
    EXPECT_NE(store_.find(L"Wnd main X"), nullptr);
    EXPECT_NE(store_.find(L"Save selections on exit"), nullptr);
    EXPECT_TRUE(port_.boxes.empty());
}

TEST_F(EndOfProgram, AFailedSaveAtTheEndAsksAndNoStaysWithTheMarks) {
    // A folder where the new file would be written: refused by the system, for root as well.
    const fs::path blocker = fs::path(temp_selection_path(selection_file(board_).wstring())) / "x";
    fs::create_directories(blocker);
    const auto stays = [&](auto end) {
        port_.boxes.clear();
        port_.answers = {mb::id_ok, mb::id_no};
        end();
        EXPECT_TRUE(IsWindow(app_windows().hwnd_main));
        ASSERT_EQ(port_.boxes.size(), 2u);
        EXPECT_NE(port_.boxes[0].text.find(L"save_selectione:"), std::wstring::npos);
        EXPECT_EQ(port_.boxes[1], kExitAnyway);
        EXPECT_EQ(model.board_loaded, 1u);
        EXPECT_EQ(model.marks.states(), marks_);
    };
    stays([] { menu(IDM_EXIT); });
    stays([] { SendMessageW(app_windows().hwnd_main, WM_CLOSE, 0, 0); });
    stays([] { EXPECT_EQ(SendMessageW(app_windows().hwnd_main, WM_QUERYENDSESSION, 0, 0), FALSE); });
    SendMessageW(app_windows().hwnd_main, WM_ENDSESSION, FALSE, 0);  // the session goes on
    EXPECT_FALSE(fs::exists(selection_file(board_)));

    // Yes ends the program.
    port_.answers = {mb::id_ok, mb::id_yes};
    SendMessageW(app_windows().hwnd_main, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(app_windows().hwnd_main));
    app_windows().hwnd_main = nullptr;
    MSG msg;
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    fs::remove_all(blocker.parent_path());
}

TEST_F(EndOfProgram, StoreFailuresAtTheEndAreToldAndTheMarksSavedAllTheSame) {
    store_.set_errors[L"ComboPathFilename00"] = reg::access_denied;
    store_.set_errors[L"Leave selected"] = reg::access_denied;
    SendMessageW(app_windows().hwnd_main, WM_CLOSE, 0, 0);
    app_windows().hwnd_main = nullptr;
    EXPECT_EQ(TempFolder::read(selection_file(board_)), encode_states(marks_));
    int told = 0;
    for (const ShownBox& b : port_.boxes) told += b.text.rfind(L"put_registry ", 0) == 0;
    EXPECT_GE(told, 2);
}

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

class MarksByMouse : public Marks {
protected:
    MarksByMouse() {
        // Side by side on the 1600-pixel screen, every button of the main window inside it.
        places_.main = {0, 0, 1000, 600};
        places_.board = {1010, 0, 580, 700};
    }

    void SetUp() override {
        board_window_at_its_place();  // beside the main window, so that the whole board is seen
        app_session().settings.use_crosshair = 0;
        Marks::SetUp();
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
        Marks::TearDown();
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
    const fs::path board = copy_board(L"board.brd");
    load(board);  // no file, no question
    ASSERT_EQ(model.board_loaded, 1u);
    const size_t n = model.elements.size();
    const std::string all_placed = encode_states(std::vector<uint32_t>(n, kStateSelected));
    const fs::path file = dir_.write(selection_file(board).filename().string(), all_placed);
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
    EXPECT_EQ(TempFolder::read(file), all_placed);
}

// Without the save on exit, closing with a clicked mark asks: Cancel stays, Yes saves and ends.
TEST_F(MarksByMouse, ClosingWithUnsavedMarksAsksFirst) {
    app_session().settings.save_selections_on_exit = 0;
    const fs::path board = copy_board(L"board.brd");
    load(board);
    ASSERT_EQ(app_session().board.board_loaded, 1u);
    SetForegroundWindow(app_windows().hwnd_main);
    ASSERT_TRUE(click_list_row(app_windows().list_main, 0));
    const std::vector<uint32_t> marks = app_session().board.marks.states();
    ASSERT_NE(marks, std::vector<uint32_t>(marks.size(), kStateUnselected));

    const auto alt_f4 = [](std::vector<int> answers) {
        g_buttons = std::move(answers);
        const size_t seen = g_seen.size() + g_buttons.size();
        SetForegroundWindow(app_windows().hwnd_main);
        press_key(VK_F4, VK_MENU);
        return pump_until([&] { return g_seen.size() == seen; });
    };
    const fs::path file = selection_file(board);
    ASSERT_TRUE(alt_f4({IDCANCEL}));
    EXPECT_EQ(g_seen[0].text, L"The marks have changed since they were last saved. Save them first?");
    EXPECT_TRUE(g_seen[0].visible);
    EXPECT_TRUE(IsWindowVisible(app_windows().hwnd_main));
    EXPECT_FALSE(fs::exists(file));

    ASSERT_TRUE(alt_f4({IDYES}));
    pump_until([] { return !IsWindow(app_windows().hwnd_main); }, 3000);
    EXPECT_FALSE(IsWindow(app_windows().hwnd_main));
    app_windows().hwnd_main = nullptr;
    EXPECT_EQ(TempFolder::read(file), encode_states(marks));
}

}  // namespace
