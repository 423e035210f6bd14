#pragma once
// The lines of a layer list box (settings dialog, board window) and the layer set they stand for.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/board_model.h"
#include "settings/settings.h"

namespace tindral {

struct LayerLine {
    std::wstring text;  // " %4d %12s   " of number and name
    int32_t number = 0;
};

// One line per layer table row, in table order, up to the first empty row.
std::vector<LayerLine> layer_lines(const std::array<LayerRec, kLayerRows>& layers);

// The line of the board's pad layer switches the pads (Settings::show_pads), not its bit of the
// layer set.
constexpr int kPadLayer = 17;

// The lines to select for the layer set of s: for each layer 0..255 in the set, the first line
// with that number.
std::vector<int> selected_layer_lines(const std::vector<LayerLine>& lines, const Settings& s);

// The lines of the layers whose default flag is set, and the pad line when pads are on by
// default.
std::vector<int> default_layer_lines(const std::vector<LayerLine>& lines,
                                     const std::array<LayerRec, kLayerRows>& layers);

// Clears the layer set and rebuilds it from the texts of the selected lines, each read as a
// decimal layer number; texts that name no layer 0..255 are passed over. The pad layer's line
// sets show_pads, its bit stays clear.
void layer_set_from_lines(Settings& s, const std::vector<std::wstring>& selected_texts);

}  // namespace tindral
