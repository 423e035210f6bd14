#pragma once
// Small board files for the parser tests: a body inside <eagle><drawing><board>, tokenised by the
// program's own tokeniser, and parsed into a fresh model with its own layer table.

#include <gtest/gtest.h>

#include <string>

#include "board/parse_board.h"
#include "board/tokenise.h"
#include "model/board_model.h"
#include "settings/settings.h"

namespace tindral::test {

inline TokenList tokens_of(const std::string& board_body) {
    const std::string xml = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                            "<!DOCTYPE eagle SYSTEM \"eagle.dtd\">\n"
                            "<eagle version=\"7.2.0\"><drawing><board>" +
                            board_body + "</board></drawing></eagle>";
    TokenList tokens;
    const TokeniseResult r = tokenise_bytes(xml, tokens);
    EXPECT_TRUE(r.ok && !r.damaged) << xml;
    return tokens;
}

inline BoardModel fresh_board() {
    BoardModel board;
    board.layers = make_layer_table();
    return board;
}

struct Parsed {
    BoardModel board = fresh_board();
    ParseOutcome outcome;
};

inline Parsed parse_snippet(const std::string& board_body) {
    Parsed p;
    p.outcome = parse_board(tokens_of(board_body), p.board);
    return p;
}

// Sets the board-related settings for one test and restores them (and the board path)
// afterwards.
class BoardSettingsGuard {
public:
    BoardSettingsGuard(uint32_t report_unexpected, uint32_t show_top = 1, uint32_t show_bottom = 0)
        : saved_(g_settings) {
        g_settings.report_unexpected = report_unexpected;
        g_settings.show_top_side = show_top;
        g_settings.show_bottom_side = show_bottom;
    }
    ~BoardSettingsGuard() {
        g_settings.report_unexpected = saved_.report_unexpected;
        g_settings.show_top_side = saved_.show_top_side;
        g_settings.show_bottom_side = saved_.show_bottom_side;
        g_settings.xml_path_file_name = saved_.xml_path_file_name;
    }
    BoardSettingsGuard(const BoardSettingsGuard&) = delete;
    BoardSettingsGuard& operator=(const BoardSettingsGuard&) = delete;

private:
    Settings saved_;
};

// A library "lib" with one package of the given name and children.
inline std::string library_with(const std::string& package, const std::string& children,
                                const std::string& library = "lib") {
    return "<library name=\"" + library + "\"><packages><package name=\"" + package + "\">" +
           children + "</package></packages></library>";
}

}  // namespace tindral::test
