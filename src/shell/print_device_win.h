#pragma once
// The printing system behind PrintDevice: common dialogs, the spooler and a printer device
// context. Every call is virtual so that a test can answer one of them itself (a dialog, a
// printer that fails) and keep the real handling of the rest.

#include <windows.h>

#include <optional>
#include <string>

#include "platform/win/gdi_canvas_win.h"
#include "print/print_job.h"

namespace tindral {

class WinPrintDevice : public PrintDevice {
public:
    WinPrintDevice() = default;
    ~WinPrintDevice() override;
    WinPrintDevice(const WinPrintDevice&) = delete;
    WinPrintDevice& operator=(const WinPrintDevice&) = delete;

    std::wstring default_printer() override;
    PrintDialogChoice print_dialog() override;
    uint32_t default_paper(PaperSize& paper) override;
    bool open_printer(const std::wstring& name) override;
    bool read_device_mode(DeviceModeInfo& info) override;
    bool set_portrait() override;
    bool create_dc(const std::wstring& name) override;
    bool start_doc(const std::wstring& document, bool to_file) override;
    bool start_page() override;
    bool end_page() override;
    bool end_doc() override;
    Canvas& begin_drawing() override;
    void end_drawing() override;
    void release() override;

    // The window that owns the print dialogs; without one the BOM window does.
    void set_dialog_owner(HWND owner) { dialog_owner_ = owner; }

protected:
    HDC dc_ = nullptr;
    DEVMODEW* device_mode_ = nullptr;  // locked while the job runs

private:
    HANDLE printer_ = nullptr;
    HGLOBAL device_mode_block_ = nullptr;
    std::wstring name_;
    bool doc_started_ = false;
    HWND dialog_owner_ = nullptr;

    struct Saved {
        int rop, map_mode;
        HGDIOBJ pen, font;
    };
    Saved saved_{};
    std::optional<GdiCanvas> canvas_;
};

// The BOM window's rows and date line printed through the device.
int print_bom_list(PrintDevice& device);

// The BOM window's Print button: prints the list on the printer the "Printer selection mode"
// names. Returns 1 when a job was printed (or the print dialog was left with Apply), else 0;
// failures have been reported.
int print_component_list();

}  // namespace tindral
