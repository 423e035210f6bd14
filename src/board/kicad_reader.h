#pragma once
// KiCad boards (.kicad_pcb, versions 5 to 9) into the board model: each footprint a part with
// its outlines, the board edge as plain drawing. Footprints that are no part to fit (board
// only, kept out of the BOM, KiCad 5's virtual ones) are drawn with the plain drawing.

#include <cstdint>
#include <string_view>

#include "board/load_types.h"
#include "model/board_model.h"

namespace tindral {

// True when bytes begin as a KiCad board does (after white space): "(kicad_pcb".
bool is_kicad_board(std::string_view bytes);

// True for the boards of KiCad 4 and older ("PCBNEW-BOARD"), which are no s-expressions.
bool is_legacy_kicad_board(std::string_view bytes);

struct KicadOutcome {
    KicadCode code = KicadCode::ok;
    uint32_t line = 0;      // broken brackets: where
    uint32_t version = 0;   // the file's (version N), when it has one
};

// Reads the board in bytes into board (emptied first; the layer table stays). On any refusal
// the model is left empty.
KicadOutcome read_kicad_board(std::string_view bytes, const LoadOptions& options, BoardModel& board);

}  // namespace tindral
