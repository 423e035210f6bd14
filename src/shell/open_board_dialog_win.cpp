#include "shell/open_board_dialog_win.h"

#include <windows.h>
#include <commdlg.h>

#include "shell/app_win.h"
#include "text/lang.h"

namespace tindral {

namespace {

constexpr DWORD kPathChars = 260;

OpenBoardDialogFn g_dialog = nullptr;

}  // namespace

bool open_board_dialog(std::wstring& chosen) {
    // The board path chosen last: the dialog opens in its folder with its name ready, where the
    // board's other revisions lie. A path that does not fit the buffer is left out.
    wchar_t file[kPathChars] = {};
    const std::wstring& last = app_session().settings.xml_path_file_name;
    if (last.size() < kPathChars) last.copy(file, last.size());
    static const wchar_t kFilter[] = L"Eagle File\0*.brd;*.fbrd;*.kicad_pcb\0";
    const std::wstring title = text(TXT_OPEN_DIALOG_TITLE);

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = app_windows().hwnd_main;
    ofn.hInstance = app_windows().instance;
    ofn.lpstrFilter = kFilter;
    ofn.lpstrFile = file;
    ofn.nMaxFile = kPathChars;
    ofn.lpstrTitle = title.c_str();
    // A name typed into the dialog must exist: the header check would only report it later.
    ofn.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
    if (!GetOpenFileNameW(&ofn)) return false;
    chosen = file;
    return true;
}

bool ask_for_board_file(std::wstring& chosen) {
    return g_dialog ? g_dialog(chosen) : open_board_dialog(chosen);
}

OpenBoardDialogFn set_open_board_dialog(OpenBoardDialogFn fn) {
    const OpenBoardDialogFn previous = g_dialog;
    g_dialog = fn;
    return previous;
}

}  // namespace tindral
