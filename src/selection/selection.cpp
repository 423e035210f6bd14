#include "selection/selection.h"

#include "app/format.h"
#include "app/messages.h"
#include "board/board_file.h"
#include "lists/selection_state.h"
#include "selection/selection_file.h"
#include "selection/selection_format.h"
#include "settings/settings.h"

namespace tindral {

namespace {

constexpr unsigned kFlags = mb::icon_information | mb::task_modal | mb::topmost;
constexpr size_t kMessageChars = 600;  // system text and a full path

bool selection_path_for_board(std::wstring& path) {
    if (make_selection_path(g_settings.xml_path_file_name, path)) return true;
    message_box(Owner::main,
                format_text(kMessageChars, text(TXT_SELECTION_NAME_IMPOSSIBLE),
                            g_settings.xml_path_file_name),
                text(TXT_TITLE_ERROR), kFlags);
    return false;
}

void report_with_path(const wchar_t* fmt, uint32_t error, const std::wstring& path) {
    message_box(Owner::main, format_text(kMessageChars, fmt, system_error_text(error), path),
                text(TXT_TITLE_ERROR), kFlags);
}

}  // namespace

int save_selection(const std::vector<uint32_t>& states) {
    std::wstring path;
    if (!selection_path_for_board(path)) return 0;
    const SelectionWriteResult r =
        write_selection_file(path, temp_selection_path(path), encode_states(states));
    switch (r.status) {
    case SelectionWriteStatus::ok:
        return 1;
    case SelectionWriteStatus::write_failed:
        report_system_error(L"Tindral WriteFile", r.error, Owner::main, kFlags);
        return 0;
    case SelectionWriteStatus::create_failed:
    case SelectionWriteStatus::replace_failed:
        report_with_path(L"%s\nsave_selectione:%s", r.error, path);
        return 0;
    }
    return 0;
}

int load_selection(std::vector<uint32_t>& states) {
    std::wstring path;
    if (!selection_path_for_board(path)) return 0;
    if (!selection_file_exists(path)) {
        show_info(Owner::main, TXT_NO_DATA_FOR_FILE, kFlags);
        return 1;
    }
    const int answer = message_box(Owner::main, text(TXT_SELECTION_OVERWRITE), text(TXT_TITLE_INFO),
                                   mb::yes_no | mb::icon_information | mb::task_modal);
    if (answer != mb::id_yes) return 0;

    // Read-only and shared: the file keeps its attributes, and the whole file is read before any
    // state changes, so a failed read changes nothing.
    std::string bytes;
    const FileReadResult r = read_whole_file(path, bytes);
    if (r.status == FileReadStatus::open_failed) {
        report_with_path(L"%s\nload_selection:%s", r.error, path);
        return 0;
    }
    if (r.status == FileReadStatus::read_failed) {
        report_system_error(L"Tindral WriteFile", r.error, Owner::main,
                            mb::icon_information | mb::task_modal);
        return 0;
    }
    // Not whole states: this is no selection file of ours.
    if (bytes.empty() || bytes.size() % 4 != 0) {
        show_info(Owner::main, TXT_NO_DATA_FOR_FILE, kFlags);
        return 1;
    }
    decode_states(bytes, states);
    // A saved current selection comes back as selected.
    for (uint32_t& s : states)
        if (s != kStateUnselected) s = kStateSelected;
    return 1;
}

}  // namespace tindral
