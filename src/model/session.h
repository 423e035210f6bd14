#pragma once
// Everything one run of the program works on: the board, how it is shown, the settings, the
// main-list row chosen last and the paper the print jobs found. The Windows program holds one;
// the portable code takes the parts it needs as parameters.

#include <cstdint>
#include <string>
#include <vector>

#include "model/board_model.h"
#include "print/print_job.h"
#include "settings/settings.h"
#include "view/board_view.h"

namespace tindral {

struct Session {
    BoardModel board = make_empty_board();
    BoardView view;
    Settings settings;
    int32_t last_row = -1;  // -1 for none; reset with every load
    PaperSize paper;        // unknown until a print job finds it; kept from job to job
    // The find box's text and, while it is not empty, one flag per component that matches it.
    std::wstring find_text;
    std::vector<uint8_t> find_matches;
};

}  // namespace tindral
