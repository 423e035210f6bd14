// Choosing board files through the real main window: the browse button with the open dialog
// answered by the test, the Load button, the path combo box at start-up and its selection.

#include <filesystem>
#include <string>
#include <vector>

#include <windows.h>
#include <commdlg.h>

#include "shell/open_board_dialog_win.h"
#include "shell/path_choice_win.h"
#include "shell/path_combo_win.h"
#include "support/synthetic_board.h"
#include "support/temp_folder.h"
#include "win/support/app_windows_win.h"

using namespace tindral;
using namespace tindral::test;

namespace {

bool shown(HWND hwnd) { return (GetWindowLongW(hwnd, GWL_STYLE) & WS_VISIBLE) != 0; }

// What the open dialog answers next, and how often it was asked.
std::wstring g_answer;
bool g_answer_ok = false;
int g_dialog_calls = 0;

bool scripted_dialog(std::wstring& chosen) {
    ++g_dialog_calls;
    if (g_answer_ok) chosen = g_answer;
    return g_answer_ok;
}

class Browse : public AppWindowsTest {
protected:
    void SetUp() override {
        previous_dialog_ = set_open_board_dialog(&scripted_dialog);
        g_dialog_calls = 0;
        AppWindowsTest::SetUp();
    }

    void TearDown() override {
        set_open_board_dialog(previous_dialog_);
        AppWindowsTest::TearDown();
    }

    void browse(const std::wstring& answer, bool ok = true) {
        g_answer = answer;
        g_answer_ok = ok;
        click(app_windows().button_browse);
    }

    // Starts with these recent paths as the program would: list on, combo box filled.
    void start_with(const std::vector<std::wstring>& paths) {
        app_session().settings.use_filelist = 1;
        for (size_t i = 0; i < paths.size(); ++i) app_session().settings.recent_paths[i] = paths[i];
        fill_path_combo_box();
    }

    // The combo box's entries, its selected one and the count beside it.
    static void expect_paths(const std::vector<std::wstring>& items, int selected) {
        EXPECT_EQ(path_combo_items(), items);
        EXPECT_EQ(SendMessageW(app_windows().combo_path, CB_GETCURSEL, 0, 0), selected);
        EXPECT_EQ(window_text(app_windows().edit_path_count), std::to_wstring(items.size()));
    }

    // A second board beside the sample one, made for this test.
    std::wstring generated_board() { return dir_.write("generated.brd", synthetic_board(30)).wstring(); }

