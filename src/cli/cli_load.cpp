#include "cli/cli_load.h"

#include "app/format.h"
#include "app/lang.h"
#include "board/board_file.h"
#include "board/parse_board.h"
#include "board/tokenise.h"
#include "board/utf8.h"
#include "cli/cli_options.h"
#include "cli/cli_port.h"
#include "model/board_model.h"

namespace tindral::cli {

void write_bytes(std::FILE* f, const std::string& s) { std::fwrite(s.data(), 1, s.size(), f); }

int usage_error(std::FILE* err, const std::wstring& error) {
    write_bytes(err, "tindral-cli: " + wide_to_utf8(error) + "\nTry 'tindral-cli --help'.\n");
    return kExitUsage;
}

int load_cli_board(const std::wstring& board, bool strict, std::FILE* err) {
    CliPort port(board, strict, err);
    std::string bytes;
    const FileReadResult read = read_whole_file(board, bytes);
    if (read.status == FileReadStatus::too_large) {
        port.report(format_text(260, text(TXT_FILE_TOO_LARGE),
                                static_cast<int>(kMaxBoardFileMegabytes)));
        return kExitUnreadable;
    }
    if (read.status != FileReadStatus::ok) {
        port.report((read.status == FileReadStatus::open_failed ? L"cannot open: "
                                                                 : L"cannot read: ") +
                    port.system_error_text(read.error));
        return kExitUnreadable;
    }

    TokenList tokens;
    const TokeniseResult tok = tokenise_bytes(bytes, tokens);
    bytes.clear();
    if (!tok.ok) {
        if (port.lines == 0) port.report(L"not an Eagle board file");
        return kExitUnreadable;
    }
    if (tok.damaged && strict) return kExitStrict;

    const ParseOutcome parsed = parse_board(tokens, g_board);
    free_token_list(tokens);
    port.report_unshown();
    if (parsed.result == 0) {
        if (port.refused) return kExitStrict;
        if (port.lines == 0) port.report(L"the board could not be read");
        return kExitUnreadable;
    }
    return kExitOk;
}

}  // namespace tindral::cli
