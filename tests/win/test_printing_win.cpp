// Printing under Wine: BOM and booklet into a metafile for a printer, real jobs through Wine's
// PostScript driver, the real calls' failures, and the booklet's preview used with real clicks.

#include <gtest/gtest.h>

#include <windows.h>
#include <winspool.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "board/load_board.h"
#include "board/xml_reader.h"
#include "lists/bom_rows.h"
#include "print/booklet_print.h"
#include "print/print_job.h"
#include "shell/booklet_window_win.h"
#include "shell/language_win.h"
#include "support/temp_folder.h"
#include "win/support/app_windows_win.h"
#include "win/support/metafile_printer_win.h"

namespace tindral::test {
namespace {

// A minimal PostScript printer description of our own for Wine's PostScript driver.
constexpr char kPrinterDescription[] =
    "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*LanguageVersion: English\n"
    "*LanguageEncoding: ISOLatin1\n*Manufacturer: \"Test\"\n*ModelName: \"Test PS\"\n"
    "*NickName: \"Test PS\"\n*PSVersion: \"(3010.000) 0\"\n*LanguageLevel: \"3\"\n"
    "*ColorDevice: False\n*DefaultColorSpace: Gray\n*TTRasterizer: Type42\n"
    "*DefaultResolution: 300dpi\n*OpenUI *PageSize/Page Size: PickOne\n*DefaultPageSize: A4\n"
    "*PageSize A4/A4: \"<</PageSize[595 842]>>setpagedevice\"\n*CloseUI: *PageSize\n"
    "*DefaultImageableArea: A4\n*ImageableArea A4/A4: \"18 18 577 824\"\n"
    "*DefaultPaperDimension: A4\n*PaperDimension A4/A4: \"595 842\"\n";

constexpr const wchar_t* kTestPrinter = L"Tindral Test PS";

using UnixName = char*(CDECL*)(const wchar_t*);

UnixName wine_unix_name() {
    return reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
}

// A PostScript printer in the Wine prefix, made the default one: Wine spools a printer whose
// port is a Unix path into that file, so a real job needs no dialog. Removed again at the end.
struct TestPrinter {
    TestPrinter() {
        const UnixName unix_name = wine_unix_name();
        wchar_t dir[MAX_PATH] = {};
        DWORD n = 0;
        BYTE* const into = reinterpret_cast<BYTE*>(dir);
        if (!unix_name || !GetPrinterDriverDirectoryW(nullptr, nullptr, 1, into, sizeof dir, &n))
            return;
        const std::filesystem::path ppd = std::wstring(dir) + L"\\tindral-test.ppd";
        if (!(std::ofstream(ppd, std::ios::binary) << kPrinterDescription)) return;
        DRIVER_INFO_3W driver{};
        driver.cVersion = 3;
        driver.pName = const_cast<wchar_t*>(L"Wine PostScript Driver");
        driver.pDriverPath = const_cast<wchar_t*>(L"wineps.drv");
        driver.pDataFile = const_cast<wchar_t*>(L"tindral-test.ppd");
        driver.pConfigFile = const_cast<wchar_t*>(L"wineps.drv");
        if (!AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&driver), APD_COPY_NEW_FILES)) return;

        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        out = std::wstring(temp) + L"tindral-print.ps";
        DeleteFileW(out.c_str());
        char* unix_out = unix_name(out.c_str());
        if (!unix_out) return;
        const std::wstring port(unix_out, unix_out + strlen(unix_out));
        HeapFree(GetProcessHeap(), 0, unix_out);

        PRINTER_INFO_2W info{};
        info.pPrinterName = const_cast<wchar_t*>(kTestPrinter);
        info.pPortName = const_cast<wchar_t*>(port.c_str());
        info.pDriverName = driver.pName;
        info.pPrintProcessor = const_cast<wchar_t*>(L"WinPrint");
        info.pDatatype = const_cast<wchar_t*>(L"RAW");
        handle = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&info));
        if (handle) made_default = SetDefaultPrinterW(kTestPrinter);
    }
    ~TestPrinter() {
        if (handle) {
            DeletePrinter(handle);
            ClosePrinter(handle);
        }
        if (!out.empty()) DeleteFileW(out.c_str());
    }
    TestPrinter(const TestPrinter&) = delete;
    TestPrinter& operator=(const TestPrinter&) = delete;

    HANDLE handle = nullptr;
    bool made_default = false;
    std::wstring out;
};

class PrinterSide : public ::testing::Test {
protected:
    PrinterSide() {
        create_fonts();
        create_pens_and_brushes();
        app_session().settings.printer_selection_mode = 1;
    }

    App app_;  // first made: its fonts and pens are made in the constructor
    Settings& settings = app_session().settings;
    RecordingPort port;
};

