#pragma once
// The colour settings as the colour dialog shows them: swatch, caption, setting, and
// whether the board view draws with a pen of that colour.

#include <cstdint>

#include "settings/settings.h"
#include "text/lang.h"

namespace tindral {

struct ColourSlot {
    int swatch_id;
    int caption_id;
    TextKey caption;
    uint32_t Settings::*colour;
    bool has_pen;  // board colours: drawn with a pen as well as shown with a brush
};

constexpr int kColourSlotCount = 16;
extern const ColourSlot kColourSlots[kColourSlotCount];

// The slot of a swatch control, or nullptr.
const ColourSlot* colour_slot_by_swatch(int swatch_id);

// All the colours back to their defaults; nothing else changes.
void reset_colours_to_default(Settings& s);

// The three bottom board colours take the top ones (unselected, current, selected). The list
// colours and the crosshair stay.
void copy_top_colours_to_bottom(Settings& s);

// The sample lines of the dialog: where each is drawn and in which colours.
struct SampleLine {
    int x, y;
    uint32_t text_colour, back_colour;
};
constexpr int kSampleLineCount = 12;
void sample_lines(const Settings& s, SampleLine (&out)[kSampleLineCount]);

}  // namespace tindral
