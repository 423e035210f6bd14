// The settings, colour, About and path-list dialogs on the real main window, the commands that
// open them, and what the board window shows after they closed.

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "shell/about_dialog_win.h"
#include "shell/board_window_win.h"
#include "shell/colour_dialog_win.h"
#include "shell/path_combo_win.h"
#include "shell/path_delete_dialog_win.h"
#include "shell/settings_dialog_win.h"
#include "win/support/main_list_checks_win.h"

using namespace tindral;
using namespace tindral::test;

namespace {

std::wstring item_text(HWND dialog, int id) { return window_text(GetDlgItem(dialog, id)); }

std::vector<std::wstring> list_box_texts(HWND list) {
    std::vector<std::wstring> out;
    const int n = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        wchar_t buf[300] = {};
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(buf));
        out.push_back(buf);
    }
    return out;
}

COLORREF pen_colour(HPEN pen) {
    LOGPEN lp{};
    GetObjectW(pen, sizeof lp, &lp);
    return lp.lopnColor;
}

COLORREF brush_colour(HBRUSH brush) {
    LOGBRUSH lb{};
    GetObjectW(brush, sizeof lb, &lb);
    return lb.lbColor;
}

using Dialogs = MenuWindowsTest;

// How far a control is from its template place (dialog units, each field mapped on its own).
std::vector<LONG> misplacement(HWND dialog, int id, LONG x, LONG y, LONG w, LONG h) {
    RECT want{x, y, w, h}, got{};
    MapDialogRect(dialog, &want);
    GetWindowRect(GetDlgItem(dialog, id), &got);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&got), 2);
    return {got.left - want.left, got.top - want.top, got.right - got.left - want.right,
            got.bottom - got.top - want.bottom};
}

// Whether the band of one sample line shows both of its colours.
bool line_shows(HWND dialog, int y, uint32_t text_colour, uint32_t back_colour) {
    const Shot band = shot_of(dialog, {270, y, 360, y + 18});
    return band.count(text_colour) > 0 && band.count(back_colour) > 0;
}

TEST_F(Dialogs, SettingsTemplateTextsAndLanguageSwitchWhileOpen) {
    store_.put_dword(L"Language", 1);
    store_.put_dword(L"Printer selection mode", 3);
    HWND d = open_dialog(IDD_SETTINGS, DlgSettings);
    ASSERT_NE(d, nullptr);
    const LONG template_places[][5] = {
        {1002, 343, 31, 100, 61}, {1000, 355, 52, 73, 10},  {1001, 355, 71, 70, 10},
        {1003, 18, 38, 154, 10},  {1080, 18, 56, 154, 10},  {1014, 18, 74, 154, 10},
        {1016, 18, 92, 154, 10},  {1015, 18, 110, 154, 10}, {1010, 16, 153, 214, 121},
        {1007, 20, 174, 199, 10}, {1008, 20, 192, 199, 10}, {1009, 20, 210, 199, 10},
        {1004, 239, 46, 90, 186}, {1005, 249, 238, 30, 14}, {1006, 287, 238, 30, 14},
        {1013, 245, 259, 84, 14}, {1071, 343, 127, 119, 88}, {1072, 349, 148, 107, 10},
        {1073, 349, 166, 107, 10}, {1074, 349, 184, 107, 10}, {IDOK, 385, 227, 50, 14},
        {IDCANCEL, 385, 245, 50, 14},
    };
    for (const auto& p : template_places) {
        ASSERT_NE(GetDlgItem(d, p[0]), nullptr) << p[0];
        EXPECT_EQ(misplacement(d, p[0], p[1], p[2], p[3], p[4]), std::vector<LONG>(4, 0)) << p[0];
    }
    EXPECT_EQ(GetWindowLongW(GetDlgItem(d, 1004), GWL_STYLE) & (LBS_EXTENDEDSEL | LBS_NOTIFY),
              LBS_EXTENDEDSEL | LBS_NOTIFY);

    EXPECT_EQ(window_text(d), L"Tindral V2.00.1  DlgSettings");
    EXPECT_EQ(item_text(d, 1002), L"Language Selection");
    EXPECT_EQ(item_text(d, 1007), L"Select element with a double click");
    EXPECT_EQ(item_text(d, IDCANCEL), L"Cancel");
    EXPECT_EQ(IsDlgButtonChecked(d, 1001), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(d, 1074), BST_CHECKED);  // the stored printer mode
    EXPECT_EQ(SendDlgItemMessageW(d, 1004, LB_GETSELCOUNT, 0, 0), 11);  // ten layers and the pads

    // German at once: dialog, menu, buttons and columns, with the dialog still open.
    CheckRadioButton(d, 1000, 1001, 1000);
    press(d, 1000);
    EXPECT_EQ(settings.language, 0u);
    EXPECT_EQ(item_text(d, 1002), L"Sprach Auswahl");
    EXPECT_EQ(item_text(d, 1013), L"Standard Layers setzen");
    HMENU bar = GetMenu(app_windows().hwnd_main);
    EXPECT_EQ(menu_string(bar, 0, MF_BYPOSITION), L"Datei");
    EXPECT_EQ(window_text(app_windows().button_load), L"Laden");
    EXPECT_EQ(window_text(app_windows().button_found_close), L"Schlie\u00DFen");
    EXPECT_EQ(window_text(app_windows().button_print), L"Drucken");
    EXPECT_EQ(list_column(app_windows().list_main, 9).title, L"Gruppe");
    EXPECT_EQ(window_text(app_windows().static_counter).rfind(L"  Best\u00FCckt: Gesamt", 0), 0u);

    // Cancel keeps the new language in memory and writes nothing of it.
    press(d, IDCANCEL);
    EXPECT_EQ(settings.language, 0u);
    EXPECT_EQ(store_.dword(L"Language"), 1u);
}

