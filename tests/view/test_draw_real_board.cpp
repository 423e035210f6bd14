#include <gtest/gtest.h>

#include <algorithm>

#include "support/recording_canvas.h"
#include "support/recording_port.h"
#include "support/settings_guard.h"
#include "view/draw_board.h"
#include "view_fixture.h"

namespace tindral::test {
namespace {

// The parts of this board, on both sides and at every rotation (many bottom parts are MR90),
// all sit inside its dimension outline: a wrong transform of any primitive kind shows as a
// box outside it.
TEST(DrawRealBoard, EveryElementLiesInsideTheBoardOutline) {
    SettingsGuard settings;
    RecordingPort port;
    g_settings.show_bottom_side = 1;
    BoardModel b;
    ASSERT_TRUE(load_shared_board(L"sparkfun-qwiic-pir-e9.brd", b));
    BoardView v;
    v.area_width = 1000;
    v.area_height = 1000;
    fit_view(v, b, 1000, 1000, FitKind::load);

    // the outline: the plain wires of the dimension layer
    RecordingCanvas plain;
    Settings outline_only = g_settings;
    outline_only.layer_groups.fill(0);
    outline_only.set_layer_enabled(20, true);
    draw_plain(plain, b, v, outline_only);
    ElementBox outline;
    for (const DrawCall& d : plain.calls) widen_box(outline, d.args[0], d.args[1]);
    ASSERT_FALSE(outline.empty());
    EXPECT_GT(outline.max_x - outline.min_x, 500);

    RecordingCanvas c;
    draw_elements(c, b, v, g_settings);
    ASSERT_EQ(v.boxes.size(), b.elements.size());
    size_t drawn = 0;
    for (size_t i = 0; i < v.boxes.size(); ++i) {
        const ElementBox& box = v.boxes[i];
        if (box.empty()) continue;
        ++drawn;
        EXPECT_TRUE(box.min_x >= outline.min_x && box.max_x <= outline.max_x && box.min_y >= outline.min_y &&
                    box.max_y <= outline.max_y)
            << "element " << i << " (rot " << b.elements[i].rotation << ", side " << b.elements[i].side << ")";
    }
    EXPECT_GT(drawn, 20u);
    EXPECT_TRUE(port.boxes.empty());
}

}  // namespace
}  // namespace tindral::test