// A board of n resistors in one package, each of its own value: n rows in the bill of materials.
std::string board_of_values(int n) {
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE eagle SYSTEM \"eagle.dtd\">\n"
        "<eagle version=\"7.2.0\"><drawing><board><plain/><libraries><library name=\"lib\"><packages>"
        "<package name=\"R0603\"><wire x1=\"-0.8\" y1=\"0\" x2=\"0.8\" y2=\"0\" width=\"0.1\" "
        "layer=\"21\"/></package></packages></library></libraries><elements>\n";
    for (int i = 1; i <= n; ++i)
        xml += "<element name=\"R" + std::to_string(i) + "\" library=\"lib\" package=\"R0603\" value=\"" +
               std::to_string(i) + "k\" x=\"" + std::to_string(i * 3) + "\" y=\"0\"/>\n";
    return xml + "</elements></board></drawing></eagle>\n";
}

TEST_F(PrinterSide, BomIsDrawnPageByPageInHundredthsOfAMillimetre) {
    LoadOptions options = load_options_from(settings, L"");
    options.open_reader = &open_platform_xml_reader;
    AnswerYes asker;
    const LoadResult loaded = load_board(board_of_values(85), options, asker);
    ASSERT_EQ(loaded.status.code, LoadCode::ok);
    std::vector<PrintRow> rows;
    for (const BomRow& r : bom_rows(loaded.board))
        rows.push_back({bom_cell(r, 0), bom_cell(r, 1), bom_cell(r, 2), bom_cell(r, 3)});
    ASSERT_EQ(rows.size(), 85u);  // 42 rows to an A4 page: two full pages and one row on a third

    MetafilePrinter device;
    ASSERT_EQ(print_component_list(device, settings, app_session().paper, L"07.12.2026  01:30", rows), 1);
    EXPECT_TRUE(port.boxes.empty());

    const Recorded r = device.recorded();
    const size_t pages = 3;
    ASSERT_EQ(r.pages.size(), pages);
    EXPECT_EQ(device.started, static_cast<int>(pages));
    size_t texts = 0;
    for (const auto& p : r.pages) texts += p.size();
    EXPECT_EQ(texts, rows.size() * 4 + pages * 6);
    EXPECT_EQ(r.pages.back().size(), 4u + 6u);  // the 85th row alone
    EXPECT_EQ(r.pages[0][0], L"07.12.2026  01:30");
    EXPECT_EQ(r.pages[0][1], L"Library");
    EXPECT_EQ(r.pages[0][5], rows[0][0]);
    EXPECT_EQ(r.pages.back().back(), L"Page  -" + std::to_wstring(pages) + L"-");
    // MM_HIMETRIC while drawing, the previous mode afterwards; the 5 mm print font.
    ASSERT_GE(r.map_modes.size(), 2u);
    EXPECT_EQ(r.map_modes.front(), MM_HIMETRIC);
    EXPECT_EQ(r.map_modes.back(), MM_TEXT);
    ASSERT_FALSE(r.font_heights.empty());
    EXPECT_EQ(r.font_heights.front(), 500);
}

TEST_F(PrinterSide, RealFailuresAreReportedToTheBomWindow) {
    MemoryDcDevice device;
    EXPECT_EQ(print_component_list(device, settings, app_session().paper, L"t", {{L"a", L"b", L"c", L"1"}}), 0);
    EXPECT_EQ(port.boxes, (Boxes{{Owner::bom, L"StartDoc Error", L"Tindral Error", 0x10}}));
    EXPECT_EQ(device.started, 0);

    // Without any printer installed, the default printer cannot be opened.
    WinPrintDevice real;
    if (!real.default_printer().empty()) GTEST_SKIP() << "a printer is installed";
    port.boxes.clear();
    EXPECT_EQ(print_component_list(real, settings, app_session().paper, L"t", {}), 0);
    EXPECT_EQ(port.boxes, (Boxes{{Owner::bom, L"Error at \"OpenPrinter\"", L"Tindral Error", 0x10}}));
}

// Answers every dialog that becomes active on this thread with one button.
HHOOK g_dialog_hook = nullptr;
WPARAM g_dialog_button = IDCANCEL;
int g_dialogs_answered = 0;
LRESULT CALLBACK answer_dialog(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HCBT_ACTIVATE) {
        wchar_t cls[16] = {};
        GetClassNameW(reinterpret_cast<HWND>(wparam), cls, 16);
        if (std::wstring(cls) == L"#32770") {
            ++g_dialogs_answered;
            PostMessageW(reinterpret_cast<HWND>(wparam), WM_COMMAND, g_dialog_button, 0);
        }
    }
    return CallNextHookEx(g_dialog_hook, code, wparam, lparam);
}

// The print dialog of mode 2, owned by a stand-in BOM window, answered with one button.
int print_through_dialog(WPARAM button, const std::vector<PrintRow>& rows) {
    app_session().settings.printer_selection_mode = 2;
    HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    const HWND saved_bom = app_windows().hwnd_bom;
    app_windows().hwnd_bom = owner;
    g_dialog_button = button;
    g_dialogs_answered = 0;
    g_dialog_hook = SetWindowsHookExW(WH_CBT, answer_dialog, nullptr, GetCurrentThreadId());
    int result = -1;
    {
        WinPrintDevice device;
        result = print_component_list(device, app_session().settings, app_session().paper, L"t", rows);
    }
    UnhookWindowsHookEx(g_dialog_hook);
    app_windows().hwnd_bom = saved_bom;
    DestroyWindow(owner);
    return result;
}

