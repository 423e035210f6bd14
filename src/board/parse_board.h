#pragma once
// Walks the token list of one board file into the board model and places the elements.

#include <string>

#include "board/token_list.h"
#include "model/board_model.h"

namespace tindral {

// What the shell has to do after the walk; the parser itself touches no window.
struct ParseOutcome {
    int result = 0;            // 1 when the walk got through, 0 when it was abandoned
    bool set_title = false;    // all sections were read: the board window gets board_title
    std::wstring board_title;  // "Tindral V2.00.1    <file name>"
    bool show_bom_button = false;  // the elements were placed and the board is loaded
};

// The board window's title for a board path: the program name, four blanks and the part of the
// path after its last backslash.
std::wstring board_title_for(const std::wstring& path);

// Makes every table of board anew from tokens. Questions about unknown names follow the
// setting "Report unexpected"; running out of memory is reported, and the model released.
ParseOutcome parse_board(const TokenList& tokens, BoardModel& board = g_board);

}  // namespace tindral
