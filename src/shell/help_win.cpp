#include "shell/help_win.h"

#include <io.h>

#include <string>

#include "text/format.h"
#include "text/messages.h"

namespace tindral {

namespace {

constexpr size_t kPathChars = 260;
constexpr UINT kDisplayTopic = 0;  // HH_DISPLAY_TOPIC
constexpr unsigned kFlags = mb::task_modal | mb::icon_hand;

using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);

// hhctrl.ocx has no import library in every toolchain; it is loaded on first use only.
HtmlHelpFn html_help() {
    static HtmlHelpFn fn = nullptr;
    static bool tried = false;
    if (!tried) {
        tried = true;
        if (HMODULE lib = LoadLibraryW(L"hhctrl.ocx"))
            fn = reinterpret_cast<HtmlHelpFn>(
                reinterpret_cast<void*>(GetProcAddress(lib, "HtmlHelpW")));
    }
    return fn;
}

}  // namespace

void open_help(HWND owner) {
    wchar_t module[kPathChars] = {};
    const UINT n = GetWindowModuleFileNameW(owner, module, kPathChars);
    if (n == 0) {
        show_error(Owner::main, TXT_NO_APP_PATH, kFlags);
        return;
    }
    std::wstring folder(module, n < kPathChars ? n : kPathChars - 1);
    const size_t slash = folder.find_last_of(L'\\');
    if (slash != std::wstring::npos) folder.resize(slash);
    const std::wstring path = format_text(kPathChars, L"%s\\%s", folder, text(TXT_HELP_FILE));
    if (_waccess(path.c_str(), 0) != 0) {
        message_box(Owner::main, path, text(TXT_TITLE_WARNING), kFlags);
        show_warning(Owner::main, TXT_HELP_FILE_NOT_FOUND, kFlags);
        return;
    }
    if (HtmlHelpFn fn = html_help()) fn(owner, path.c_str(), kDisplayTopic, 0);
}

}  // namespace tindral
