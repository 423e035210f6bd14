#pragma once
// Turns a board file's bytes into the flat token list the parsers walk.

#include <memory>
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

// A board file tokenised as the walk reads it: everything before the first <elements> at once,
// the elements only as the walk reaches them, and let go once it is past them, so that a board's
// many parts never sit in the list all at once. Only a file read without any fault or warning
// is read this way: where it is not, the load tokenises the file whole and tells what it found.
class TokensAsWalked {
public:
    TokensAsWalked();
    ~TokensAsWalked();
    TokensAsWalked(const TokensAsWalked&) = delete;
    TokensAsWalked& operator=(const TokensAsWalked&) = delete;

    // Tokenises into out (empty) up to the first <elements> start token and opens out's window
    // there. false when the file is not read this way (refused, cut, faulty, with a warning or
    // without <elements>); out is then of no use. A file with Eagle's own head is read from the
    // file's bytes as they are, without the declaration's tokens, which no walker reads.
    bool open(std::string_view bytes, XmlReaderOpener open_reader, TokenList& out);
    // After the walk: reads the rest of the file. true when all of it read as a whole file
    // without a fault or a warning, and nothing of the left-out subtree was needed.
    bool finish(const TokenList& out);

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace tindral
