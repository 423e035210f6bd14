#include "print/print_job.h"

#include "lists/list_columns.h"
#include "settings/registry_settings.h"
#include "settings/settings_table.h"
#include "text/format.h"
#include "text/lang.h"
#include "text/messages.h"

namespace tindral {

namespace {

constexpr const wchar_t* kDocumentName = L"TindralPrint";
constexpr int32_t kPaperLetter = 1;
constexpr int32_t kPaperA4 = 9;

struct DialogError {
    uint32_t code;
    const wchar_t* format;
};

constexpr DialogError kDialogErrors[] = {
    {0xFFFF, L"%s CDERR_DIALOGFAILURE"},     {1, L"%s CDERR_STRUCTSIZE"},
    {2, L"%s CDERR_INITIALIZITATION"},        {3, L"%s CDERR_NOTEMPLATE"},
    {4, L"%s CDERR_NOHINSTANCE"},             {5, L"%s CDERR_LOADSTRFAILURE"},
    {6, L"%s CDERR_FINDRESFAILURE"},          {7, L"%s CDERR_LOADRESFAILURE"},
    {8, L"%s CDERR_LOCKRESFAILURE"},          {9, L"%s CDERR_MEMALLOCFAILURE"},
    {10, L"%s CDERR_MEMLOCKFAILURE"},         {11, L"%s CDERR_NOHOOK"},
    {12, L"%s CDERR_REGISTERMSGFAIL"},        {0x1001, L"%s PDERR_SETUPFAILURE"},
    {0x1002, L"%s PDERR_PARSEFAILURE"},       {0x1003, L"%s PDERR_RETDEFFAILURE"},
    {0x1004, L"%s PDERR_LOADDRVFAILURE"},     {0x1005, L"%s PDERR_GETDEVMODEFAIL"},
    {0x1006, L"%s PDERR_INITFAILURE"},        {0x1007, L"%s PDERR_NODEVICES"},
    {0x1008, L"%s PDERR_NODEFAULTPRN"},       {0x1009, L"%s PDERR_DNDMMISMATCH"},
    {0x100A, L"%s PDERR_CREATEICFAILURE"},    {0x100B, L"%s PDERR_PRINTERNOTFOUND"},
    {0x100C, L"%s PDERR_DEFAULTDIFFERENT"},
};

int fail(Owner owner, TextKey key, unsigned flags = mb::icon_hand) {
    show_error(owner, key, flags);
    return 0;
}

// A failed StartPage alone is task-modal and topmost.
constexpr unsigned kStartPageFlags = mb::task_modal | mb::topmost | mb::icon_hand;

// The chosen printer is kept at once, so a crash later does not lose it.
void store_printer_name(Settings& s, const std::wstring& name) {
    s.printer_name = name.substr(0, kMaxPathChars);
    const SettingDesc* row = find_setting(L"Printer Name");
    if (!row) return;
    const StoreKey key = open_reg_key();
    if (!key) return;
    put_registry(key, stored_length(*row, s), *row, s);
    close_reg_key(key);
}

PrintRow column_titles() {
    PrintRow titles;
    for (int c = 0; c < kBomListColumnCount; ++c) titles[c] = text(kBomListColumns[c].title);
    return titles;
}

// The component list's pages, laid out for the paper of the job.
class ListPages : public PrintPages {
public:
    ListPages(const Settings& s, const std::wstring& title, const std::vector<PrintRow>& rows)
        : settings_(s), title_(title), rows_(rows) {}
    size_t lay_out(const PaperSize& paper) override {
        pages_ = layout_print_pages(title_.substr(0, 99), column_titles(), rows_,
                                    print_geometry(settings_, paper.width_mm, paper.height_mm));
        return pages_.size();
    }
    void draw(Canvas& canvas, size_t page, const PaperSize&) override {
        draw_print_page(canvas, pages_[page]);
    }

private:
    const Settings& settings_;
    const std::wstring& title_;
    const std::vector<PrintRow>& rows_;
    std::vector<PrintPage> pages_;
};

// Steps 2 to 8 once the printer's name is known; the caller releases the device.
int print_on(PrintDevice& d, PaperSize& paper, const std::wstring& name, bool to_file,
             const PrintJobInfo& job, PrintPages& source) {
    const Owner owner = job.owner;
    // An empty name would open the print server instead of a printer.
    if (name.empty() || !d.open_printer(name)) return fail(owner, TXT_ERR_OPENPRINTER);
    DeviceModeInfo info;
    if (!d.read_device_mode(info)) return fail(owner, TXT_ERR_DOCUMENTPROPERTIES);
    if (info.has_orientation && !d.set_portrait()) return fail(owner, TXT_ERR_DOCUMENTPROPERTIES);
    if (!d.create_dc(name)) return fail(owner, TXT_ERR_CREATEDC);

    apply_device_mode_paper(info, paper);
    // Without a height every row would fill a page of its own.
    if (paper.width_mm <= 0 || paper.height_mm <= 0) return fail(owner, TXT_ERR_PAPER_SIZE);

    if (!d.start_doc(job.document, to_file)) return fail(owner, TXT_ERR_STARTDOC);
    if (!d.start_page()) return fail(owner, TXT_ERR_STARTPAGE, kStartPageFlags);

    const size_t pages = source.lay_out(paper);
    Canvas& canvas = d.begin_drawing();
    TextKey failure = TXT_COUNT;
    for (size_t p = 0; p < pages; ++p) {
        if (p > 0 && !d.start_page()) {
            failure = TXT_ERR_STARTPAGE;
            break;
        }
        source.draw(canvas, p, paper);
        if (!d.end_page()) {
            failure = TXT_ERR_ENDPAGE;
            break;
        }
    }
    d.end_drawing();
    if (failure != TXT_COUNT)
        return fail(owner, failure, failure == TXT_ERR_STARTPAGE ? kStartPageFlags : mb::icon_hand);
    if (!d.end_doc()) return fail(owner, TXT_ERR_ENDDOC);
    return 1;
}

}  // namespace

void apply_device_mode_paper(const DeviceModeInfo& info, PaperSize& paper) {
    if (info.has_paper_size) {
        if (info.paper_size == kPaperLetter) paper = {215, 279};
        if (info.paper_size == kPaperA4) paper = {210, 297};
    }
    if (info.has_paper_width) {
        paper.width_mm = info.paper_width / 10;
        if (info.has_paper_length) paper.height_mm = info.paper_length / 10;
    }
}

std::wstring common_dialog_error_text(const wchar_t* operation, uint32_t code) {
    for (const DialogError& e : kDialogErrors)
        if (e.code == code) return format_text(100, e.format, operation);
    return format_text(100, L"%s unknown error nmb:%ld", operation, code);
}

int report_common_dialog_error(uint32_t code) {
    if (code == 0) return 1;
    message_box(Owner::none, common_dialog_error_text(L"PageSetupDlg", code), text(TXT_TITLE_ERROR),
                mb::task_modal | mb::icon_hand);
    return 0;
}

int print_pages(PrintDevice& d, Settings& s, PaperSize& paper, const PrintJobInfo& job,
                PrintPages& source) {
    std::wstring name;
    bool to_file = false;
    switch (s.printer_selection_mode) {
        case 1:
            name = d.default_printer();
            break;
        case 3:
            name = s.printer_name.empty() ? d.default_printer() : s.printer_name;
            break;
        case 2: {
            const PrintDialogChoice choice = d.print_dialog();
            switch (choice.result) {
                case DialogResult::failed: return fail(job.owner, TXT_ERR_PRINT_DIALOG);
                case DialogResult::cancel: return 0;
                case DialogResult::apply: return 1;
                case DialogResult::print: break;
            }
            name = choice.device;
            to_file = choice.to_file;
            PaperSize asked;
            if (report_common_dialog_error(d.default_paper(asked))) paper = asked;
            store_printer_name(s, name);
            break;
        }
        default:
            return 0;
    }
    const int result = print_on(d, paper, name, to_file, job, source);
    d.release();
    return result;
}

int print_component_list(PrintDevice& d, Settings& s, PaperSize& paper,
                         const std::wstring& title, const std::vector<PrintRow>& rows) {
    ListPages pages(s, title, rows);
    return print_pages(d, s, paper, {kDocumentName, Owner::bom}, pages);
}

}  // namespace tindral