TEST_F(Dialogs, SettingsOkStoresTheChoiceAndClearsMarksWhenLeaveSelectedChanged) {
    model.marks.assign({2, 1, 0});
    view.current = 1;
    HWND d = open_dialog(IDD_SETTINGS, DlgSettings);
    ASSERT_NE(d, nullptr);
    const size_t writes_at_open = store_.writes.size();

    // "Leave selected" off disables "Save selections on exit".
    CheckDlgButton(d, 1008, BST_UNCHECKED);
    press(d, 1008);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, 1009)));

    press(d, 1006);  // None
    EXPECT_EQ(SendDlgItemMessageW(d, 1004, LB_GETSELCOUNT, 0, 0), 0);
    settings.show_pads = 1;
    SendDlgItemMessageW(d, 1004, LB_SETSEL, TRUE, 1);  // the first line after the pad line
    CheckRadioButton(d, 1072, 1074, 1074);
    press(d, 1074);
    EXPECT_EQ(settings.printer_selection_mode, 3u);

    press(d, IDOK);
    const std::vector<std::wstring> lines = list_box_texts(GetDlgItem(d, 1004));
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(_wtoi(lines[0].c_str()), 17);
    EXPECT_EQ(settings.show_pads, 0u);  // its line left out: the pads off, and stored so
    ASSERT_NE(store_.find(L"Show pads"), nullptr);
    EXPECT_EQ(store_.dword(L"Show pads"), 0u);
    const int n = _wtoi(lines[1].c_str());
    EXPECT_TRUE(settings.layer_enabled(n));
    EXPECT_EQ(store_.dword(L"Layer group " + std::to_wstring(n / 32)), 1u << (n % 32));
    EXPECT_EQ(store_.dword(L"Layer group 0") | store_.dword(L"Layer group 1"), n < 64 ? 1u << (n % 32) : 0u);
    EXPECT_EQ(store_.dword(L"Leave selected"), 0u);
    EXPECT_EQ(store_.dword(L"Printer selection mode"), 3u);
    EXPECT_GT(store_.writes.size(), writes_at_open);
    EXPECT_EQ(model.marks.states(), (std::vector<uint32_t>{0, 0, 0}));
    EXPECT_EQ(view.current, -1);
}

