// The start-up pieces that work on real windows: control tables, toolbar, menu texts, list
// columns, the windows that must not be closed, and where the windows are kept for the next start.

#include <array>
#include <new>
#include <string>

#include "settings/startup_rules.h"
#include "shell/guarded_proc_win.h"
#include "shell/language_win.h"
#include "shell/toolbar_win.h"
#include "shell/window_settings_win.h"
#include "win/support/app_windows_win.h"

using namespace tindral;
using namespace tindral::test;

namespace {

// Controls and toolbar on the real windows.
using StartUp = AppWindowsTest;

TEST_F(StartUp, ControlRowsTakeTheirFontAndStopAtTheFirstFailure) {
    HWND parent = app_windows().hwnd_main;
    // Rows fill the slots of an App of their own, so that the real controls stay as they are.
    App rows_app;
    AppWindows& w = rows_app.windows;
    w.instance = GetModuleHandleW(nullptr);
    w.hwnd_main = parent;
    w.fonts.button.reset(CreateFontW(18, 9, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, L"Arial"));
    const HFONT font = w.fonts.button.get();
    const ControlRow rows[] = {
        {&AppWindows::button_load, 0, L"BUTTON", L"One", WS_CHILD | WS_VISIBLE, 15, 45, 90, 20, &AppWindows::hwnd_main, &Fonts::button},
        {&AppWindows::button_clear, 0, L"NoSuchClassForTindral", L"", WS_CHILD, 0, 0, 10, 10, &AppWindows::hwnd_main, &Fonts::button},
        {&AppWindows::button_bom, 0, L"BUTTON", L"Three", WS_CHILD, 0, 0, 10, 10, &AppWindows::hwnd_main, &Fonts::button},
        {nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0, nullptr, nullptr},
    };
    EXPECT_EQ(create_control_rows(rows), 0);

    HWND first = w.button_load;
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(GetParent(first), parent);
    EXPECT_EQ(window_text(first), L"One");
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(first, WM_GETFONT, 0, 0)), font);
    RECT r{};
    GetWindowRect(first, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ((std::array<LONG, 4>{r.left, r.top, r.right - r.left, r.bottom - r.top}),
              (std::array<LONG, 4>{15, 45, 90, 20}));

    EXPECT_EQ(w.button_clear, nullptr);
    EXPECT_EQ(w.button_bom, nullptr);
    EXPECT_EQ(FindWindowExW(parent, nullptr, L"BUTTON", L"Three"), nullptr);

    ASSERT_EQ(port_.boxes.size(), 1u);
    EXPECT_EQ(port_.boxes[0].title, L"Tindral Error");
    EXPECT_EQ(port_.boxes[0].flags, mb::icon_hand);
    // The system's text for the creation's own error (Windows and Wine use different codes).
    const std::wstring prefix = L"Tindral CreateWindowEx\rsystem text ";
    EXPECT_TRUE(port_.boxes[0].text == prefix + std::to_wstring(ERROR_CANNOT_FIND_WND_CLASS) ||
                port_.boxes[0].text == prefix + std::to_wstring(ERROR_CLASS_DOES_NOT_EXIST))
        << port_.boxes[0].text.c_str();

    // A table without failures is created up to its end row and reports nothing.
    const ControlRow good[] = {
        {&AppWindows::static_path, 0, L"STATIC", L"A", WS_CHILD, 0, 0, 10, 10, &AppWindows::hwnd_main, &Fonts::button},
        {&AppWindows::button_delete, 0, L"BUTTON", L"B", WS_CHILD, 0, 0, 10, 10, &AppWindows::hwnd_main, &Fonts::button},
        {nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0, nullptr, nullptr},
    };
    EXPECT_EQ(create_control_rows(good), 1);
    EXPECT_NE(w.static_path, nullptr);
    EXPECT_NE(w.button_delete, nullptr);
    EXPECT_EQ(port_.boxes.size(), 1u);
    for (HWND made : {first, w.static_path, w.button_delete}) DestroyWindow(made);
}

TEST_F(StartUp, ToolbarRebuildKeepsOneToolbarWithSevenButtons) {
    HWND toolbar = app_windows().hwnd_toolbar;
    ASSERT_NE(toolbar, nullptr);
    EXPECT_EQ(GetParent(toolbar), app_windows().hwnd_board);

    auto check_buttons = [&] {
        ASSERT_EQ(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0), 8);
        for (int i = 0; i < 7; ++i) {
            TBBUTTON b{};
            ASSERT_TRUE(SendMessageW(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&b)));
            EXPECT_EQ(b.idCommand, 32776 + i);
            EXPECT_EQ(b.iBitmap, i);
            EXPECT_TRUE(b.fsState & TBSTATE_ENABLED);
        }
        wchar_t label[50] = {};
        SendMessageW(toolbar, TB_GETBUTTONTEXTW, 32782, reinterpret_cast<LPARAM>(label));
        EXPECT_STREQ(label, L"Bring to front");
        EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageW(toolbar, TB_GETIMAGELIST, 0, 0)),
                  app_windows().toolbar_images.get());
    };
    check_buttons();

    settings.show_top_side = 0;
    settings.show_bottom_side = 1;
    ASSERT_EQ(rebuild_toolbar(), 1);
    EXPECT_EQ(app_windows().hwnd_toolbar, toolbar);
    check_buttons();
}

