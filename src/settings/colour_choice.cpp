#include "settings/colour_choice.h"

namespace tindral {

const ColourSlot kColourSlots[kColourSlotCount] = {
    {1026, 1018, TXT_COLOR_TOP_TEXT1, &Settings::group_color_top_text1, false},
    {1030, 1022, TXT_COLOR_TOP_BACK1, &Settings::group_color_top_back1, false},
    {1027, 1019, TXT_COLOR_TOP_TEXT2, &Settings::group_color_top_text2, false},
    {1031, 1023, TXT_COLOR_TOP_BACK2, &Settings::group_color_top_back2, false},
    {1042, 1034, TXT_COLOR_BOTTOM_TEXT1, &Settings::group_color_bottom_text1, false},
    {1046, 1038, TXT_COLOR_BOTTOM_BACK1, &Settings::group_color_bottom_back1, false},
    {1043, 1035, TXT_COLOR_BOTTOM_TEXT2, &Settings::group_color_bottom_text2, false},
    {1047, 1039, TXT_COLOR_BOTTOM_BACK2, &Settings::group_color_bottom_back2, false},
    {1061, 1060, TXT_CURRENT_SELECTION, &Settings::color_top_curr_selection, true},
    {1063, 1062, TXT_SELECTED, &Settings::color_top_selected, true},
    {1059, 1058, TXT_UNSELECTED, &Settings::color_top_unselected, true},
    {1067, 1066, TXT_CURRENT_SELECTION, &Settings::color_bottom_curr_selection, true},
    {1065, 1068, TXT_SELECTED, &Settings::color_bottom_selected, true},
    {1069, 1064, TXT_UNSELECTED, &Settings::color_bottom_unselected, true},
    {1056, 1055, TXT_CROSSHAIR, &Settings::color_crosshair, true},
    {3201, 3200, TXT_PAD_COLOUR, &Settings::color_pads, true},
};

const ColourSlot* colour_slot_by_swatch(int swatch_id) {
    for (const ColourSlot& slot : kColourSlots)
        if (slot.swatch_id == swatch_id) return &slot;
    return nullptr;
}

void reset_colours_to_default(Settings& s) {
    for (const ColourSlot& slot : kColourSlots) s.*slot.colour = kDefaultSettings.*slot.colour;
}

void copy_top_colours_to_bottom(Settings& s) {
    s.color_bottom_unselected = s.color_top_unselected;
    s.color_bottom_curr_selection = s.color_top_curr_selection;
    s.color_bottom_selected = s.color_top_selected;
}

void sample_lines(const Settings& s, SampleLine (&out)[kSampleLineCount]) {
    // Three pairs per side, 40 pixels apart; the second line of a pair 20 pixels lower.
    struct Side {
        int y;
        uint32_t text1, back1, text2, back2;
    };
    const Side sides[2] = {
        {58, s.group_color_top_text1, s.group_color_top_back1, s.group_color_top_text2,
         s.group_color_top_back2},
        {259, s.group_color_bottom_text1, s.group_color_bottom_back1, s.group_color_bottom_text2,
         s.group_color_bottom_back2},
    };
    int k = 0;
    for (const Side& side : sides)
        for (int pair = 0; pair < 3; ++pair) {
            const int y = side.y + 40 * pair;
            out[k++] = {270, y, side.text1, side.back1};
            out[k++] = {270, y + 20, side.text2, side.back2};
        }
}

}  // namespace tindral
