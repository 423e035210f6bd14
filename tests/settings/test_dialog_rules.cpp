// The window-free rules of the settings, colour and path-list dialogs.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <string>
#include <vector>

#include "model/board_model.h"
#include "settings/colour_choice.h"
#include "settings/layer_choice.h"
#include "settings/path_delete.h"
#include "settings/settings.h"
#include "settings/settings_dialog_rules.h"

using namespace tindral;

namespace {

// The follow-up work OK names, as one text.
std::string work_of(const SettingsOkWork& w) {
    std::string out;
    if (w.clear_selection) out += "clear ";
    if (w.rebuild_path_combo) out += "combo ";
    if (w.store_layer_groups) out += "layers ";
    if (w.remove_crosshair) out += "crosshair ";
    if (w.redraw_area) out += "redraw ";
    return out;
}

std::vector<std::wstring> texts_of(const std::vector<LayerLine>& lines, const std::vector<int>& at) {
    std::vector<std::wstring> out;
    for (int i : at) out.push_back(lines[static_cast<size_t>(i)].text);
    return out;
}

TEST(LayerChoice, LinesAreFormattedAndStopAtTheFirstEmptyRow) {
    auto layers = make_layer_table();
    const std::vector<LayerLine> lines = layer_lines(layers);
    ASSERT_EQ(lines.size(), 56u);
    EXPECT_EQ(lines[0].number, layers[0].number);
    // " %4d %12s   ": number right-aligned in 4, name right-aligned in 12, three blanks.
    const LayerLine& tplace = *std::find_if(lines.begin(), lines.end(),
                                            [](const LayerLine& l) { return l.number == 21; });
    EXPECT_EQ(tplace.text, L"   21       tPlace   ");

    layers[3].number = 0;
    EXPECT_EQ(layer_lines(layers).size(), 3u);
}

TEST(LayerChoice, SelectionRoundTripsThroughTheLineTexts) {
    const auto layers = make_layer_table();
    const std::vector<LayerLine> lines = layer_lines(layers);
    Settings s = kDefaultSettings;

    // The stored default set selects its ten layers and the pad line; reading the lines back
    // gives the same set and pads on.
    const std::vector<int> picked = selected_layer_lines(lines, s);
    EXPECT_EQ(picked.size(), 11u);
    Settings back = kDefaultSettings;
    back.layer_groups.fill(0xFFFFFFFF);
    back.show_pads = 0;
    layer_set_from_lines(back, texts_of(lines, picked));
    EXPECT_EQ(back.layer_groups, kDefaultSettings.layer_groups);
    EXPECT_EQ(back.show_pads, 1u);

    // "Set default layers": exactly the rows with the default flag.
    back.show_pads = 0;
    layer_set_from_lines(back, texts_of(lines, default_layer_lines(lines, layers)));
    for (const LayerRec& row : layers) {
        if (row.number == 0) break;
        EXPECT_EQ(back.layer_enabled(row.number), row.default_choice != 0) << row.number;
    }
    EXPECT_EQ(back.show_pads, 1u);

    // Lines without a usable number are passed over; none selected empties the set.
    layer_set_from_lines(back, {L"  300  Big", L"Layers", L"", L"  255 Top  "});
    EXPECT_TRUE(back.layer_enabled(255));
    int enabled = 0;
    for (int n = 0; n < 256; ++n) enabled += back.layer_enabled(n) ? 1 : 0;
    EXPECT_EQ(enabled, 1);
    layer_set_from_lines(back, {});
    EXPECT_EQ(back.layer_groups, (std::array<uint32_t, 8>{}));
}

// The pad line of the layer list stands for the pad switch, not for a layer bit.
TEST(LayerChoice, ThePadLineFollowsTheSwitchNotTheLayerBit) {
    const std::vector<LayerLine> lines = layer_lines(make_layer_table());
    const auto line_of = [&](int number) {
        return std::find_if(lines.begin(), lines.end(), [&](const LayerLine& l) { return l.number == number; }) -
               lines.begin();
    };
    const int pad_line = static_cast<int>(line_of(kPadLayer));
    ASSERT_LT(pad_line, static_cast<int>(lines.size()));
    const auto has_pad_line = [&](const Settings& s) {
        const std::vector<int> picked = selected_layer_lines(lines, s);
        return std::find(picked.begin(), picked.end(), pad_line) != picked.end();
    };
    Settings s = kDefaultSettings;
    EXPECT_EQ(s.show_pads, 1u);  // on for a fresh user
    EXPECT_TRUE(has_pad_line(s));
    s.show_pads = 0;
    s.set_layer_enabled(kPadLayer, true);  // an old stored set with the bit on
    EXPECT_FALSE(has_pad_line(s));

    // Choosing the pad line alone: pads on, no layer drawn, the bit stays clear.
    layer_set_from_lines(s, {lines[pad_line].text});
    EXPECT_EQ(s.show_pads, 1u);
    EXPECT_EQ(s.layer_groups, (std::array<uint32_t, 8>{}));
    // Any choice without it switches the pads off and leaves the other layers as chosen.
    layer_set_from_lines(s, {lines[line_of(21)].text});
    EXPECT_EQ(s.show_pads, 0u);
    EXPECT_TRUE(s.layer_enabled(21));
}

TEST(ColourChoice, SlotsCoverEveryColourOnceAndDefaultsTouchOnlyColours) {
    std::set<int> swatches, captions;
    Settings probe;
    std::set<const uint32_t*> colours;
    int pens = 0;
    for (const ColourSlot& slot : kColourSlots) {
        swatches.insert(slot.swatch_id);
        captions.insert(slot.caption_id);
        colours.insert(&(probe.*slot.colour));
        pens += slot.has_pen ? 1 : 0;
        EXPECT_EQ(colour_slot_by_swatch(slot.swatch_id), &slot);
    }
    EXPECT_EQ(swatches.size(), 16u);
    EXPECT_EQ(captions.size(), 16u);
    EXPECT_EQ(colours.size(), 16u);
    EXPECT_EQ(pens, 8);
    EXPECT_EQ(colour_slot_by_swatch(1018), nullptr);  // a caption is no swatch

    Settings s = kDefaultSettings;
    for (const ColourSlot& slot : kColourSlots) s.*slot.colour = 0x123456;
    s.language = 0;
    s.sort_col = 3;
    s.show_pads = 0;  // a switch, not a colour
    reset_colours_to_default(s);
    Settings expected = kDefaultSettings;
    expected.language = 0;
    expected.sort_col = 3;
    expected.show_pads = 0;
    EXPECT_EQ(s, expected);
    // The copper differs from every other colour drawn on the board.
    for (const ColourSlot& other : kColourSlots) {
        if (other.has_pen && other.colour != &Settings::color_pads) {
            EXPECT_NE(kDefaultSettings.*other.colour, kDefaultSettings.color_pads);
        }
    }
}

TEST(ColourChoice, CopyTopToBottomTakesOnlyTheThreeBoardColours) {
    Settings s = kDefaultSettings;
    s.color_top_unselected = 0x010101;
    s.color_top_curr_selection = 0x020202;
    s.color_top_selected = 0x030303;
    s.group_color_top_text1 = 0x040404;
    s.color_crosshair = 0x050505;
    Settings before = s;
    copy_top_colours_to_bottom(s);
    before.color_bottom_unselected = 0x010101;
    before.color_bottom_curr_selection = 0x020202;
    before.color_bottom_selected = 0x030303;
    EXPECT_EQ(s, before);  // list colours and crosshair untouched
}

TEST(PathDelete, FileNamePartLooksNoFurtherLeftThanTheThirdCharacter) {
    EXPECT_EQ(path_file_part(L"C:\\boards\\rev2\\main.brd"), L"\\main.brd");
    EXPECT_EQ(path_file_part(L"C:\\x.brd"), L"\\x.brd");      // backslash at index 2
    EXPECT_EQ(path_file_part(L"C:\\boards\\"), L"\\");        // ends in a backslash
    EXPECT_EQ(path_file_part(L"\\\\server"), L"server");       // backslashes only before index 2
    EXPECT_EQ(path_file_part(L"board.brd"), L"ard.brd");
    EXPECT_EQ(path_file_part(L"ab"), L"");
    EXPECT_EQ(path_file_part(L""), L"");
}

TEST(PathDelete, DeletesTheSelectedEntriesFromBothListsAndKeepsTheRest) {
    const std::vector<std::wstring> items = {L"C:\\a\\one.brd", L"C:\\b\\two.brd",
                                             L"C:\\c\\three.brd", L"C:\\d\\four.brd"};
    PathDeleteLists lists = path_delete_lists(items);
    ASSERT_EQ(lists.names[2], L"\\three.brd");

    // Nothing valid selected: nothing changes.
    EXPECT_FALSE(delete_selected_paths(lists, {}));
    EXPECT_FALSE(delete_selected_paths(lists, {-1, 4}));
    EXPECT_EQ(lists.paths, items);

    // Unordered and repeated indices still name the entries as they were listed.
    EXPECT_TRUE(delete_selected_paths(lists, {3, 0, 3}));
    EXPECT_EQ(lists.paths, (std::vector<std::wstring>{items[1], items[2]}));
    EXPECT_EQ(lists.names, (std::vector<std::wstring>{L"\\two.brd", L"\\three.brd"}));

    Settings s = kDefaultSettings;
    for (int i = 0; i < kRecentPathCount; ++i) s.recent_paths[i] = L"old";
    const std::vector<std::wstring> combo = keep_remaining_paths(lists, s);
    EXPECT_EQ(combo, lists.paths);
    EXPECT_EQ(s.recent_paths[0], items[1]);
    EXPECT_EQ(s.recent_paths[1], items[2]);
    for (int i = 2; i < kRecentPathCount; ++i) EXPECT_TRUE(s.recent_paths[i].empty()) << i;

    // Everything deleted: an all-empty list.
    EXPECT_TRUE(delete_selected_paths(lists, {0, 1}));
    EXPECT_TRUE(keep_remaining_paths(lists, s).empty());
    for (const std::wstring& p : s.recent_paths) EXPECT_TRUE(p.empty());
}

TEST(SettingsDialogRules, OkTakesTheControlsAndNamesTheFollowUps) {
    Settings s = kDefaultSettings;  // leave_selected 1, use_filelist 0, crosshair 1, mode 2
    const SettingsDialogMemory opened = open_settings_dialog_memory(s);
    SettingsDialogChoice choice{.german = true, .leave_selected = false,
                                .save_selections_on_exit = true, .use_filelist = true,
                                .use_crosshair = false, .double_click = true, .printer_mode = 3,
                                .selected_layer_texts = {L"   21       tPlace   "}};

    // Nothing clicked: the values are taken, but only the changed "Leave selected" asks for work.
    bool double_click = false;
    const SettingsOkWork work = apply_settings_choice(s, double_click, opened, choice);
    EXPECT_EQ(s.language, 0u);
    EXPECT_EQ(s.leave_selected, 0u);
    EXPECT_EQ(s.save_selections_on_exit, 1u);
    EXPECT_EQ(s.use_filelist, 1u);
    EXPECT_EQ(s.use_crosshair, 0u);
    EXPECT_EQ(s.printer_selection_mode, 3u);
    EXPECT_TRUE(double_click);
    EXPECT_TRUE(s.layer_enabled(21));
    EXPECT_FALSE(s.layer_enabled(20));  // rebuilt from the list, not added to
    EXPECT_EQ(work_of(work), "clear ");

    // Clicked: the file list and crosshair count only when their value ended up changed / off.
    SettingsDialogMemory clicked = opened;
    clicked.layers_changed = clicked.leave_selected_clicked = true;
    clicked.crosshair_clicked = clicked.file_list_clicked = true;
    s = kDefaultSettings;
    EXPECT_EQ(work_of(apply_settings_choice(s, double_click, clicked, choice)),
              "clear combo layers crosshair redraw ");

    choice.use_filelist = false;
    choice.use_crosshair = true;
    choice.leave_selected = true;
    choice.printer_mode = 0;  // no radio checked: the mode stays
    s = kDefaultSettings;
    EXPECT_EQ(work_of(apply_settings_choice(s, double_click, clicked, choice)), "layers redraw ");
    EXPECT_EQ(s.printer_selection_mode, 2u);
}

}  // namespace
