// The booklet's preview with the real windows: opened through the File menu with real clicks,
// its page read back from the screen, stepped with the real buttons, printed through a real
// printer driver and through a metafile standing in for the printer.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <thread>
#include <vector>

#include "print/booklet_print.h"
#include "shell/booklet_window_win.h"
#include "shell/language_win.h"
#include "support/temp_folder.h"
#include "win/support/app_windows_win.h"
#include "win/support/metafile_printer_win.h"
#include "win/support/test_printer_win.h"

namespace tindral::test {
namespace {

// The test's menu bar with the booklet's entry where the resources put it: after Save selection.
HMENU menu_with_booklet() {
    HMENU bar = main_menu();
    InsertMenuW(GetSubMenu(bar, 0), 2, MF_BYPOSITION | MF_STRING, IDM_PRINT_BOOKLET, L"-");
    return bar;
}

// A real click on the menu bar's pop-up, then, from a second thread while the menu's own loop
// runs on this one, a real click on its item.
bool click_menu_item(HWND owner, int popup, UINT id) {
    HMENU bar = GetMenu(owner);
    HMENU sub = GetSubMenu(bar, popup);
    int position = -1;
    for (int i = 0; i < GetMenuItemCount(sub); ++i)
        if (GetMenuItemID(sub, i) == id) position = i;
    RECT title{};
    if (position < 0 || !GetMenuItemRect(owner, bar, popup, &title)) return false;
    bool clicked = false;
    std::thread chooser([&] {
        RECT item{};
        for (int tries = 0; tries < 100; ++tries) {
            Sleep(50);
            HWND menu_window = FindWindowW(L"#32768", nullptr);
            if (menu_window && IsWindowVisible(menu_window) && GetMenuItemRect(nullptr, sub, position, &item) &&
                item.bottom > item.top)
                break;
            item = {};
        }
        if (item.bottom <= item.top) {
            press_key(VK_ESCAPE);  // leaves the menu loop
            press_key(VK_ESCAPE);
            return;
        }
        clicked = left_click_at(centre_of(item));
    });
    left_click_at(centre_of(title));
    chooser.join();
    pump_for(300);
    return clicked;
}

// The window's client area as the screen shows it.
Shot screen_shot(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    return shot_of(nullptr, on_screen(hwnd, r));
}

bool click_control(HWND parent, int id) {
    HWND control = GetDlgItem(parent, id);
    RECT r{};
    return control && GetClientRect(control, &r) && click_middle(control, r);
}

class BookletPreview : public AppWindowsTest {
protected:
    BookletPreview() {
        main_menu_ = menu_with_booklet();
        places_.main = {0, 0, 700, 500};
    }

    void SetUp() override {
        AppWindowsTest::SetUp();
        set_menu_texts();
        ShowWindow(app_windows().hwnd_main, SW_SHOW);
        SetForegroundWindow(app_windows().hwnd_main);
        pump_for(200);
    }

    void TearDown() override {
        if (app_windows().hwnd_booklet) DestroyWindow(app_windows().hwnd_booklet);
        AppWindowsTest::TearDown();
    }

    // The preview opened through the menu, above everything else, painted.
    HWND open_preview() {
        EXPECT_TRUE(click_menu_item(app_windows().hwnd_main, 0, IDM_PRINT_BOOKLET));
        HWND preview = app_windows().hwnd_booklet;
        if (preview) {
            SetWindowPos(preview, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
            UpdateWindow(preview);
            pump_for(300);
        }
        return preview;
    }

    // The pages the top side of the sample board gives on A4.
    static size_t expected_pages() {
        return make_booklet(app_session().board, true, false,
                            booklet_rows_per_page(booklet_paper_frame({210, 297})))
            .pages.size();
    }
};

TEST_F(BookletPreview, MenuOpensThePreviewWhosePagesStepWithRealClicks) {
    load_sample();
    const size_t pages = expected_pages();
    ASSERT_GE(pages, 3u);

    HWND preview = open_preview();
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(IsWindowVisible(preview));
    EXPECT_EQ(booklet_position().pages, pages);
    EXPECT_EQ(booklet_position().page, 0u);
    EXPECT_EQ(window_text(GetDlgItem(preview, IDC_BOOKLET_PAGE)), L"1 / " + std::to_wstring(pages));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(preview, IDC_BOOKLET_PREVIOUS)));
    EXPECT_EQ(window_text(GetDlgItem(preview, IDC_BOOKLET_NEXT)), L"Next >");

