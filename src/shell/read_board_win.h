#pragma once
// Reading one board file into the program: the file, the boxes the load reports, the registry
// write and the board window's title at the moments the user knows them.

#include <functional>
#include <string>

#include "model/board_model.h"

namespace tindral {

struct ReadBoardOutcome {
    int result = 0;            // 1: the model holds the board, grouped; 0: stopped, reported
    bool declined = false;     // stopped by the user's No (or memory), not by a broken file
    std::wstring board_title;  // the board window's title after the walk; empty when none
    bool show_bom_button = false;
};

// Reads the file at path (the current board path from now on) and loads it into board with the
// settings' options. Every fault has been shown on return; a damaged file still loads. The
// settings are stored once the tokens are there, just after tokens_read has run; a load the user
// abandoned leaves board emptied.
ReadBoardOutcome read_board(const std::wstring& path, BoardModel& board,
                            const std::function<void()>& tokens_read = {});

}  // namespace tindral