using MenuTextTest = MenuWindowsTest;

TEST_F(MenuTextTest, PopupsByPositionItemsByCommandInBothLanguages) {
    HMENU bar = GetMenu(app_windows().hwnd_main);
    const struct {
        UINT item, by;
        const wchar_t *german, *english;
    } entries[] = {
        {0, MF_BYPOSITION, L"Datei", L"File"},
        {1, MF_BYPOSITION, L"Extras", L"Options"},
        {2, MF_BYPOSITION, L"Hilfe", L"Help"},
        {IDM_LOAD_SELECTION, MF_BYCOMMAND, L"Auswahl laden", L"Load selection"},
        {IDM_SAVE_SELECTION, MF_BYCOMMAND, L"Auswahl speichern", L"Save selection"},
        {IDM_EXIT, MF_BYCOMMAND, L"Beenden", L"Exit"},
        {IDM_SETTINGS, MF_BYCOMMAND, L"Einstellungen", L"Settings"},
        {IDM_COLORS, MF_BYCOMMAND, L"Farben", L"Colors"},
        {IDM_ABOUT, MF_BYCOMMAND, L"\u00DCber ...", L"About ..."},
        {IDM_EMAIL, MF_BYCOMMAND, L"Email", L"Email"},
        {IDM_HOMEPAGE, MF_BYCOMMAND, L"Homepage", L"Homepage"},
        {IDM_HELP, MF_BYCOMMAND, L"Hilfe", L"Help"},
    };
    for (uint32_t language : {0u, 1u}) {
        LanguageGuard guard(app_session().settings, language);
        set_menu_texts();
        for (const auto& e : entries)
            EXPECT_EQ(menu_string(bar, e.item, e.by), language ? e.english : e.german) << e.item;
    }
    // The separator stays one, and no entry was added.
    HMENU file = GetSubMenu(bar, 0);
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE;
    ASSERT_TRUE(GetMenuItemInfoW(file, 2, TRUE, &mii));
    EXPECT_TRUE(mii.fType & MFT_SEPARATOR);
    EXPECT_EQ(GetMenuItemCount(file), 4);
    EXPECT_EQ(GetMenuItemCount(bar), 3);
}

int column_count(HWND list) {
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    return static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
}

// The set-up has made the English columns once already.
TEST_F(StartUp, ListColumnsFollowTheLanguageAndAreNeverDoubled) {
    HWND main_list = app_windows().list_main, found_list = app_windows().list_found;
    {
        LanguageGuard german(app_session().settings, 0);
        set_list_columns();
        set_found_columns();
        ASSERT_EQ(column_count(main_list), 11);
        EXPECT_EQ(list_column(main_list, 0).title, L"Name");
        EXPECT_EQ(list_column(main_list, 2).title, L"Geh\u00E4use");
        EXPECT_EQ(list_column(main_list, 2).width, 120);
        EXPECT_EQ(list_column(main_list, 6).title, L"Drehung");
        EXPECT_EQ(list_column(main_list, 6).width, 90);
        EXPECT_EQ(list_column(main_list, 9).title, L"Gruppe");
        EXPECT_EQ(list_column(main_list, 10).title, L"Index");
        EXPECT_EQ(list_column(main_list, 10).width, 80);
        ASSERT_EQ(column_count(found_list), 5);
        EXPECT_EQ(list_column(found_list, 4).title, L"Seite");
        EXPECT_EQ(list_column(found_list, 4).width, 80);
    }
    set_list_columns();  // again, as after a language change
    set_found_columns();
    ASSERT_EQ(column_count(main_list), 11);
    EXPECT_EQ(list_column(main_list, 2).title, L"Package");
    EXPECT_EQ(list_column(main_list, 8).title, L"Amount");
    EXPECT_EQ(list_column(main_list, 9).title, L"Group");
    ASSERT_EQ(column_count(found_list), 5);
    EXPECT_EQ(list_column(found_list, 1).title, L"Library");
    const DWORD wanted = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER;
    for (HWND list : {main_list, found_list})
        EXPECT_EQ(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & wanted, wanted);
}

