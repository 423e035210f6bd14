#include "board/load_board.h"

#include <new>
#include <optional>

#include "board/board_archive.h"
#include "board/board_file.h"
#include "board/kicad_reader.h"
#include "board/load_messages.h"
#include "board/parse_board.h"
#include "board/tokenise.h"
#include "model/variants.h"
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

// What every load ends with once the model is read: path, marks, the file's current variant
// and with it the groups.
void finish_load(const LoadOptions& options, LoadResult& out) {
    out.board.path = options.path;
    out.board.marks.reset(out.board.placement_count);
    out.board.marks.keep();
    choose_variant(out.board, out.board.current_variant);
}

// An Eagle walk that went through: finished as every load, titled and with the BOM button as
// the walk says.
void finish_eagle_load(const LoadOptions& options, const ParseOutcome& parsed, LoadResult& out) {
    finish_load(options, out);
    if (parsed.set_title) out.board_title = parsed.board_title;
    out.show_bom_button = parsed.show_bom_button;
}

// Passes the questions of the walk on, but answers the first `answered` of them itself: a walk
// made again over the same tokens asks them again, and they were answered Yes already.
class AskedBefore : public LoadAsker {
public:
    AskedBefore(LoadAsker& asker, size_t answered) : asker_(asker), answered_(answered) {}
    bool go_on_after(const LoadStatus& warning, const LoadMessage& box) override {
        return asker_.go_on_after(warning, box);
    }
    void walk_begins() override { asker_.walk_begins(); }
    bool go_on_after_unexpected(const LoadMessage& question) override {
        ++asked;
        return asked <= answered_ || asker_.go_on_after_unexpected(question);
    }
    size_t asked = 0;

private:
    LoadAsker& asker_;
    size_t answered_;
};

// The file tokenised whole before the walk; faults and warnings are told first.
LoadResult load_eagle_whole(std::string_view bytes, const LoadOptions& options, LoadAsker& asker) {
    LoadResult out;
    out.board.layers = options.layers;
    ParseOutcome parsed;
    {
        TokenList tokens;
        const TokeniseResult t =
            tokenise_bytes(bytes, options.open_reader, tokens, TokenKeep::walked);
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
        AskedBefore first(asker, 0);
        try {
            parsed = parse_board(tokens, out.board, options, first);
        } catch (const SkippedTokensRead&) {
            // This file's walk goes on into <signals>: again, over every token, without
            // asking anew what was answered already (every answer so far was Yes).
            free_token_list(tokens);
            out.board = BoardModel{};
            out.board.layers = options.layers;
            const TokeniseResult all = tokenise_bytes(bytes, options.open_reader, tokens);
            if (!all.ok()) {
                out.status = all.status;
                return out;
            }
            AskedBefore again(asker, first.asked);
            parsed = parse_board(tokens, out.board, options, again);
        }
    }  // the model keeps its own copies of every text
    if (!parsed.result) {
        out.status = LoadStatus{};
        out.status.code = parsed.code;
        return out;
    }
    finish_eagle_load(options, parsed, out);
    return out;
}

// Keeps the questions of a walk that cannot ask yet, each answered Yes for now.
class QuestionsHeld : public LoadAsker {
public:
    struct TooMany {};  // so many that the file is better read whole and asked as it goes

    bool go_on_after(const LoadStatus&, const LoadMessage&) override { return true; }
    bool go_on_after_unexpected(const LoadMessage& question) override {
        if (questions.size() == kMaxHeld) throw TooMany{};
        questions.push_back(question);
        return true;
    }
    std::vector<LoadMessage> questions;

private:
    static constexpr size_t kMaxHeld = 1000;
};

// Answers the first `yes` questions Yes and the one after No, as the user did before.
class AnsweredBefore : public LoadAsker {
public:
    explicit AnsweredBefore(size_t yes) : yes_(yes) {}
    bool go_on_after(const LoadStatus&, const LoadMessage&) override { return true; }
    bool go_on_after_unexpected(const LoadMessage&) override { return asked_++ < yes_; }

private:
    size_t yes_, asked_ = 0;
};

// The load over a file read as the walk goes (see TokensAsWalked), or nothing when the file has
// to be tokenised whole. The walk's questions wait until the whole file has read cleanly, so
// that the user sees what a load over the whole list shows, in the same order.
std::optional<LoadResult> load_eagle_as_walked(std::string_view bytes, const LoadOptions& options,
                                               LoadAsker& asker) {
    LoadResult out;
    out.board.layers = options.layers;
    QuestionsHeld held;
    ParseOutcome parsed;
    try {
        TokenList tokens;
        TokensAsWalked reading;
        if (!reading.open(bytes, options.open_reader, tokens)) return std::nullopt;
        parsed = parse_board(tokens, out.board, options, held);
        if (!parsed.result || !reading.finish(tokens)) return std::nullopt;
    } catch (const SkippedTokensRead&) {
        return std::nullopt;
    } catch (const QuestionsHeld::TooMany&) {
        return std::nullopt;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    asker.walk_begins();
    for (size_t i = 0; i < held.questions.size(); ++i) {
        if (asker.go_on_after_unexpected(held.questions[i])) continue;
        // Abandoned: what the load over the whole list gives for a No just there.
        out = LoadResult{};
        AnsweredBefore same(i);
        return load_eagle_whole(bytes, options, same);
    }
    finish_eagle_load(options, parsed, out);
    return out;
}

LoadResult load_eagle_board(std::string_view bytes, const LoadOptions& options, LoadAsker& asker) {
    if (std::optional<LoadResult> read = load_eagle_as_walked(bytes, options, asker))
        return std::move(*read);
    return load_eagle_whole(bytes, options, asker);
}

LoadResult load_kicad_board(std::string_view bytes, const LoadOptions& options, LoadAsker& asker) {
    LoadResult out;
    out.board.layers = options.layers;
    KicadOutcome read;
    try {
        read = read_kicad_board(bytes, options, out.board);
    } catch (const std::bad_alloc&) {
        release_board(out.board);
        out.status.code = LoadCode::out_of_memory;
        return out;
    }
    if (read.code != KicadCode::ok) {
        out.status.code = LoadCode::kicad_refused;
        out.status.kicad = read.code;
        out.status.line = read.line;
        out.status.version = read.version;
        return out;
    }
    asker.walk_begins();
    finish_load(options, out);
    out.board_title = board_title_for(options.path);
    out.show_bom_button = out.board.board_loaded != 0;
    return out;
}

// A board file of either kind.
LoadResult load_plain_board(std::string_view bytes, const LoadOptions& options, LoadAsker& asker) {
    if (is_kicad_board(bytes) || is_legacy_kicad_board(bytes)) return load_kicad_board(bytes, options, asker);
    return load_eagle_board(bytes, options, asker);
}

}  // namespace

LoadResult load_board(std::string_view bytes, const LoadOptions& options, LoadAsker& asker) {
    if (!is_zip_archive(bytes)) return load_plain_board(bytes, options, asker);
    // One level only: a board member that is an archive again reads as no board at all.
    const ArchiveResult archive = board_from_archive(bytes, kMaxBoardFileBytes);
    if (archive.code == ArchiveCode::ok) return load_eagle_board(archive.bytes, options, asker);
    LoadResult refused;
    refused.status.code = LoadCode::archive_refused;
    refused.status.archive = archive.code;
    return refused;
}

}  // namespace tindral
