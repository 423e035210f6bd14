#include "board/load_board.h"

#include "app/format.h"
#include "app/startup_rules.h"
#include "board/parse_board.h"
#include "board/tokenise.h"
#include "lists/selection_state.h"
#include "model/grouping.h"
#include "settings/registry_settings.h"

namespace tindral {

bool path_names_a_file(const std::wstring& path) { return path.size() > 3; }

std::wstring main_title_for(const std::wstring& file_name) {
    return format_text(300, L"%s      %s", kProgramTitle, file_name);
}

std::wstring board_path_title(const std::wstring& path) {
    return format_text(300, L"%s       %s", kProgramTitle, path);
}

ReadBoardOutcome read_board(const std::wstring& path, BoardModel& board,
                            const std::function<void()>& tokens_read) {
    ReadBoardOutcome out;
    g_settings.xml_path_file_name = path;  // the parser titles the board from it
    ParseOutcome parsed;
    {
        TokenList tokens;
        const TokeniseResult t = tokenise_board(path, tokens);
        if (!t.ok) return out;
        if (tokens_read) tokens_read();
        put_settings();
        parsed = parse_board(tokens, board);
    }  // the model keeps its own copies of every text
    if (!parsed.result) {
        release_board(board);
        out.declined = true;
        return out;
    }
    board.path = path;
    board.marks.reset(board.placement_count);
    board.marks.keep();
    group_components(board);
    out.result = 1;
    if (parsed.set_title) out.board_title = parsed.board_title;
    out.show_bom_button = parsed.show_bom_button;
    return out;
}

}  // namespace tindral
