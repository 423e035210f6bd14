// The pad switch behind the layer list's pad line and the pad colour's place among the colours.

#include <gtest/gtest.h>

#include <algorithm>

#include "model/board_model.h"
#include "settings/colour_choice.h"
#include "settings/layer_choice.h"
#include "settings/settings_table.h"

using namespace tindral;

namespace {

int line_of(const std::vector<LayerLine>& lines, int number) {
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].number == number) return static_cast<int>(i);
    return -1;
}

bool has(const std::vector<int>& v, int x) { return std::find(v.begin(), v.end(), x) != v.end(); }

}  // namespace

TEST(PadChoice, ThePadLineFollowsTheSwitchNotTheLayerBit) {
    const std::vector<LayerLine> lines = layer_lines(make_layer_table());
    const int pad_line = line_of(lines, kPadLayer);
    ASSERT_GE(pad_line, 0);

    Settings s = kDefaultSettings;
    EXPECT_EQ(s.show_pads, 1u);  // on for a fresh user
    EXPECT_TRUE(has(selected_layer_lines(lines, s), pad_line));
    s.show_pads = 0;
    s.set_layer_enabled(kPadLayer, true);  // an old stored set with the bit on
    EXPECT_FALSE(has(selected_layer_lines(lines, s), pad_line));

    // Choosing the pad line alone: pads on, no layer drawn, the bit stays clear.
    layer_set_from_lines(s, {lines[pad_line].text});
    EXPECT_EQ(s.show_pads, 1u);
    EXPECT_EQ(s.layer_groups, (std::array<uint32_t, 8>{}));
    // Any choice without it switches the pads off and leaves the other layers as chosen.
    layer_set_from_lines(s, {lines[line_of(lines, 21)].text});
    EXPECT_EQ(s.show_pads, 0u);
    EXPECT_TRUE(s.layer_enabled(21));
}

TEST(PadChoice, ColourAndSwitchHaveValuesOfTheirOwnAndDefaultsTouchOnlyTheColour) {
    const SettingDesc* colour = find_setting(L"Color pads");
    const SettingDesc* shown = find_setting(L"Show pads");
    ASSERT_NE(colour, nullptr);
    ASSERT_NE(shown, nullptr);
    Settings s = kDefaultSettings;
    colour->dword(s) = 0x00FF00;
    shown->dword(s) = 0;
    EXPECT_EQ(s.color_pads, 0x00FF00u);
    EXPECT_EQ(s.show_pads, 0u);
    reset_colours_to_default(s);
    EXPECT_EQ(s.color_pads, kDefaultSettings.color_pads);
    EXPECT_EQ(s.show_pads, 0u);  // a switch, not a colour
    // The copper differs from every other colour drawn on the board.
    for (const ColourSlot& other : kColourSlots)
        if (other.has_pen && other.colour != &Settings::color_pads)
            EXPECT_NE(kDefaultSettings.*other.colour, kDefaultSettings.color_pads);
}
