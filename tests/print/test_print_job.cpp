// A print job from printer choice to the last page, with the printing system answered by a fake.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "print/print_job.h"
#include "settings/memory_store.h"
#include "settings/settings.h"
#include "support/language_guard.h"
#include "support/recording_canvas.h"
#include "support/recording_port.h"
#include "support/store_guard.h"

using namespace tindral;
using test::Boxes;

namespace {

// Records the calls in order; the step named in fail_at answers with a failure.
class FakeDevice : public PrintDevice {
public:
    std::wstring default_printer() override { return log("default"), default_name; }
    PrintDialogChoice print_dialog() override { return log("dialog"), choice; }
    uint32_t default_paper(PaperSize& paper) override {
        log("page setup");
        if (!setup_error) paper = setup_paper;
        return setup_error;
    }
    bool open_printer(const std::wstring& name) override { opened = name; return step("open"); }
    bool read_device_mode(DeviceModeInfo& out) override { out = info; return step("devmode"); }
    bool set_portrait() override { return step("portrait"); }
    bool create_dc(const std::wstring&) override { return step("dc"); }
    bool start_doc(const std::wstring& doc, bool file) override {
        document = doc, to_file = file;
        return step("doc");
    }
    bool start_page() override { return step(++started > 1 ? "next page" : "page"); }
    bool end_page() override { return step("end page"); }
    bool end_doc() override { return step("end doc"); }
    Canvas& begin_drawing() override { return log("draw"), canvas; }
    void end_drawing() override { log("end draw"); }
    void release() override { log("release"); }

    int count(const std::string& s) const {
        int n = 0;
        for (const std::string& c : calls) n += c == s;
        return n;
    }

    std::wstring default_name = L"Default Printer";
    PrintDialogChoice choice{DialogResult::print, L"Chosen Printer", false};
    PaperSize setup_paper{210, 297};
    uint32_t setup_error = 0;
    DeviceModeInfo info{true, true, false, false, 9, 0, 0};  // A4 portrait
    std::string fail_at;

    std::vector<std::string> calls;
    std::wstring opened, document;
    bool to_file = false;
    int started = 0;
    test::RecordingCanvas canvas;

private:
    void log(const char* s) { calls.emplace_back(s); }
    bool step(const char* s) {
        log(s);
        return fail_at != s;
    }
};

std::vector<PrintRow> rows(int n) {
    std::vector<PrintRow> out;
    for (int i = 0; i < n; ++i) out.push_back({L"lib", L"pkg" + std::to_wstring(i), L"10k", L"1"});
    return out;
}

class PrintJob : public ::testing::Test {
protected:
    int print(int n = 3) { return print_component_list(device, settings, paper, L"07.12.2026  01:30", rows(n)); }