    OpenBoardDialogFn previous_dialog_ = nullptr;
};

TEST_F(Browse, ChosenBoardLoadsOnTopOfTheListOnceWhateverItsLetterCase) {
    const std::wstring older = sample_board();
    const std::wstring chosen = generated_board();
    start_with({older});

    browse(chosen);
    EXPECT_TRUE(port_.boxes.empty()) << (port_.boxes.empty() ? "" : "box shown");
    EXPECT_EQ(model.board_loaded, 1u);
    EXPECT_EQ(window_text(app_windows().hwnd_main), L"Tindral V2.00.1      generated.brd");
    expect_paths({chosen, older}, 0);
    EXPECT_EQ(settings.last_selected_file_index, 0u);
    EXPECT_EQ(store_.string(L"ComboPathFilename00"), chosen);
    EXPECT_EQ(store_.string(L"ComboPathFilename01"), older);
    EXPECT_EQ(store_.string(L"Xml path file name"), chosen);

    // The older file in other letters is a listed one: no check, no new entry, it is selected.
    std::wstring upper = older;
    for (wchar_t& c : upper) c = static_cast<wchar_t>(towupper(c));
    ASSERT_NE(upper, older);
    browse(upper);
    EXPECT_TRUE(port_.boxes.empty());
    expect_paths({chosen, older}, 1);
    EXPECT_EQ(settings.last_selected_file_index, 1u);
    EXPECT_EQ(window_text(app_windows().hwnd_main), L"Tindral V2.00.1      tindral-sample.brd");
    EXPECT_EQ(model.board_loaded, 1u);
    EXPECT_EQ(g_dialog_calls, 2);
}

TEST_F(Browse, CancelAndARefusedFileChangeNothing) {
    const std::wstring listed = sample_board();
    start_with({listed});
    const size_t writes = store_.writes.size();

    browse(L"", false);
    EXPECT_EQ(g_dialog_calls, 1);
    EXPECT_TRUE(port_.boxes.empty());
    EXPECT_EQ(settings.xml_path_file_name, listed);
    expect_paths({listed}, 0);
    EXPECT_EQ(model.board_loaded, 0u);  // nothing was loaded

    const std::wstring text_file = temp_file_with("<?xml version=\"1.0\"?>\r\n<eagle/>\r\n");
    browse(text_file);
    DeleteFileW(text_file.c_str());
    EXPECT_EQ(port_.boxes, (Boxes{{Owner::main, text(TXT_ONLY_V6_V7), L"Tindral Warning", 0x2010}}));
    EXPECT_EQ(settings.xml_path_file_name, listed);
    expect_paths({listed}, 0);
    EXPECT_TRUE(settings.recent_paths[1].empty());
    EXPECT_EQ(store_.writes.size(), writes);  // nothing stored
    EXPECT_EQ(model.board_loaded, 0u);
}

TEST_F(Browse, WithoutTheListTheChoiceReplacesTheOnlyEntry) {
    settings.use_filelist = 0;
    settings.xml_path_file_name = generated_board();
    settings.recent_paths[1] = L"Z:\\old\\left-over.brd";
    fill_path_combo_box();
    EXPECT_FALSE(shown(app_windows().edit_path_count));
    EXPECT_FALSE(shown(app_windows().button_delete));

    const std::wstring chosen = sample_board();
    browse(chosen);
    EXPECT_TRUE(port_.boxes.empty());
    EXPECT_EQ(app_session().board.board_loaded, 1u);
    EXPECT_EQ(path_combo_items(), std::vector<std::wstring>{chosen});
    EXPECT_EQ(SendMessageW(app_windows().combo_path, CB_GETCURSEL, 0, 0), 0);
    EXPECT_FALSE(shown(app_windows().edit_path_count));
    EXPECT_FALSE(shown(app_windows().button_delete));
}

TEST_F(Browse, StartUpFillSelectionChangeAndAMissingFileLeavingTheList) {
    const std::wstring a = generated_board();
    const std::wstring missing = own_board(L"no-such-board.brd");
    const std::wstring b = sample_board();
    settings.recent_paths[0] = a;
    settings.recent_paths[2] = missing;  // a gap closes up
    settings.recent_paths[3] = b;
    settings.last_selected_file_index = 1;
    start_with({});
    expect_paths({a, missing, b}, 1);
    EXPECT_EQ(window_text(app_windows().combo_path), missing);
    EXPECT_TRUE(shown(app_windows().edit_path_count));
    EXPECT_TRUE(shown(app_windows().button_delete));

    SendMessageW(app_windows().combo_path, CB_SETCURSEL, 2, 0);
    SendMessageW(app_windows().hwnd_main, WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(app_windows().combo_path));
    EXPECT_EQ(settings.last_selected_file_index, 2u);

    SendMessageW(app_windows().combo_path, CB_SETCURSEL, 1, 0);
    click(app_windows().button_load);
    EXPECT_EQ(port_.boxes, (Boxes{{Owner::none, L"_taccess File not found", L"Tindral Error", 0x2010}}));
    expect_paths({a, b}, -1);
    EXPECT_EQ(settings.recent_paths[1], b);
    EXPECT_TRUE(settings.recent_paths[2].empty());
    EXPECT_TRUE(shown(app_windows().button_delete));
}

// What the real open dialog showed, read inside its own loop before a real click on Cancel.
std::wstring g_seen_folder, g_seen_name;

void CALLBACK read_and_cancel_dialog(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = FindWindowW(L"#32770", L"Select Eagle \"brd\" file to open");
    HWND cancel = dialog ? GetDlgItem(dialog, IDCANCEL) : nullptr;
    if (!cancel || !IsWindowVisible(cancel) || !g_seen_name.empty()) return;
    wchar_t folder[MAX_PATH] = {}, name[MAX_PATH] = {};
    SendMessageW(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(folder));
    SendMessageW(dialog, CDM_GETSPEC, MAX_PATH, reinterpret_cast<LPARAM>(name));
    g_seen_folder = folder;
    g_seen_name = name[0] ? name : L"(none)";
    left_click_at(window_centre(cancel));
}

// The real dialog opens at the board chosen last: its other revisions are one click away.
using OpenDialog = AppWindowsTest;

TEST_F(OpenDialog, StartsAtTheBoardChosenLast) {
    const std::filesystem::path board = dir_.write("rev-b.kicad_pcb", "x");
    app_session().settings.xml_path_file_name = board.wstring();
    ShowWindow(app_windows().hwnd_main, SW_SHOW);
    g_seen_folder.clear();
    g_seen_name.clear();
    const UINT_PTR timer = SetTimer(nullptr, 0, 200, read_and_cancel_dialog);
    std::wstring chosen = L"unchanged";
    EXPECT_FALSE(open_board_dialog(chosen));
    KillTimer(nullptr, timer);
    EXPECT_EQ(chosen, L"unchanged");
    EXPECT_EQ(g_seen_name, L"rev-b.kicad_pcb");
    EXPECT_EQ(std::filesystem::path(g_seen_folder), dir_.path);
}

}  // namespace
