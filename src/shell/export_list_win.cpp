#include "shell/export_list_win.h"

#include <windows.h>
#include <commdlg.h>

#include <exception>
#include <functional>
#include <string_view>
#include <vector>

#include "lists/bom_rows.h"
#include "lists/export_table.h"
#include "model/board_model.h"
#include "platform/win/owned_win.h"
#include "shell/app_win.h"
#include "shell/main_list_data_win.h"
#include "text/format.h"
#include "text/lang.h"
#include "text/messages.h"

namespace tindral {

namespace {

constexpr DWORD kPathChars = 32768;  // long paths too
constexpr size_t kMessageChars = 33000;

ExportDialogFn g_dialog = nullptr;

// The table's "a|b|" form with the separators the dialog wants.
std::wstring dialog_filter(TextKey key) {
    std::wstring filter = text(key);
    for (wchar_t& c : filter)
        if (c == L'|') c = L'\0';
    return filter;
}

// The board's own name with ".csv", in the board's folder.
std::wstring suggested_name(const std::wstring& board_path) {
    const size_t slash = board_path.find_last_of(L"\\/");
    const size_t dot = board_path.find_last_of(L'.');
    const size_t end = dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash)
                           ? dot
                           : board_path.size();
    return board_path.substr(0, end) + L".csv";
}

bool save_dialog(std::wstring& path, ExportKind& kind) {
    std::vector<wchar_t> file(kPathChars, L'\0');
    const std::wstring suggested = suggested_name(app_session().board.path);
    if (suggested.size() < kPathChars) suggested.copy(file.data(), suggested.size());
    const std::wstring filter = dialog_filter(TXT_EXPORT_FILTER);
    const std::wstring title = text(TXT_EXPORT_LIST);

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = app_windows().hwnd_main;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = kind == ExportKind::bom ? 2 : 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = kPathChars;
    ofn.lpstrTitle = title.c_str();
    ofn.lpstrDefExt = L"csv";
    ofn.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameW(&ofn)) return false;
    path = file.data();
    kind = ofn.nFilterIndex == 2 ? ExportKind::bom : ExportKind::list;
    return true;
}

// The whole file or nothing: written beside the target under a passing name, piece by piece as
// produce hands them over, then moved over it, so a failed write never leaves a cut-off file
// where a good one was. A produce that throws (out of memory) leaves no file behind either.
DWORD write_file(const std::wstring& path, const std::function<void(const TextSink&)>& produce) {
    const std::wstring temp = path + L".tindral-export";
    DWORD code = ERROR_SUCCESS;
    std::exception_ptr failure;
    {
        const OwnedHandle file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return GetLastError();
        const TextSink write = [&](std::string_view piece) {
            if (code != ERROR_SUCCESS) return;  // the first failure is the one reported
            DWORD written = 0;
            if (!WriteFile(file.get(), piece.data(), static_cast<DWORD>(piece.size()), &written,
                           nullptr) ||
                written != piece.size()) {
                code = GetLastError();
                if (code == ERROR_SUCCESS) code = ERROR_WRITE_FAULT;
            }
        };
        try {
            produce(write);
        } catch (...) {
            failure = std::current_exception();
        }
    }
    if (failure) {
        DeleteFileW(temp.c_str());
        std::rethrow_exception(failure);
    }
    if (code == ERROR_SUCCESS &&
        !MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        code = GetLastError();
    if (code != ERROR_SUCCESS) DeleteFileW(temp.c_str());
    return code;
}

}  // namespace

void write_export_csv(ExportKind kind, const TextSink& write) {
    const BoardModel& board = app_session().board;
    if (kind == ExportKind::bom) return write_csv(bom_table(bom_rows(board)), write);
    std::vector<size_t> rows;
    rows.reserve(main_row_count());
    for (size_t row = 0; row < main_row_count(); ++row) {
        const int32_t c = main_row_component(static_cast<int>(row));
        if (c >= 0) rows.push_back(static_cast<size_t>(c));
    }
    write_csv(list_table(board, rows), write);
}

void export_list_command() {
    if (!app_session().board.board_loaded) return;
    std::wstring path;
    ExportKind kind = ExportKind::list;
    if (!(g_dialog ? g_dialog(path, kind) : save_dialog(path, kind))) return;
    const DWORD code = write_file(path, [&](const TextSink& write) { write_export_csv(kind, write); });
    if (code == ERROR_SUCCESS) return;
    const std::wstring reason = path + L"\n" + system_error_text(code);
    message_box(Owner::main, format_text(kMessageChars, text(TXT_EXPORT_FAILED), reason),
                text(TXT_TITLE_ERROR), mb::task_modal | mb::icon_hand);
}

ExportDialogFn set_export_dialog(ExportDialogFn fn) {
    const ExportDialogFn previous = g_dialog;
    g_dialog = fn;
    return previous;
}

}  // namespace tindral
