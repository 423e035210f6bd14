#pragma once
// The window-free steps of loading a board: the path rules, the titles, and reading the file
// into the model up to the grouped components. The Windows driver (board/win/load_board_win)
// wraps them with the controls and the drawing area.

#include <functional>
#include <string>

#include "model/board_model.h"

namespace tindral {

// "C:\" and anything shorter cannot name a board file.
bool path_names_a_file(const std::wstring& path);

// Main window while loading: program name, six blanks, the file-name part of the path.
std::wstring main_title_for(const std::wstring& file_name);
// Board window once the file has been tokenised: program name, seven blanks, the whole path.
std::wstring board_path_title(const std::wstring& path);

struct ReadBoardOutcome {
    int result = 0;            // 1: the model holds the board, grouped; 0: stopped, reported
    bool declined = false;     // stopped by the user's No (or memory), not by a broken file
    std::wstring board_title;  // the board window's title after the walk; empty when none
    bool show_bom_button = false;
};

// Tokenises path, stores the settings, parses, makes the selection states anew (all 0) and
// groups the components; the model keeps path as its own. A damaged file has been reported by
// the tokeniser and still loads.
// When the walk is abandoned (the user answered No) the model is emptied, so nothing of it is
// shown. tokens_read runs between tokenising and parsing.
ReadBoardOutcome read_board(const std::wstring& path, BoardModel& board,
                            const std::function<void()>& tokens_read = {});

}  // namespace tindral
