#pragma once
// A PostScript printer in the Wine prefix for the print tests: a real job through Wine's driver,
// spooled into a file, with no printer of the machine involved.

#include <windows.h>
#include <winspool.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

namespace tindral::test {

// A minimal PostScript printer description of our own for Wine's PostScript driver.
inline constexpr char kPrinterDescription[] =
    "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*LanguageVersion: English\n"
    "*LanguageEncoding: ISOLatin1\n*Manufacturer: \"Test\"\n*ModelName: \"Test PS\"\n"
    "*NickName: \"Test PS\"\n*PSVersion: \"(3010.000) 0\"\n*LanguageLevel: \"3\"\n"
    "*ColorDevice: False\n*DefaultColorSpace: Gray\n*TTRasterizer: Type42\n"
    "*DefaultResolution: 300dpi\n*OpenUI *PageSize/Page Size: PickOne\n*DefaultPageSize: A4\n"
    "*PageSize A4/A4: \"<</PageSize[595 842]>>setpagedevice\"\n*CloseUI: *PageSize\n"
    "*DefaultImageableArea: A4\n*ImageableArea A4/A4: \"18 18 577 824\"\n"
    "*DefaultPaperDimension: A4\n*PaperDimension A4/A4: \"595 842\"\n";

inline constexpr const wchar_t* kTestPrinter = L"Tindral Test PS";

inline bool write_printer_file(const std::wstring& path, const std::string& bytes) {
    return static_cast<bool>(std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes);
}

using UnixName = char*(CDECL*)(const wchar_t*);

inline UnixName wine_unix_name() {
    return reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
}

// A PostScript printer in the Wine prefix for one test: Wine spools a printer whose port is a
// Unix path into that file, so a real job needs no dialog. Removed again at the end.
struct TestPrinter {
    TestPrinter() {
        const UnixName unix_name = wine_unix_name();
        if (!unix_name) return;
        wchar_t dir[MAX_PATH] = {};
        DWORD needed = 0;
        if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(dir), sizeof dir, &needed) ||
            !write_printer_file(std::wstring(dir) + L"\\tindral-test.ppd", kPrinterDescription))
            return;
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
    std::wstring out;
};


}  // namespace tindral::test
