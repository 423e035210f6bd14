#pragma once
// Walks the token list of one board file into the board model and places the elements.

#include <string>

#include "board/load_types.h"
#include "board/token_list.h"
#include "model/board_model.h"

namespace tindral {

// What the shell has to do after the walk; the parser itself touches no window.
struct ParseOutcome {
    int result = 0;            // 1 when the walk got through, 0 when it was abandoned
    LoadCode code = LoadCode::ok;  // ok, declined (the user's No) or out_of_memory
    bool set_title = false;    // all sections were read: the board window gets board_title
    std::wstring board_title;  // "Tindral V2.00.1    <file name>"
    bool show_bom_button = false;  // the elements were placed and the board is loaded
};

// The board window's title for a board path: the program name, four blanks and the part of the
// path after its last backslash.
std::wstring board_title_for(const std::wstring& path);

// Makes every table of board anew from tokens; the layer table keeps what it held but for the
// rows the file names. Questions about unknown names go to asker when options ask for them.
// Out of memory, or the user's No, leave the model released.
ParseOutcome parse_board(const TokenList& tokens, BoardModel& board, const LoadOptions& options,
                         LoadAsker& asker);

}  // namespace tindral