    // On the screen: a white page, the group in the current part's red, the others grey, text.
    const COLORREF red = app_session().settings.color_top_curr_selection;
    const Shot first = screen_shot(preview);
    ASSERT_FALSE(first.pixels.empty());
    const std::set<int> red_first = first.where(red);
    EXPECT_GT(red_first.size(), 20u);
    EXPECT_GT(first.count(kGreyPenColour), 20);
    EXPECT_GT(first.count(RGB(255, 255, 255)), first.width * first.height / 4);
    EXPECT_GT(first.count(RGB(0, 0, 0)), 100);

    ASSERT_TRUE(click_control(preview, IDC_BOOKLET_NEXT));
    pump_for(300);
    EXPECT_EQ(booklet_position().page, 1u);
    EXPECT_EQ(window_text(GetDlgItem(preview, IDC_BOOKLET_PAGE)), L"2 / " + std::to_wstring(pages));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(preview, IDC_BOOKLET_PREVIOUS)));
    const std::set<int> red_second = screen_shot(preview).where(red);
    EXPECT_GT(red_second.size(), 20u);
    EXPECT_NE(red_second, red_first);  // another group is highlighted

    ASSERT_TRUE(click_control(preview, IDC_BOOKLET_PREVIOUS));
    pump_for(300);
    EXPECT_EQ(booklet_position().page, 0u);
    EXPECT_EQ(screen_shot(preview).where(red), red_first);

    ASSERT_TRUE(click_control(preview, IDC_BOOKLET_CLOSE));
    pump_for(200);
    EXPECT_EQ(app_windows().hwnd_booklet, nullptr);
    EXPECT_FALSE(IsWindow(preview));
    EXPECT_TRUE(port_.boxes.empty());
}

TEST_F(BookletPreview, WithoutABoardTheMenuSaysSo) {
    EXPECT_TRUE(click_menu_item(app_windows().hwnd_main, 0, IDM_PRINT_BOOKLET));
    EXPECT_EQ(app_windows().hwnd_booklet, nullptr);
    EXPECT_EQ(port_.boxes, (Boxes{{Owner::main, L"No board loaded", L"Tindral Info", 0x2040}}));
}

// Print clicked: a real job through Wine's PostScript driver, one page per booklet page.
TEST_F(BookletPreview, PrintButtonPrintsEveryPageOnTheChosenPrinter) {
    if (!wine_unix_name()) {
        GTEST_SKIP() << "not under Wine";
    }
    TestPrinter printer;
    ASSERT_NE(printer.handle, nullptr);
    ASSERT_TRUE(SetDefaultPrinterW(kTestPrinter));
    app_session().settings.printer_selection_mode = 1;  // the default printer, no dialog
    load_sample();
    HWND preview = open_preview();
    ASSERT_NE(preview, nullptr);

    ASSERT_TRUE(click_control(preview, IDC_BOOKLET_PRINT));
    pump_for(500);
    EXPECT_TRUE(port_.boxes.empty());
    const std::string ps = TempFolder::read(printer.out);
    EXPECT_NE(ps.find("%%Title: TindralBooklet"), std::string::npos);
    EXPECT_NE(ps.find("%%Pages: " + std::to_string(expected_pages())), std::string::npos);
    EXPECT_NE(ps.find("%%Orientation: Portrait"), std::string::npos);
}

// The same pages reach the printer's device context: the texts in 0.01 mm with the 5 mm font,
// a page each; a failing spooler is reported on the preview.
TEST_F(BookletPreview, PrinterGetsTheLayoutsTextsAndFailuresAreReportedOnThePreview) {
    app_session().settings.printer_selection_mode = 1;
    load_sample();
    ASSERT_NE(open_preview(), nullptr);
    const size_t pages = expected_pages();

    MetafilePrinter device;
    ASSERT_EQ(print_booklet(device), 1);
    const Recorded r = device.recorded();
    ASSERT_EQ(r.pages.size(), pages);
    EXPECT_EQ(r.pages[0][0], L"tindral-sample.brd - Top - Group 1 of " + std::to_wstring(pages));
    EXPECT_EQ(std::vector<std::wstring>(r.pages[0].begin() + 1, r.pages[0].begin() + 5),
              (std::vector<std::wstring>{L"Name", L"Value", L"Package", L"Amount"}));
    ASSERT_FALSE(r.map_modes.empty());
    EXPECT_EQ(r.map_modes.front(), MM_HIMETRIC);
    ASSERT_FALSE(r.font_heights.empty());
    EXPECT_EQ(r.font_heights.front(), booklet_paper_frame({210, 297}).text_height);
    EXPECT_TRUE(port_.boxes.empty());

    MemoryDcDevice failing;  // StartDoc fails
    EXPECT_EQ(print_booklet(failing), 0);
    EXPECT_EQ(port_.boxes, (Boxes{{Owner::booklet, L"StartDoc Error", L"Tindral Error", 0x10}}));
}

}  // namespace
}  // namespace tindral::test