TEST_F(Dialogs, ColourSwatchRenewsPenAndBrushAndOkStoresIt) {
    HWND d = open_dialog(IDD_COLORS, DlgColorSettings);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(window_text(d), L"Tindral V2.00.1  DlgColorSettings");
    EXPECT_EQ(item_text(d, 1062), L"Selected");
    EXPECT_EQ(item_text(d, 1084), L"Bottom");
    EXPECT_EQ(item_text(d, 1017), L"Component window");

    // A cancelled chooser changes nothing, not even the brush handle.
    const HBRUSH brush_before = app_windows().brushes.top_selected.get();
    pick_colour(1063, 0);
    EXPECT_EQ(settings.color_top_selected, kDefaultSettings.color_top_selected);
    EXPECT_EQ(app_windows().brushes.top_selected.get(), brush_before);

    pick_colour(1063, 0x00ABCDEF);
    EXPECT_EQ(settings.color_top_selected, 0x00ABCDEFu);
    EXPECT_EQ(pen_colour(app_windows().pens.top_selected.get()), 0x00ABCDEFu);
    EXPECT_EQ(brush_colour(app_windows().brushes.top_selected.get()), 0x00ABCDEFu);
    HDC dc = GetDC(d);
    EXPECT_EQ(reinterpret_cast<HBRUSH>(SendMessageW(d, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                    reinterpret_cast<LPARAM>(GetDlgItem(d, 1063)))),
              app_windows().brushes.top_selected.get());
    ReleaseDC(d, dc);

    // A list colour has a brush only.
    const HPEN crosshair_pen = app_windows().pens.crosshair.get();
    pick_colour(1026, 0x00112233);
    EXPECT_EQ(brush_colour(app_windows().brushes.group_top_text1.get()), 0x00112233u);
    EXPECT_EQ(app_windows().pens.crosshair.get(), crosshair_pen);

    // Top to bottom: the three board colours and their pens.
    press(d, 1070);
    EXPECT_EQ(settings.color_bottom_selected, 0x00ABCDEFu);
    EXPECT_EQ(pen_colour(app_windows().pens.bottom_selected.get()), 0x00ABCDEFu);

    press(d, IDOK);
    EXPECT_EQ(store_.dword(L"Color top selected"), 0x00ABCDEFu);
    EXPECT_EQ(store_.dword(L"Color bottom selected"), 0x00ABCDEFu);
    EXPECT_EQ(store_.dword(L"group color top text1"), 0x00112233u);
}

