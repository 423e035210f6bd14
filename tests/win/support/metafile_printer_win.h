#pragma once
// A printer that is an enhanced metafile, for the print tests: the spooler's part is answered
// here, the drawing is the program's own. A comment marks the end of each page.

#include <windows.h>

#include <string>
#include <vector>

#include "shell/print_device_win.h"

namespace tindral::test {

// What the metafile holds: the texts per page, the mapping modes set and the heights of the
// fonts selected.
struct Recorded {
    std::vector<std::vector<std::wstring>> pages{1};
    std::vector<int> map_modes;
    std::vector<LONG> font_heights;
};

inline int CALLBACK collect_records(HDC, HANDLETABLE*, const ENHMETARECORD* rec, int, LPARAM data) {
    Recorded& r = *reinterpret_cast<Recorded*>(data);
    switch (rec->iType) {
        case EMR_EXTTEXTOUTW: {
            const auto* t = reinterpret_cast<const EMREXTTEXTOUTW*>(rec);
            const auto* s = reinterpret_cast<const wchar_t*>(
                reinterpret_cast<const BYTE*>(rec) + t->emrtext.offString);
            r.pages.back().emplace_back(s, t->emrtext.nChars);
            break;
        }
        case EMR_GDICOMMENT: r.pages.emplace_back(); break;
        case EMR_SETMAPMODE:
            r.map_modes.push_back(static_cast<int>(reinterpret_cast<const EMRSETMAPMODE*>(rec)->iMode));
            break;
        case EMR_EXTCREATEFONTINDIRECTW:
            r.font_heights.push_back(
                reinterpret_cast<const EMREXTCREATEFONTINDIRECTW*>(rec)->elfw.elfLogFont.lfHeight);
            break;
    }
    return 1;
}

class MetafilePrinter : public WinPrintDevice {
public:
    ~MetafilePrinter() override {
        if (emf) DeleteEnhMetaFile(emf);
    }
    std::wstring default_printer() override { return L"Metafile"; }
    bool open_printer(const std::wstring&) override { return true; }
    bool read_device_mode(DeviceModeInfo& info) override {
        info = {true, true, false, false, 9, 0, 0};  // A4
        return true;
    }
    bool set_portrait() override { return true; }
    bool create_dc(const std::wstring&) override {
        dc_ = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
        return dc_ != nullptr;
    }
    bool start_doc(const std::wstring&, bool) override { return true; }
    bool start_page() override { return ++started, true; }
    bool end_page() override { return GdiComment(dc_, 4, reinterpret_cast<const BYTE*>("page")) != 0; }
    bool end_doc() override { return true; }
    void release() override {
        if (dc_) emf = CloseEnhMetaFile(dc_);
        dc_ = nullptr;
        WinPrintDevice::release();
    }

    Recorded recorded() const {
        Recorded r;
        EnumEnhMetaFile(nullptr, emf, collect_records, &r, nullptr);
        r.pages.pop_back();  // after the last page's mark
        return r;
    }

    HENHMETAFILE emf = nullptr;
    int started = 0;
};

// A memory device context is no printer: the real StartDoc refuses it.
class MemoryDcDevice : public MetafilePrinter {
public:
    bool create_dc(const std::wstring&) override { return (dc_ = CreateCompatibleDC(nullptr)) != nullptr; }
    bool start_doc(const std::wstring& name, bool to_file) override {
        return WinPrintDevice::start_doc(name, to_file);
    }
    void release() override { WinPrintDevice::release(); }
};

}  // namespace tindral::test