TEST_F(StartUp, BoardRefusesToCloseFoundAndBomOnlyHide) {
    // Their titles are set while they are created.
    EXPECT_EQ(window_text(app_windows().hwnd_found), L"Tindral V2.00.1     Found components");
    EXPECT_EQ(window_text(app_windows().hwnd_bom), L"Tindral V2.00.1     Component list");

    SendMessageW(app_windows().hwnd_board, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(app_windows().hwnd_board));
    EXPECT_EQ(port_.boxes, (Boxes{{Owner::none, L"This window can only be minimized or maximized",
                                   L"Tindral Info", 0x42040}}));

    SetWindowPos(app_windows().hwnd_bom, nullptr, 40, 50, 320, 210, SWP_NOZORDER);
    for (HWND hidden : {app_windows().hwnd_found, app_windows().hwnd_bom}) {
        set_visible(hidden, true);
        SendMessageW(hidden, WM_CLOSE, 0, 0);
        EXPECT_TRUE(IsWindow(hidden));
        EXPECT_FALSE(IsWindowVisible(hidden));
    }
    // The BOM window's place is kept for the next start.
    EXPECT_EQ((std::array<uint32_t, 4>{settings.wnd_bom_x, settings.wnd_bom_y,
                                       settings.wnd_bom_width, settings.wnd_bom_height}),
              (std::array<uint32_t, 4>{40, 50, 320, 210}));
    EXPECT_EQ(port_.boxes.size(), 1u);
}

// Out of memory in a window's handling: the board goes (no row may point at a part that is gone).
TEST_F(StartUp, RunningOutOfMemoryInAWindowDropsTheBoardAndSaysSo) {
    const auto out_of_memory = [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { throw std::bad_alloc(); };
    const std::pair<HWND, Owner> cases[] = {{app_windows().hwnd_main, Owner::main},
                                            {app_windows().hwnd_board, Owner::none}};
    for (const auto& [hwnd, owner] : cases) {
        load_painted();
        ASSERT_GT(SendMessageW(app_windows().list_main, LVM_GETITEMCOUNT, 0, 0), 0);
        port_.boxes.clear();
        EXPECT_EQ(guarded_window_message(out_of_memory, hwnd, WM_USER, 0, 0), 0);
        EXPECT_EQ(port_.boxes, (Boxes{{owner, L"Out of memory", L"Tindral Error",
                                       mb::topmost | mb::task_modal | mb::icon_hand}}));
        EXPECT_EQ(app_session().board.board_loaded, 0u);
        EXPECT_TRUE(app_session().board.elements.empty());
        EXPECT_EQ(SendMessageW(app_windows().list_main, LVM_GETITEMCOUNT, 0, 0), 0);
        EXPECT_EQ(window_text(app_windows().hwnd_board), board_title_no_board());
    }
}


using Rect = std::array<int, 4>;

Rect stored(TopWindow w) {
    const WindowRect r = stored_window_rect(app_session().settings, w);
    return {r.x, r.y, r.width, r.height};
}

// A minimised or maximised window keeps its normal rectangle, not a minimised one's parking place.
TEST_F(StartUp, MinimisedOrMaximisedWindowsKeepTheirNormalRectangle) {
    const struct {
        HWND hwnd;
        TopWindow which;
        Rect normal;
    } windows[] = {
        {app_windows().hwnd_main, TopWindow::main, {40, 50, 900, 600}},
        {app_windows().hwnd_board, TopWindow::board, {300, 60, 800, 650}},
        {app_windows().hwnd_found, TopWindow::found, {120, 130, 640, 310}},
    };
    for (int show : {SW_MINIMIZE, SW_MAXIMIZE}) {
        for (const auto& w : windows) {
            SCOPED_TRACE(static_cast<int>(w.which));
            ShowWindow(w.hwnd, SW_SHOWNORMAL);
            SetWindowPos(w.hwnd, nullptr, w.normal[0], w.normal[1], w.normal[2], w.normal[3],
                         SWP_NOZORDER);
            ShowWindow(w.hwnd, show);
            pump_for(50);
            ASSERT_TRUE(show == SW_MINIMIZE ? IsIconic(w.hwnd) : IsZoomed(w.hwnd));
            record_window(w.hwnd, w.which);
            EXPECT_EQ(stored(w.which), w.normal);
        }
        // The main window keeps its place in the store as soon as it moves.
        EXPECT_EQ(store_.dword(L"Wnd main X"), 40u);
        EXPECT_EQ(store_.dword(L"Wnd main Y"), 50u);
    }

    // A window in its normal state gives its rectangle as it is.
    ShowWindow(app_windows().hwnd_found, SW_SHOWNORMAL);
    SetWindowPos(app_windows().hwnd_found, nullptr, 200, 210, 500, 400, SWP_NOZORDER);
    record_window(app_windows().hwnd_found, TopWindow::found);
    EXPECT_EQ(stored(TopWindow::found), (Rect{200, 210, 500, 400}));
    for (const auto& w : windows) ShowWindow(w.hwnd, SW_HIDE);
}

}  // namespace