TEST_F(Dialogs, ColourDefaultsAndTheSampleTextPainting) {
    settings.color_crosshair = 0x000001;
    store_.put_dword(L"Color crosshair", 0x000001);
    HWND d = open_dialog(IDD_COLORS, DlgColorSettings);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(pen_colour(app_windows().pens.crosshair.get()), 0x000001u);
    press(d, 1054);
    EXPECT_EQ(settings.color_crosshair, kDefaultSettings.color_crosshair);
    EXPECT_EQ(pen_colour(app_windows().pens.crosshair.get()), kDefaultSettings.color_crosshair);

    // Sample lines in the list colours: first line of the top side, second of the bottom side.
    SetWindowPos(d, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    UpdateWindow(d);
    const Settings& s = settings;
    EXPECT_TRUE(line_shows(d, 58, s.group_color_top_text1, s.group_color_top_back1));
    EXPECT_TRUE(line_shows(d, 279, s.group_color_bottom_text2, s.group_color_bottom_back2));
    EXPECT_FALSE(line_shows(d, 279, s.group_color_top_text1, s.group_color_top_back1));
}

TEST_F(Dialogs, AboutBoxTexts) {
    for (const auto& [language, title] : {std::pair{0u, L"Tindral V2.00.1  \u00DCber ..."},
                                          std::pair{1u, L"Tindral V2.00.1  About ..."}}) {
        LanguageGuard guard(app_session().settings, language);
        HWND d = open_dialog(IDD_ABOUT, about_dialog_proc);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(window_text(d), title);
        EXPECT_EQ(item_text(d, 1012), L"Tindral V2.00.1");
        EXPECT_FALSE(item_text(d, 1011).empty());
        DestroyWindow(std::exchange(dialog_, nullptr));
    }
}

TEST_F(Dialogs, PathListsMirrorSelectionsDeleteAndOkStoresTheRest) {
    const std::vector<std::wstring> paths = {L"C:\\a\\one.brd", L"C:\\b\\two.brd", L"C:\\c\\three.brd"};
    app_session().settings.use_filelist = 1;
    store_.put_dword(L"Use filelist", 1);
    for (size_t i = 0; i < paths.size(); ++i) {
        SendMessageW(app_windows().combo_path, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(paths[i].c_str()));
        store_.put_string(L"ComboPathFilename0" + std::to_wstring(i), paths[i]);
    }

    HWND d = open_dialog(IDD_PATH_DELETE, path_delete_dialog_proc);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(window_text(d), L"Tindral V2.00.1  Delete");
    EXPECT_EQ(item_text(d, 1078), L"Path/filename");
    EXPECT_EQ(list_box_texts(GetDlgItem(d, 1075)), paths);
    EXPECT_EQ(list_box_texts(GetDlgItem(d, 1077)),
              (std::vector<std::wstring>{L"\\one.brd", L"\\two.brd", L"\\three.brd"}));

    // Nothing selected: an information box, nothing deleted.
    press(d, 1076);
    EXPECT_EQ(port_.boxes,
              (Boxes{{Owner::main, L"Nothing to delete selected", L"Tindral Info", 0x40040}}));
    EXPECT_EQ(SendDlgItemMessageW(d, 1075, LB_GETCOUNT, 0, 0), 3);

    // A selection in either list shows in the other.
    SendDlgItemMessageW(d, 1077, LB_SETSEL, TRUE, 2);
    press(d, 1077, LBN_SELCHANGE);
    EXPECT_GT(SendDlgItemMessageW(d, 1075, LB_GETSEL, 2, 0), 0);
    SendDlgItemMessageW(d, 1075, LB_SETSEL, FALSE, 2);
    SendDlgItemMessageW(d, 1075, LB_SETSEL, TRUE, 0);
    press(d, 1075, LBN_SELCHANGE);
    EXPECT_GT(SendDlgItemMessageW(d, 1077, LB_GETSEL, 0, 0), 0);
    EXPECT_EQ(SendDlgItemMessageW(d, 1077, LB_GETSEL, 2, 0), 0);

    press(d, 1076);
    EXPECT_EQ(list_box_texts(GetDlgItem(d, 1075)), (std::vector<std::wstring>{paths[1], paths[2]}));
    EXPECT_EQ(list_box_texts(GetDlgItem(d, 1077)), (std::vector<std::wstring>{L"\\two.brd", L"\\three.brd"}));
    EXPECT_EQ(path_combo_items(), paths);  // nothing changes outside before OK

    press(d, IDOK);
    EXPECT_EQ(path_combo_items(), (std::vector<std::wstring>{paths[1], paths[2]}));
    EXPECT_EQ(store_.string(L"ComboPathFilename00"), paths[1]);
    EXPECT_EQ(store_.string(L"ComboPathFilename01"), paths[2]);
    EXPECT_TRUE(store_.string(L"ComboPathFilename02").empty());
}

// Records the captions of dialogs about to be made and stops them: a modal command returns at once.
std::vector<std::wstring> g_blocked_dialogs;

LRESULT CALLBACK block_dialogs(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HCBT_CREATEWND) {
        const auto* cbt = reinterpret_cast<const CBT_CREATEWNDW*>(lparam);
        if (cbt->lpcs->lpszClass == MAKEINTATOM(32770) ||
            (!IS_INTRESOURCE(cbt->lpcs->lpszClass) && lstrcmpW(cbt->lpcs->lpszClass, L"#32770") == 0)) {
            g_blocked_dialogs.push_back(cbt->lpcs->lpszName ? cbt->lpcs->lpszName : L"");
            return 1;
        }
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

TEST_F(Dialogs, MenuCommandsAndDeleteButtonOpenTheirDialogs) {
    g_blocked_dialogs.clear();
    HHOOK hook = SetWindowsHookExW(WH_CBT, block_dialogs, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    for (UINT id : {IDM_SETTINGS, IDM_COLORS, IDM_ABOUT}) menu(id);
    EXPECT_EQ(g_blocked_dialogs,
              (std::vector<std::wstring>{L"DlgSettings", L"DlgColorSettings", L"About"}));

    // The Delete button: nothing with an empty combo box or without the file list.
    g_blocked_dialogs.clear();
    settings.use_filelist = 1;
    click(app_windows().button_delete);
    EXPECT_TRUE(g_blocked_dialogs.empty());
    SendMessageW(app_windows().combo_path, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"C:\\x\\y.brd"));
    settings.use_filelist = 0;
    click(app_windows().button_delete);
    EXPECT_TRUE(g_blocked_dialogs.empty());
    settings.use_filelist = 1;
    click(app_windows().button_delete);
    EXPECT_EQ(g_blocked_dialogs, (std::vector<std::wstring>{L"Delete"}));
    EXPECT_EQ(window_text(app_windows().edit_path_count), L"1");
    UnhookWindowsHookEx(hook);
}

constexpr COLORREF kBlack = 0;

// The toolbar button's pixels on the screen, as the user sees them.
std::vector<COLORREF> button_pixels(int index) { return shot_of(nullptr, tool_on_screen(index)).pixels; }

// The sample board shown under the dialogs.
class ViewAfterDialogs : public Dialogs {
protected:
    ViewAfterDialogs() {
        places_.main = {0, 0, 900, 600};
        places_.board = {0, 0, 900, 700};
        places_.found = {0, 750, 650, 240};  // below the board window
    }

    void SetUp() override {
        app_session().settings.use_filelist = 1;
        Dialogs::SetUp();
        show_board_on_top();
        load_painted();
        port_.boxes.clear();
    }

    // The shown sides are the same everywhere: settings, mirror flag, main list rows.
    void expect_bottom_only_everywhere() {
        EXPECT_EQ(settings.show_top_side, 0u);
        EXPECT_EQ(settings.show_bottom_side, 1u);
        EXPECT_TRUE(view.bottom_only);
        expect_rows_of_sides(false, true);
    }
};

TEST_F(ViewAfterDialogs, SidesChosenOnTheToolbarSurviveEveryDialog) {
    const std::vector<COLORREF> top_on = button_pixels(0), bottom_off = button_pixels(1);
    ASSERT_TRUE(click_tool(0));  // Top off
    ASSERT_TRUE(click_tool(1));  // Bottom on
    expect_bottom_only_everywhere();
    const std::vector<COLORREF> top_off = button_pixels(0), bottom_on = button_pixels(1);
    ASSERT_NE(top_off, top_on);  // the buttons show the switch
    ASSERT_NE(bottom_on, bottom_off);

    struct Step {
        int dialog;
        DLGPROC proc;
        int button;
    };
    const Step steps[] = {
        {IDD_COLORS, DlgColorSettings, IDCANCEL},
        {IDD_SETTINGS, DlgSettings, IDCANCEL},
        {IDD_PATH_DELETE, path_delete_dialog_proc, IDCANCEL},
        {IDD_SETTINGS, DlgSettings, IDOK},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.dialog);
        ASSERT_NE(open_dialog(s.dialog, s.proc), nullptr);
        press(dialog_, s.button);
        pump_for(100);
        expect_bottom_only_everywhere();
        EXPECT_EQ(button_pixels(0), top_off);
        EXPECT_EQ(button_pixels(1), bottom_on);
    }
    // OK stored the sides as they are shown.
    EXPECT_EQ(store_.dword(L"show top side"), 0u);
    EXPECT_EQ(store_.dword(L"Show bottom side"), 1u);
}

TEST_F(ViewAfterDialogs, CancelledCrosshairColourLeavesNoStrayLines) {
    settings.use_crosshair = 1;
    RECT client{};
    GetClientRect(app_windows().hwnd_layout, &client);
    // Two drawn components whose crosshair lines do not cross each other's.
    uint32_t a = 0, b = 0;
    const auto centre_x = [&](uint32_t i) {
        return view.boxes[i].min_x + (view.boxes[i].max_x - view.boxes[i].min_x) / 2;
    };
    for (a = 0; a < view.boxes.size() && view.boxes[a].empty(); ++a) {
    }
    for (b = a + 1; b < view.boxes.size(); ++b)
        if (!view.boxes[b].empty() && std::abs(centre_x(b) - centre_x(a)) > 10) break;
    ASSERT_LT(b, view.boxes.size());

    choose(a);
    ASSERT_EQ(view.crosshair_drawn, a + 1);
    const int xa = centre_x(a);
    const ElementBox& bb = view.boxes[b];
    const int yb = client.bottom - (bb.min_y + (bb.max_y - bb.min_y) / 2);
    // A row of a's vertical line over black background, away from b's horizontal line.
    HDC pic = area_picture_dc();
    int y = -1;
    for (int i = 0; i < client.bottom && y < 0; ++i)
        if (GetPixel(pic, xa, i) == kBlack && std::abs(i - yb) > 2) y = i;
    ASSERT_GE(y, 0);
    HDC screen = GetDC(app_windows().hwnd_layout);
    EXPECT_EQ(GetPixel(screen, xa, y), settings.color_crosshair);

    // A new crosshair colour picked, then the dialog cancelled.
    ASSERT_NE(open_dialog(IDD_COLORS, DlgColorSettings), nullptr);
    pick_colour(1056, 0x0000FFFF);
    press(dialog_, IDCANCEL);
    pump_for(100);

    // A click on another part lists it and draws the crosshair of the current part again: in
    // the colour now in force, on the same place.
    const int xb = centre_x(b);
    SendMessageW(app_windows().hwnd_layout, WM_LBUTTONDOWN, 0, MAKELPARAM(xb, yb));
    ASSERT_TRUE(IsWindowVisible(app_windows().hwnd_found));
    EXPECT_EQ(view.crosshair_drawn, a + 1);
    EXPECT_EQ(GetPixel(screen, xa, y), 0x0000FFFFu);

    // Taken away, it leaves nothing behind.
    set_current_component(-1);
    draw_crosshair(false);
    EXPECT_EQ(view.crosshair_drawn, 0u);
    EXPECT_EQ(GetPixel(screen, xa, y), kBlack);
    ReleaseDC(app_windows().hwnd_layout, screen);
}

}  // namespace
