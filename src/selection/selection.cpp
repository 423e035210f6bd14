#include "selection/selection.h"

#include "selection/selection_file.h"
#include "selection/selection_format.h"
#include "text/format.h"
#include "text/messages.h"

namespace tindral {

namespace {

constexpr unsigned kFlags = mb::icon_information | mb::task_modal | mb::topmost;
constexpr size_t kMessageChars = 600;  // system text and a full path

bool selection_path_for_board(const BoardModel& board, std::wstring& path, bool tell) {
    if (make_selection_path(board.path, path)) return true;
    if (tell)
        message_box(Owner::main,
                    format_text(kMessageChars, text(TXT_SELECTION_NAME_IMPOSSIBLE), board.path),
                    text(TXT_TITLE_ERROR), kFlags);
    return false;
}

void report_with_path(const wchar_t* fmt, uint32_t error, const std::wstring& path) {
    message_box(Owner::main, format_text(kMessageChars, fmt, system_error_text(error), path),
                text(TXT_TITLE_ERROR), kFlags);
}

int ask(const std::wstring& question, unsigned buttons) {
    return message_box(Owner::main, question, text(TXT_TITLE_INFO),
                       buttons | mb::icon_information | mb::task_modal);
}

enum class Saved { none, failed, read };

struct SavedFile {
    Saved status = Saved::none;
    std::wstring path;
    bool current_name = false;  // not the older name
    std::string bytes;
};

// The board's selection file, or one under the name older versions gave it; read-only and
// shared, so its attributes stay and a failed read changes nothing.
SavedFile read_saved_file(const BoardModel& board, const std::wstring& path) {
    SavedFile f;
    std::wstring legacy;
    SelectionFiles& files = selection_files();
    if (files.exists(path)) {
        f.path = path;
        f.current_name = true;
    } else if (legacy_selection_path(board.path, legacy) && files.exists(legacy)) {
        f.path = legacy;
    } else {
        return f;
    }
    const FileReadResult r = files.read(f.path, f.bytes);
    if (r.status == FileReadStatus::open_failed) {
        report_with_path(L"%s\nload_selection:%s", r.error, f.path);
        f.status = Saved::failed;
    } else if (r.status == FileReadStatus::read_failed) {
        report_system_error(L"Tindral WriteFile", r.error, Owner::main,
                            mb::icon_information | mb::task_modal);
        f.status = Saved::failed;
    } else {
        f.status = Saved::read;
    }
    return f;
}

// A file for another version of the board would put marks on the wrong components.
bool fits_or_tell(const BoardModel& board, const SavedFile& f) {
    if (fits_board(f.bytes, board.marks.size())) return true;
    message_box(Owner::main, format_text(kMessageChars, text(TXT_MARKS_DO_NOT_FIT), f.path),
                text(TXT_TITLE_INFO), kFlags);
    return false;
}

void apply_saved_marks(BoardModel& board, const SavedFile& f) {
    std::vector<uint32_t> loaded(board.marks.size(), kStateUnselected);
    decode_states(f.bytes, loaded);
    board.marks.apply_loaded(loaded);
    if (f.current_name) board.selection_file_ours = true;
}

// Marks on disk that this run has not seen would be lost by a save.
bool holds_foreign_marks(const BoardModel& board, const std::wstring& path) {
    if (board.selection_file_ours || !selection_files().exists(path)) return false;
    std::string bytes;
    // A file that cannot be read is reported by the write that follows.
    return selection_files().read(path, bytes).status == FileReadStatus::ok && holds_marks(bytes);
}

}  // namespace

int save_selection(BoardModel& board) {
    std::wstring path;
    if (!selection_path_for_board(board, path, true)) return 0;
    if (holds_foreign_marks(board, path) &&
        ask(format_text(kMessageChars, text(TXT_REPLACE_SAVED_MARKS), path),
            mb::yes_no | mb::default_button2) != mb::id_yes)
        return -1;
    const SelectionWriteResult r = selection_files().write(path, temp_selection_path(path),
                                                           encode_states(board.marks.states()));
    switch (r.status) {
    case SelectionWriteStatus::ok:
        board.marks.keep();
        board.selection_file_ours = true;
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

int load_selection(BoardModel& board) {
    std::wstring path;
    if (!selection_path_for_board(board, path, true)) return 0;
    const SavedFile f = read_saved_file(board, path);
    if (f.status == Saved::none) {
        show_info(Owner::main, TXT_NO_DATA_FOR_FILE, kFlags);
        return 1;
    }
    if (f.status == Saved::failed || !fits_or_tell(board, f)) return 0;
    const int answer = message_box(Owner::main, text(TXT_SELECTION_OVERWRITE), text(TXT_TITLE_INFO),
                                   mb::yes_no | mb::icon_information | mb::task_modal);
    if (answer != mb::id_yes) return 0;
    apply_saved_marks(board, f);
    return 1;
}

int offer_saved_marks(BoardModel& board) {
    std::wstring path;
    if (!selection_path_for_board(board, path, false)) return 0;
    const SavedFile f = read_saved_file(board, path);
    if (f.status != Saved::read || !fits_or_tell(board, f)) return 0;
    if (!holds_marks(f.bytes)) {
        // Nothing in it to lose.
        if (f.current_name) board.selection_file_ours = true;
        return 0;
    }
    if (ask(text(TXT_LOAD_SAVED_MARKS), mb::yes_no) != mb::id_yes) return 0;
    apply_saved_marks(board, f);
    return 1;
}

}  // namespace tindral
