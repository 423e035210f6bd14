#pragma once
// Turns a board file's bytes into the flat token list the parsers walk.

#include <string_view>
#include <vector>

#include "board/load_types.h"
#include "board/token_list.h"
#include "board/xml_reader.h"

namespace tindral {

struct TokeniseResult {
    // ok, damaged (the list holds what came before the break) or why nothing was read
    LoadStatus status;
    // Faults read past, in the order found: a declaration attribute the reader could not give.
    std::vector<LoadStatus> warnings;

    bool ok() const { return board_read(status); }
};

// Which tokens the list keeps: all of them, or all but the contents of the board's <signals>,
// which the walk never reads in a file laid out as Eagle writes it (two kTokenSkipped tokens
// stand in their place; a walker that reads one makes the load tokenise again with all).
enum class TokenKeep { all, walked };

// Checks and tokenises a board file held in memory with the reader open_reader makes. out must
// be empty; after a failure it is. Nothing is shown: the result says what happened, the same
// whichever tokens are kept.
TokeniseResult tokenise_bytes(std::string_view bytes, XmlReaderOpener open_reader, TokenList& out,
                              TokenKeep keep = TokenKeep::all);

}  // namespace tindral
