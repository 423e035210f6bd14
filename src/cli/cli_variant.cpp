#include "cli/cli_variant.h"

#include "board/utf8.h"
#include "cli/cli_args.h"
#include "cli/cli_load.h"
#include "cli/cli_options.h"
#include "model/variants.h"

namespace tindral::cli {

int choose_cli_variant(BoardModel& board, bool given, const std::wstring& name, std::FILE* err) {
    if (!given) return kExitOk;
    const int32_t v = find_variant(board, name);
    if (v >= 0) {
        choose_variant(board, v);
        return kExitOk;
    }
    std::wstring known;
    for (const std::wstring& n : board.variants) known += (known.empty() ? L"" : L", ") + n;
    return usage_error(err, L"unknown variant \"" + name + L"\" (" +
                                (known.empty() ? L"the board has no variants" : L"the board has: " + known) +
                                L")");
}

std::string variant_lines(const BoardModel& board) {
    std::string lines;
    for (size_t i = 0; i < board.variants.size(); ++i) {
        lines += wide_to_utf8(board.variants[i]);
        if (static_cast<int32_t>(i) == board.current_variant) lines += " (current)";
        lines += "\n";
    }
    return lines;
}

int run_variants(const std::vector<std::wstring>& args, Session& session, std::FILE* out,
                 std::FILE* err) {
    std::vector<std::wstring> positional;
    bool strict = false;
    std::wstring error;
    const bool read = read_cli_args(args, 1, positional, error, [&](const std::wstring& a,
                                                                    const std::wstring& name,
                                                                    const TakeValue&) {
        if (name == L"--strict") {
            strict = true;
            return true;
        }
        error = L"unknown option " + a;
        return false;
    });
    if (!read) return usage_error(err, error);
    std::wstring board;
    if (!one_board(positional, 0, board, error)) return usage_error(err, error);
    if (const int code = load_cli_board(session, board, strict, err); code != kExitOk)
        return code;
    write_bytes(out, variant_lines(session.board));
    std::fflush(out);
    return kExitOk;
}

}  // namespace tindral::cli
