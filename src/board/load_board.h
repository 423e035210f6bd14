#pragma once
// The window-free steps of loading a board: the path rules, the titles, and the load itself,
// from the file's bytes to the grouped model. The Windows shell (shell/read_board_win) reads the
// file, shows what the load reports and puts the model on screen; tindral-cli prints it.

#include <string>
#include <string_view>
#include <vector>

#include "board/load_types.h"
#include "model/board_model.h"
#include "settings/settings.h"

namespace tindral {

// "C:\" and anything shorter cannot name a board file.
bool path_names_a_file(const std::wstring& path);

// Main window while loading: program name, six blanks, the file-name part of the path.
std::wstring main_title_for(const std::wstring& file_name);
// Board window once the file has been tokenised: program name, seven blanks, the whole path.
std::wstring board_path_title(const std::wstring& path);

// The options the settings give for the board at path; the reader and the layer table are the
// caller's to fill in.
LoadOptions load_options_from(const Settings& settings, const std::wstring& path);

struct LoadResult {
    // The board, grouped, every mark unset and kept, its path the options'. Released (only the
    // layer table left) when the load stopped.
    BoardModel board;
    LoadStatus status;
    // What the asker was told, in order; a damaged file is the last of them.
    std::vector<LoadStatus> warnings;
    std::wstring board_title;  // the board window's title after the walk; empty when none
    bool show_bom_button = false;
};

// Tokenises bytes, walks the tokens into a model and groups its components. The asker hears of
// the faults read past, of the walk's start and is asked about unknown names; nothing is shown
// and no global is read or written. Only running out of memory past the walk throws.
LoadResult load_board(std::string_view bytes, const LoadOptions& options, LoadAsker& asker);

// For callers that show nothing (tools, benchmarks, fixtures): goes on after every fault and
// answers every question Yes.
class AnswerYes : public LoadAsker {
public:
    bool go_on_after(const LoadStatus&, const LoadMessage&) override { return true; }
    bool go_on_after_unexpected(const LoadMessage&) override { return true; }
};

}  // namespace tindral
