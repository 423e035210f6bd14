#include "shell/print_device_win.h"

#include <objbase.h>  // PRINTDLGEXW needs the COM declarations
#include <commdlg.h>
#include <winspool.h>

#include <vector>

#include "shell/app_win.h"
#include "shell/bom_window_win.h"

namespace tindral {

namespace {

void free_dialog_blocks(HGLOBAL dev_mode, HGLOBAL dev_names) {
    if (dev_mode) GlobalFree(dev_mode);
    if (dev_names) GlobalFree(dev_names);
}

// The printer's full name from the dialog's DEVNAMES; the device mode's copy is cut at 31
// characters, which would open no printer with a longer name.
std::wstring chosen_device(HGLOBAL dev_names, HGLOBAL dev_mode) {
    std::wstring name;
    if (dev_names) {
        if (auto* dn = static_cast<DEVNAMES*>(GlobalLock(dev_names))) {
            name = reinterpret_cast<const wchar_t*>(dn) + dn->wDeviceOffset;
            GlobalUnlock(dev_names);
        }
    }
    if (name.empty() && dev_mode) {
        if (auto* dm = static_cast<DEVMODEW*>(GlobalLock(dev_mode))) {
            name.assign(dm->dmDeviceName, wcsnlen(dm->dmDeviceName, CCHDEVICENAME - 1));
            GlobalUnlock(dev_mode);
        }
    }
    return name;
}

}  // namespace

WinPrintDevice::~WinPrintDevice() { release(); }

std::wstring WinPrintDevice::default_printer() {
    wchar_t buffer[255] = {};
    DWORD size = 255;
    return GetDefaultPrinterW(buffer, &size) ? std::wstring(buffer) : std::wstring();
}

PrintDialogChoice WinPrintDevice::print_dialog() {
    PRINTDLGEXW pd{};
    pd.lStructSize = sizeof(pd);
    pd.hwndOwner = dialog_owner_ ? dialog_owner_ : app_windows().hwnd_bom;
    pd.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION;
    pd.nStartPage = START_PAGE_GENERAL;
    PrintDialogChoice choice;
    if (FAILED(PrintDlgExW(&pd))) return choice;
    if (pd.hDC) DeleteDC(pd.hDC);
    switch (pd.dwResultAction) {
        case PD_RESULT_PRINT:
            choice.result = DialogResult::print;
            choice.to_file = (pd.Flags & PD_PRINTTOFILE) != 0;
            choice.device = chosen_device(pd.hDevNames, pd.hDevMode);
            break;
        case PD_RESULT_APPLY: choice.result = DialogResult::apply; break;
        default: choice.result = DialogResult::cancel; break;
    }
    free_dialog_blocks(pd.hDevMode, pd.hDevNames);
    return choice;
}

uint32_t WinPrintDevice::default_paper(PaperSize& paper) {
    PAGESETUPDLGW ps{};
    ps.lStructSize = sizeof(ps);
    ps.hwndOwner = dialog_owner_ ? dialog_owner_ : app_windows().hwnd_bom;
    ps.Flags = PSD_RETURNDEFAULT | PSD_INHUNDREDTHSOFMILLIMETERS;
    if (!PageSetupDlgW(&ps)) return CommDlgExtendedError();
    paper = {ps.ptPaperSize.x / 100, ps.ptPaperSize.y / 100};
    free_dialog_blocks(ps.hDevMode, ps.hDevNames);
    return 0;
}

bool WinPrintDevice::open_printer(const std::wstring& name) {
    name_ = name;
    return OpenPrinterW(name_.data(), &printer_, nullptr) && printer_;
}

bool WinPrintDevice::read_device_mode(DeviceModeInfo& info) {
    const LONG size = DocumentPropertiesW(nullptr, printer_, name_.data(), nullptr, nullptr, 0);
    if (size <= 0) return false;
    device_mode_block_ = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(size));
    if (!device_mode_block_) return false;
    device_mode_ = static_cast<DEVMODEW*>(GlobalLock(device_mode_block_));
    if (!device_mode_) return false;
    if (DocumentPropertiesW(nullptr, printer_, name_.data(), device_mode_, nullptr,
                            DM_OUT_BUFFER) <= 0)
        return false;
    const DEVMODEW& dm = *device_mode_;
    info.has_orientation = (dm.dmFields & DM_ORIENTATION) != 0;
    info.has_paper_size = (dm.dmFields & DM_PAPERSIZE) != 0;
    info.has_paper_width = (dm.dmFields & DM_PAPERWIDTH) != 0;
    info.has_paper_length = (dm.dmFields & DM_PAPERLENGTH) != 0;
    info.paper_size = dm.dmPaperSize;
    info.paper_width = dm.dmPaperWidth;
    info.paper_length = dm.dmPaperLength;
    return true;
}

