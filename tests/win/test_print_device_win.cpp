// The printer side of printing under Wine: pages recorded into an enhanced metafile in place of
// a printer, and the failures that the real calls give without a printer.

#include <gtest/gtest.h>

#include <windows.h>
#include <winspool.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "board/load_board.h"
#include "lists/bom_rows.h"
#include "print/print_job.h"
#include "shell/app_win.h"
#include "shell/gdi_objects_win.h"
#include "shell/print_device_win.h"
#include "support/language_guard.h"
#include "support/recording_port.h"
#include "support/temp_folder.h"
#include "view/view_fixture.h"
#include "win/support/metafile_printer_win.h"
#include "win/support/test_printer_win.h"

namespace tindral::test {
namespace {

class PrinterSide : public ::testing::Test {
protected:
    PrinterSide() {
        create_fonts();
        create_pens_and_brushes();
        app_session().settings.printer_selection_mode = 1;
    }

    App app_;  // first made: its fonts and pens are made in the constructor
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
    Settings& settings = app_session().settings;
    LoadOptions options = load_options_from(settings, L"");
    options.open_reader = &open_platform_xml_reader;
    AnswerYes asker;
    const LoadResult loaded = load_board(board_of_values(85), options, asker);
    ASSERT_EQ(loaded.status.code, LoadCode::ok);
    const BoardModel& board = loaded.board;
    std::vector<PrintRow> rows;
    for (const BomRow& r : bom_rows(board))
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
    Settings& settings = app_session().settings;
    MemoryDcDevice device;
    EXPECT_EQ(print_component_list(device, settings, app_session().paper, L"t", {{L"a", L"b", L"c", L"1"}}), 0);
    EXPECT_EQ(port.boxes, (Boxes{{Owner::bom, L"StartDoc Error", L"Tindral Error", 0x10}}));
    EXPECT_EQ(device.started, 0);

    // Without any printer installed, the default printer cannot be opened.
    WinPrintDevice real;
    if (!real.default_printer().empty()) {
        GTEST_SKIP() << "a printer is installed";
    }
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
    Settings& settings = app_session().settings;
    if (!wine_unix_name()) {
        GTEST_SKIP() << "not under Wine";
    }
    TestPrinter printer;  // the dialog wants a printer to offer
    ASSERT_NE(printer.handle, nullptr);
    ASSERT_TRUE(SetDefaultPrinterW(kTestPrinter));

    EXPECT_EQ(print_through_dialog(IDCANCEL, {{L"a", L"b", L"c", L"1"}}), 0);
    EXPECT_EQ(g_dialogs_answered, 1);
    EXPECT_TRUE(port.boxes.empty());
    EXPECT_TRUE(settings.printer_name.empty());
    EXPECT_TRUE(TempFolder::read(printer.out).empty());

    // Print: a real job through Wine's PostScript driver into the port's file. The chosen printer
    // is kept and the driver's A4 (595 x 842 points) is the paper.
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

}  // namespace
}  // namespace tindral::test