    MemoryStore store;
    test::StoreGuard store_guard{&store};
    Settings settings;
    PaperSize paper;
    test::TextLanguage english{1};
    test::RecordingPort port;
    FakeDevice device;
};

TEST_F(PrintJob, DialogCancelApplyAndFailureStopBeforeAnyPrinterIsOpened) {
    device.choice.result = DialogResult::cancel;
    EXPECT_EQ(print(), 0);
    device.choice.result = DialogResult::apply;
    EXPECT_EQ(print(), 1);
    EXPECT_TRUE(port.boxes.empty());
    EXPECT_EQ(device.calls, (std::vector<std::string>{"dialog", "dialog"}));
    EXPECT_TRUE(store.writes.empty());

    device.choice.result = DialogResult::failed;
    EXPECT_EQ(print(), 0);
    EXPECT_EQ(port.boxes,
              (Boxes{{Owner::bom, L"Couldn't open Printer Dialog\nPrinter offline?", L"Tindral Error", 0x10}}));
    EXPECT_EQ(device.count("open"), 0);
}

TEST_F(PrintJob, ChosenPrinterIsStoredAndEveryPageIsStartedDrawnAndEnded) {
    device.choice.to_file = true;
    ASSERT_EQ(print(100), 1);
    EXPECT_TRUE(port.boxes.empty());
    EXPECT_EQ(device.opened, L"Chosen Printer");
    EXPECT_EQ(settings.printer_name, L"Chosen Printer");
    EXPECT_EQ(store.string(L"Printer Name"), L"Chosen Printer");
    EXPECT_EQ(device.document, L"TindralPrint");
    EXPECT_TRUE(device.to_file);

    // 42 + 42 + 16 rows on A4; each page has 5 header texts and a footer.
    EXPECT_EQ(device.started, 3);
    EXPECT_EQ(device.count("end page"), 3);
    EXPECT_EQ(device.canvas.count(test::CallKind::text), 100u * 4 + 3 * 6);
    EXPECT_EQ(device.canvas.of(test::CallKind::text).back().text, L"Page  -3-");
    EXPECT_EQ(device.calls.back(), "release");
    EXPECT_EQ(device.calls[device.calls.size() - 2], "end doc");
}

TEST_F(PrintJob, PageSetupFailureIsReportedWithoutOwnerAndPrintingGoesOn) {
    device.setup_error = 0x1008;
    ASSERT_EQ(print(), 1);
    EXPECT_EQ(port.boxes, (Boxes{{Owner::none, L"PageSetupDlg PDERR_NODEFAULTPRN", L"Tindral Error",
                                  mb::task_modal | mb::icon_hand}}));
    EXPECT_EQ(common_dialog_error_text(L"PageSetupDlg", 0x1234), L"PageSetupDlg unknown error nmb:4660");
    EXPECT_EQ(common_dialog_error_text(L"PageSetupDlg", 2), L"PageSetupDlg CDERR_INITIALIZITATION");
}

TEST_F(PrintJob, ModesPickTheDefaultOrTheLastPrinterWithoutADialog) {
    settings.printer_selection_mode = 3;
    ASSERT_EQ(print(), 1);
    EXPECT_EQ(device.opened, L"Default Printer");  // no stored name yet
    settings.printer_name = L"Last One";
    ASSERT_EQ(print(), 1);
    EXPECT_EQ(device.opened, L"Last One");
    settings.printer_selection_mode = 1;
    ASSERT_EQ(print(), 1);
    EXPECT_EQ(device.opened, L"Default Printer");
    EXPECT_EQ(device.count("dialog"), 0);
    EXPECT_TRUE(store.writes.empty());

    // No printer installed: nothing to open.
    device.calls.clear();
    device.default_name.clear();
    EXPECT_EQ(print(), 0);
    ASSERT_EQ(port.boxes.size(), 1u);
    EXPECT_EQ(port.boxes[0].text, L"Error at \"OpenPrinter\"");
    EXPECT_EQ(device.count("open"), 0);

    device.calls.clear();
    settings.printer_selection_mode = 4;
    EXPECT_EQ(print(), 0);
    EXPECT_TRUE(device.calls.empty());
}

TEST_F(PrintJob, EachFailingStepIsReportedAndTheDeviceReleased) {
    struct Case {
        const char* step;
        const wchar_t* text;
        unsigned flags;
    };
    const Case cases[] = {
        {"open", L"Error at \"OpenPrinter\"", 0x10},
        {"devmode", L"Error at \"DocumentProperties\"", 0x10},
        {"portrait", L"Error at \"DocumentProperties\"", 0x10},
        {"dc", L"Error at \"CreateDC\"", 0x10},
        {"doc", L"StartDoc Error", 0x10},
        {"page", L"StartPage Error", mb::task_modal | mb::topmost | mb::icon_hand},
        {"next page", L"StartPage Error", mb::task_modal | mb::topmost | mb::icon_hand},
        {"end page", L"EndPage Error", 0x10},
        {"end doc", L"EndDoc Error", 0x10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.step);
        port.boxes.clear();
        device.calls.clear();
        device.started = 0;
        device.fail_at = c.step;
        EXPECT_EQ(print(50), 0);
        EXPECT_EQ(port.boxes, (Boxes{{Owner::bom, c.text, L"Tindral Error", c.flags}}));
        EXPECT_EQ(device.calls.back(), "release");
        // Drawing that began is ended before the device goes.
        EXPECT_EQ(device.count("draw"), device.count("end draw"));
        if (std::string(c.step) != "end doc") {
            EXPECT_EQ(device.count("end doc"), 0);
        }
    }
}

TEST_F(PrintJob, PaperSizeComesFromTheDeviceModeOrAnEarlierJob) {
    PaperSize p;
    apply_device_mode_paper({false, true, false, false, 1, 0, 0}, p);
    EXPECT_EQ(p.width_mm * 1000 + p.height_mm, 215279);
    apply_device_mode_paper({false, true, false, false, 8, 0, 0}, p);  // A3: not known by code
    EXPECT_EQ(p.width_mm * 1000 + p.height_mm, 215279);
    apply_device_mode_paper({false, true, true, false, 9, 1480, 0}, p);  // width wins, A4 height
    EXPECT_EQ(p.width_mm * 1000 + p.height_mm, 148297);
    apply_device_mode_paper({false, false, true, true, 0, 1000, 1500}, p);
    EXPECT_EQ(p.width_mm * 1000 + p.height_mm, 100150);

    // First job in mode 1 on a printer that names no paper: stopped before the document.
    settings.printer_selection_mode = 1;
    device.info = {};
    EXPECT_EQ(print(), 0);
    ASSERT_EQ(port.boxes.size(), 1u);
    EXPECT_EQ(port.boxes[0].text, L"UNable to determine papersize");
    EXPECT_EQ(device.count("doc"), 0);

    // Mode 2's page-setup query gives the size; the next job in mode 1 keeps it.
    settings.printer_selection_mode = 2;
    device.setup_paper = {215, 279};
    ASSERT_EQ(print(60), 1);
    settings.printer_selection_mode = 1;
    device.started = 0;
    ASSERT_EQ(print(60), 1);
    EXPECT_EQ(device.started, 2);  // 279 mm hold 39 rows a page
}

}  // namespace
