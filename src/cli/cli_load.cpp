#include "cli/cli_load.h"

#include <fstream>

#include "board/board_file.h"
#include "board/load_board.h"
#include "board/load_messages.h"
#include "board/utf8.h"
#include "cli/cli_asker.h"
#include "cli/cli_options.h"
#include "platform/system_text.h"

namespace tindral::cli {

void write_bytes(std::FILE* f, const std::string& s) { std::fwrite(s.data(), 1, s.size(), f); }

int usage_error(std::FILE* err, const std::wstring& error) {
    write_bytes(err, "tindral-cli: " + wide_to_utf8(error) + "\nTry 'tindral-cli --help'.\n");
    return kExitUsage;
}

int load_cli_board(Session& session, const std::wstring& board, bool strict, std::FILE* err) {
    CliAsker asker(board, strict, err);
    std::string bytes;
    const FileReadResult read = read_whole_file(board, bytes);
    if (read.status == FileReadStatus::too_large) {
        asker.report(file_too_large_box(session.settings.language).text);
        return kExitUnreadable;
    }
    if (read.status != FileReadStatus::ok) {
        asker.report((read.status == FileReadStatus::open_failed ? L"cannot open: "
                                                                  : L"cannot read: ") +
                     one_line(platform_error_text(read.error)));
        return kExitUnreadable;
    }

    LoadOptions options = load_options_from(session.settings, board);
    options.open_reader = &open_platform_xml_reader;
    options.layers = session.board.layers;
    LoadResult loaded = load_board(bytes, options, asker);
    if (!board_read(loaded.status)) {
        if (const auto box = status_box(loaded.status, session.settings.language)) asker.report(*box);
    }
    switch (loaded.status.code) {
    case LoadCode::ok:
    case LoadCode::damaged:
        break;
    case LoadCode::declined:  // a question or a damaged file under --strict
        asker.report_unshown();
        return kExitStrict;
    case LoadCode::out_of_memory:
        asker.report_unshown();
        return kExitUnreadable;
    default:  // the file was not tokenised
        if (asker.lines == 0) asker.report(L"not an Eagle board file");
        return kExitUnreadable;
    }
    asker.report_unshown();
    session.board = std::move(loaded.board);
    return kExitOk;
}

std::filesystem::path cli_file_path(const std::wstring& path) {
#ifdef _WIN32
    return std::filesystem::path(path);
#else
    return std::filesystem::path(path_bytes(path));  // names are bytes here
#endif
}

bool write_cli_file(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

int cannot_write(std::FILE* err, const std::wstring& path, const std::string& why) {
    write_bytes(err, "tindral-cli: " + wide_to_utf8(path) + ": " + why + "\n");
    return kExitUnreadable;
}

}  // namespace tindral::cli
