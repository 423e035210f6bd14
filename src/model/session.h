#pragma once
// Everything one run of the program works on: the board, how it is shown, the settings and the
// main-list row chosen last. The Windows program holds one; the portable code takes the parts it
// needs as parameters.

#include <cstdint>

#include "model/board_model.h"
#include "settings/settings.h"
#include "view/board_view.h"

namespace tindral {

struct Session {
    BoardModel board = make_empty_board();
    BoardView view;
    Settings settings;
    int32_t last_row = -1;  // -1 for none; reset with every load
};

}  // namespace tindral
