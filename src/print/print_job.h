#pragma once
// One print job of the component list: choosing the printer by the "Printer selection mode",
// opening it, finding the paper size, and starting, drawing and ending the pages. The printing
// system sits behind PrintDevice so that the order of the steps and every failure report exist
// once, and tests can answer the dialogs and the spooler.

#include <cstdint>
#include <string>
#include <vector>

#include "print/print_layout.h"
#include "text/messages.h"

namespace tindral {

class Canvas;

// What the printer's device mode says about orientation and paper.
struct DeviceModeInfo {
    bool has_orientation = false;
    bool has_paper_size = false;
    bool has_paper_width = false;
    bool has_paper_length = false;
    int32_t paper_size = 0;    // DMPAPER_* code
    int32_t paper_width = 0;   // 0.1 mm
    int32_t paper_length = 0;  // 0.1 mm
};

enum class DialogResult { failed, cancel, apply, print };

struct PrintDialogChoice {
    DialogResult result = DialogResult::failed;
    std::wstring device;   // the chosen printer's name
    bool to_file = false;  // "Print to file" was ticked
};

struct PaperSize {
    int32_t width_mm = 0;
    int32_t height_mm = 0;
};

class PrintDevice {
public:
    virtual ~PrintDevice() = default;

    // The system's default printer; empty when there is none.
    virtual std::wstring default_printer() = 0;
    // The print dialog, owned by the BOM window.
    virtual PrintDialogChoice print_dialog() = 0;
    // The page-setup dialog's default paper, asked without showing it. Returns 0, or the common
    // dialog library's extended error.
    virtual uint32_t default_paper(PaperSize& paper) = 0;

    // Each of these returns false on failure. The device keeps what it acquired until release().
    virtual bool open_printer(const std::wstring& name) = 0;
    virtual bool read_device_mode(DeviceModeInfo& info) = 0;
    virtual bool set_portrait() = 0;
    virtual bool create_dc(const std::wstring& name) = 0;
    virtual bool start_doc(const std::wstring& document, bool to_file) = 0;
    virtual bool start_page() = 0;
    virtual bool end_page() = 0;
    virtual bool end_doc() = 0;

    // The canvas of the device context, prepared for the pages (0.01 mm units, print font, black
    // pen); end_drawing gives the context its previous state back.
    virtual Canvas& begin_drawing() = 0;
    virtual void end_drawing() = 0;

    // Gives back everything acquired; a started document that was not ended is abandoned.
    virtual void release() = 0;
};

// The paper size after a device mode: Letter and A4 by their codes, then the explicit width
// and length (0.1 mm) where the device mode carries them; everything else keeps paper as it was.
void apply_device_mode_paper(const DeviceModeInfo& info, PaperSize& paper);

// The text shown for a common dialog extended error (0 has none), with the failed operation's
// name in front.
std::wstring common_dialog_error_text(const wchar_t* operation, uint32_t code);

// Shows the text for the common dialog library's last error; returns 1 when code is 0, else 0.
int report_common_dialog_error(uint32_t code);

// What a print job prints: laid out once the paper is known, then drawn page by page onto the
// canvas the device prepared (0.01 mm, y upwards, the page's top edge at 0).
class PrintPages {
public:
    virtual ~PrintPages() = default;
    // Returns the number of pages.
    virtual size_t lay_out(const PaperSize& paper) = 0;
    virtual void draw(Canvas& canvas, size_t page, const PaperSize& paper) = 0;
};

struct PrintJobInfo {
    std::wstring document;  // the spooler's name of the job
    Owner owner;            // the window whose boxes report the failures
};

// Chooses the printer by s as below, opens it and prints the pages; every failure is reported
// with the job's owner. Returns as print_component_list does.
int print_pages(PrintDevice& device, Settings& s, PaperSize& paper, const PrintJobInfo& job,
                PrintPages& pages);

// Prints the list with its title through the device, choosing the printer and laying out the
// pages by s; a printer chosen in the dialog is kept in s and stored at once. paper is what the
// jobs before found out about the paper (unknown at first); this job updates it. Returns 1 when a
// job was printed or the print dialog ended with its apply result, 0 otherwise; every failure
// has been reported.
int print_component_list(PrintDevice& device, Settings& s, PaperSize& paper,
                         const std::wstring& title, const std::vector<PrintRow>& rows);

}  // namespace tindral