bool WinPrintDevice::set_portrait() {
    device_mode_->dmOrientation = DMORIENT_PORTRAIT;
    return DocumentPropertiesW(nullptr, printer_, name_.data(), device_mode_, device_mode_,
                               DM_IN_BUFFER | DM_OUT_BUFFER) > 0;
}

bool WinPrintDevice::create_dc(const std::wstring& name) {
    dc_ = CreateDCW(L"WINSPOOL", name.c_str(), nullptr, device_mode_);
    return dc_ != nullptr;
}

bool WinPrintDevice::start_doc(const std::wstring& document, bool to_file) {
    DOCINFOW di{};
    di.cbSize = sizeof(di);
    di.lpszDocName = document.c_str();
    di.lpszOutput = to_file ? L"FILE:" : nullptr;
    doc_started_ = StartDocW(dc_, &di) > 0;
    return doc_started_;
}

bool WinPrintDevice::start_page() { return StartPage(dc_) > 0; }

bool WinPrintDevice::end_page() { return EndPage(dc_) > 0; }

bool WinPrintDevice::end_doc() {
    const bool ok = EndDoc(dc_) > 0;
    doc_started_ = !ok;  // a document that did not end is abandoned on release
    return ok;
}

Canvas& WinPrintDevice::begin_drawing() {
    AppWindows& w = app_windows();
    saved_.rop = SetROP2(dc_, R2_COPYPEN);
    saved_.map_mode = SetMapMode(dc_, MM_HIMETRIC);
    saved_.pen = SelectObject(dc_, w.pens.black.get());
    saved_.font = SelectObject(dc_, w.fonts.print.get());
    canvas_.emplace(dc_);
    return *canvas_;
}

void WinPrintDevice::end_drawing() {
    canvas_.reset();
    if (saved_.font) SelectObject(dc_, saved_.font);
    if (saved_.pen) SelectObject(dc_, saved_.pen);
    if (saved_.map_mode) SetMapMode(dc_, saved_.map_mode);
    if (saved_.rop) SetROP2(dc_, saved_.rop);
    saved_ = {};
}

void WinPrintDevice::release() {
    if (canvas_) end_drawing();
    if (dc_) {
        if (doc_started_) AbortDoc(dc_);
        else if (device_mode_) ResetDCW(dc_, device_mode_);
        DeleteDC(dc_);
    }
    if (printer_) ClosePrinter(printer_);
    if (device_mode_block_) {
        if (device_mode_) GlobalUnlock(device_mode_block_);
        GlobalFree(device_mode_block_);
    }
    dc_ = nullptr;
    printer_ = nullptr;
    device_mode_ = nullptr;
    device_mode_block_ = nullptr;
    doc_started_ = false;
}

int print_bom_list(PrintDevice& device) {
    AppWindows& w = app_windows();
    Session& session = app_session();
    wchar_t title[100] = {};
    if (w.static_date) GetWindowTextW(w.static_date, title, 100);
    std::vector<PrintRow> rows;
    for (const BomRow& r : shown_bom_rows())
        rows.push_back({bom_cell(r, 0), bom_cell(r, 1), bom_cell(r, 2), bom_cell(r, 3)});
    return print_component_list(device, session.settings, session.paper, title, rows);
}

int print_component_list() {
    WinPrintDevice device;
    return print_bom_list(device);
}

}  // namespace tindral