TEST_F(PrinterSide, PrintDialogCancelledOrConfirmed) {
    if (!wine_unix_name()) GTEST_SKIP() << "not under Wine";
    TestPrinter printer;  // the dialog wants a printer to offer
    ASSERT_TRUE(printer.made_default);

    EXPECT_EQ(print_through_dialog(IDCANCEL, {{L"a", L"b", L"c", L"1"}}), 0);
    EXPECT_EQ(g_dialogs_answered, 1);
    EXPECT_TRUE(port.boxes.empty());
    EXPECT_TRUE(settings.printer_name.empty());
    EXPECT_TRUE(TempFolder::read(printer.out).empty());

    // Print: a real job into the port's file. The chosen printer is kept and the driver's A4
    // (595 x 842 points) is the paper.
    EXPECT_EQ(print_through_dialog(IDOK, std::vector<PrintRow>(100, PrintRow{L"l", L"p", L"v", L"1"})), 1);
    EXPECT_TRUE(port.boxes.empty());
    EXPECT_EQ(settings.printer_name, kTestPrinter);
    EXPECT_NEAR(app_session().paper.width_mm, 210, 1);
    EXPECT_EQ(app_session().paper.height_mm, 297);
    const std::string ps = TempFolder::read(printer.out);
    EXPECT_NE(ps.find("%%Title: TindralPrint"), std::string::npos);
    EXPECT_NE(ps.find("%%Pages: 3"), std::string::npos);  // 42 + 42 + 16 rows
    EXPECT_NE(ps.find("%%Orientation: Portrait"), std::string::npos);
}

// Real clicks on the menu bar's pop-up and, from a second thread during the menu's loop, its item.
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

// A real click on a control of the preview, and the time to act on it.
bool click_control(HWND parent, int id) {
    HWND control = GetDlgItem(parent, id);
    RECT r{};
    const bool clicked = control && GetClientRect(control, &r) && click_middle(control, r);
    pump_for(300);
    return clicked;
}

class BookletPreview : public MenuWindowsTest {
protected:
    BookletPreview() {
        // The booklet's entry where the resources put it: after Save selection.
        HMENU file = GetSubMenu(main_menu_, 0);
        InsertMenuW(file, 2, MF_BYPOSITION | MF_STRING, IDM_PRINT_BOOKLET, L"-");
        places_.main = {0, 0, 700, 500};
    }

    void SetUp() override {
        MenuWindowsTest::SetUp();
        set_menu_texts();
        ShowWindow(app_windows().hwnd_main, SW_SHOW);
        SetForegroundWindow(app_windows().hwnd_main);
        pump_for(200);
    }

    void TearDown() override {
        if (app_windows().hwnd_booklet) DestroyWindow(app_windows().hwnd_booklet);
        MenuWindowsTest::TearDown();
    }

    // The sample board loaded and the preview opened through the menu, above everything else.
    HWND open_preview() {
        load_painted();
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
    HWND preview = open_preview();
    ASSERT_NE(preview, nullptr);
    const size_t pages = expected_pages();
    ASSERT_GE(pages, 3u);
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
    EXPECT_EQ(booklet_position().page, 1u);
    EXPECT_EQ(window_text(GetDlgItem(preview, IDC_BOOKLET_PAGE)), L"2 / " + std::to_wstring(pages));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(preview, IDC_BOOKLET_PREVIOUS)));
    const std::set<int> red_second = screen_shot(preview).where(red);
    EXPECT_GT(red_second.size(), 20u);
    EXPECT_NE(red_second, red_first);  // another group is highlighted

    ASSERT_TRUE(click_control(preview, IDC_BOOKLET_PREVIOUS));
    EXPECT_EQ(booklet_position().page, 0u);
    EXPECT_EQ(screen_shot(preview).where(red), red_first);

    ASSERT_TRUE(click_control(preview, IDC_BOOKLET_CLOSE));
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
    if (!wine_unix_name()) GTEST_SKIP() << "not under Wine";
    TestPrinter printer;
    ASSERT_TRUE(printer.made_default);
    app_session().settings.printer_selection_mode = 1;  // the default printer, no dialog
    HWND preview = open_preview();
    ASSERT_NE(preview, nullptr);

    ASSERT_TRUE(click_control(preview, IDC_BOOKLET_PRINT));
    pump_for(200);
    EXPECT_TRUE(port_.boxes.empty());
    const std::string ps = TempFolder::read(printer.out);
    EXPECT_NE(ps.find("%%Title: TindralBooklet"), std::string::npos);
    EXPECT_NE(ps.find("%%Pages: " + std::to_string(expected_pages())), std::string::npos);
    EXPECT_NE(ps.find("%%Orientation: Portrait"), std::string::npos);
}

// The pages in the printer's context (0.01 mm, 5 mm font); a failing spooler told on the preview.
TEST_F(BookletPreview, PrinterGetsTheLayoutsTextsAndFailuresAreReportedOnThePreview) {
    app_session().settings.printer_selection_mode = 1;
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
