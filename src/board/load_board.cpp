#include "board/load_board.h"

#include "board/board_archive.h"
#include "board/board_file.h"
#include "board/load_messages.h"
#include "board/parse_board.h"
#include "board/tokenise.h"
#include "model/grouping.h"
#include "settings/startup_rules.h"
#include "text/format.h"

namespace tindral {

bool path_names_a_file(const std::wstring& path) { return path.size() > 3; }

std::wstring main_title_for(const std::wstring& file_name) {
    return format_text(300, L"%s      %s", kProgramTitle, file_name);
}

std::wstring board_path_title(const std::wstring& path) {
    return format_text(300, L"%s       %s", kProgramTitle, path);
}

LoadOptions load_options_from(const Settings& settings, const std::wstring& path) {
    LoadOptions o;
    o.show_top = settings.show_top_side != 0;
    o.show_bottom = settings.show_bottom_side != 0;
    o.report_unexpected = settings.report_unexpected != 0;
    o.language = settings.language;
    o.path = path;
    return o;
}

namespace {

// Tells the asker what the tokeniser read past; false when it wants the load to stop.
bool tell_warnings(const TokeniseResult& t, const LoadOptions& options, LoadAsker& asker,
                   LoadResult& out) {
    std::vector<LoadStatus> told = t.warnings;
    if (t.status.code == LoadCode::damaged) told.push_back(t.status);
    for (const LoadStatus& w : told) {
        out.warnings.push_back(w);
        const std::optional<LoadMessage> box = status_box(w, options.language);
        if (!asker.go_on_after(w, box ? *box : LoadMessage{})) return false;
    }
    return true;
}

LoadResult load_eagle_board(std::string_view bytes, const LoadOptions& options, LoadAsker& asker) {
    LoadResult out;
    out.board.layers = options.layers;
    ParseOutcome parsed;
    {
        TokenList tokens;
        const TokeniseResult t = tokenise_bytes(bytes, options.open_reader, tokens);
        const bool go_on = tell_warnings(t, options, asker, out);
        if (!t.ok()) {
            out.status = t.status;
            return out;
        }
        if (!go_on) {
            out.status.code = LoadCode::declined;
            return out;
        }
        out.status = t.status;  // ok or damaged
        asker.walk_begins();
        parsed = parse_board(tokens, out.board, options, asker);
    }  // the model keeps its own copies of every text
    if (!parsed.result) {
        out.status = LoadStatus{};
        out.status.code = parsed.code;
        return out;
    }
    out.board.path = options.path;
    out.board.marks.reset(out.board.placement_count);
    out.board.marks.keep();
    group_components(out.board);
    if (parsed.set_title) out.board_title = parsed.board_title;
    out.show_bom_button = parsed.show_bom_button;
    return out;
}

}  // namespace

LoadResult load_board(std::string_view bytes, const LoadOptions& options, LoadAsker& asker) {
    if (!is_zip_archive(bytes)) return load_eagle_board(bytes, options, asker);
    // One level only: a board member that is an archive again reads as no board at all.
    const ArchiveResult archive = board_from_archive(bytes, kMaxBoardFileBytes);
    if (archive.code == ArchiveCode::ok) return load_eagle_board(archive.bytes, options, asker);
    LoadResult refused;
    refused.status.code = LoadCode::archive_refused;
    refused.status.archive = archive.code;
    return refused;
}

}  // namespace tindral
