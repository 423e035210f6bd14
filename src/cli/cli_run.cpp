#include "cli/cli_run.h"

#include <new>

#include "board/utf8.h"
#include "cli/booklet_command.h"
#include "cli/cli_args.h"
#include "cli/cli_load.h"
#include "cli/cli_options.h"
#include "cli/cli_output.h"
#include "cli/cli_variant.h"
#include "cli/render_command.h"
#include "lists/bom_date.h"
#include "lists/bom_rows.h"
#include "lists/list_columns.h"
#include "lists/list_rows.h"
#include "model/session.h"
#include "text/lang.h"

namespace tindral::cli {

namespace {

Table shown_list_table(const Session& session, const CliOptions& o) {
    const BoardModel& board = session.board;
    const bool top = o.side != SideChoice::bottom;
    const bool bottom = o.side != SideChoice::top;
    std::vector<size_t> rows = shown_list_rows(board, top, bottom);
    sort_list_rows(rows, board, o.sort >= 0 ? o.sort : static_cast<int>(session.settings.sort_col));
    return list_table(board, rows);
}

Table chosen_bom_table(const BoardModel& board, const CliOptions& o) {
    std::vector<BomRow> rows = bom_rows(board);
    if (o.sort >= 0) sort_bom_rows(rows, o.sort);
    return bom_table(rows);
}

void write_table(const Table& t, const CliOptions& o, const BoardModel& board, std::FILE* out) {
    const TextSink write = [out](std::string_view s) { std::fwrite(s.data(), 1, s.size(), out); };
    switch (o.format) {
        case OutputFormat::csv: return write_csv(t, write);
        case OutputFormat::json: return write_json(t, write);
        case OutputFormat::text: break;
    }
    if (o.command == Command::bom) return write_text(t, {bom_date_text(local_time_now())}, {}, write);
    write_text(t, {}, {L"", placed_counter_text(board)}, write);
}

int run_command(const std::vector<std::wstring>& args, Session& session, std::FILE* out,
                std::FILE* err) {
    if (!args.empty() && args[0] == L"render") return run_render(args, session, out, err);
    if (!args.empty() && args[0] == L"booklet") return run_booklet(args, session, out, err);
    if (!args.empty() && args[0] == L"variants") return run_variants(args, session, out, err);
    CliOptions o;
    std::wstring error;
    if (!parse_cli_options(args, o, error)) return usage_error(err, error);
    if (answer_help_or_version(o.help, o.version, out)) return kExitOk;
    // No stored settings: the defaults as constructed, but the chosen language.
    session.settings.language = o.language;
    if (const int code = load_cli_board(session, o.board, o.strict, err); code != kExitOk)
        return code;
    if (const int code = choose_cli_variant(session.board, o.variant_given, o.variant, err); code != kExitOk)
        return code;

    const Table table =
        o.command == Command::list ? shown_list_table(session, o) : chosen_bom_table(session.board, o);
    write_table(table, o, session.board, out);
    std::fflush(out);
    return kExitOk;
}

}  // namespace

int run_cli(const std::vector<std::wstring>& args, std::FILE* out, std::FILE* err) {
    Session session;
    const LanguageSource language(&session.settings.language);
    try {
        return run_command(args, session, out, err);
    } catch (const std::bad_alloc&) {
        // Reading and parsing report this themselves; listing or drawing a huge board may not.
        write_bytes(err, "tindral-cli: " + wide_to_utf8(text(TXT_OUT_OF_MEMORY)) + "\n");
        return kExitUnreadable;
    }
}

}  // namespace tindral::cli
