#pragma once
// Turns a board file into the flat token list the parsers walk.

#include <cstdint>
#include <string>
#include <string_view>

#include "board/token_list.h"

namespace tindral {

struct TokeniseResult {
    bool ok = false;         // the list holds what the file gave; false: failed, already reported
    bool drop_path = false;  // the path should leave the recent-path list (not a board at all)
    bool damaged = false;    // ok, but the XML broke off: the list holds what came before
    uint32_t damaged_line = 0;  // line of the file where reading stopped; 0 when unknown
};

// Reads the board file (read-only, shared for reading) and tokenises it. out must be empty.
// Every failure, and a damaged file, has been reported to the user on return. A file larger than
// any board is refused unread.
TokeniseResult tokenise_board(const std::wstring& path, TokenList& out);

// The same checks and tokens for a file's bytes held in memory.
TokeniseResult tokenise_bytes(std::string_view bytes, TokenList& out);

}  // namespace tindral
