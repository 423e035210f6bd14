// What the model holds after a read that was refused or abandoned by the user (the windows
// show nothing of a half-read board).

#include <gtest/gtest.h>

#include <string>

#include "board/load_board.h"
#include "settings/memory_store.h"
#include "support/language_guard.h"
#include "support/recording_port.h"
#include "support/settings_guard.h"
#include "support/temp_folder.h"

using namespace tindral;

namespace {

TEST(LoadBoard, RefusedOrAbandonedReadLeavesAnEmptyModel) {
    MemoryStore store;
    test::SettingsGuard settings(&store);
    test::LanguageGuard english(1);
    test::TempFolder dir;
    BoardModel board;
    board.layers = make_layer_table();
    {
        test::RecordingPort port;
        EXPECT_EQ(read_board(dir.write("text.brd", "just some text\r\n").wstring(), board).result, 0);
        EXPECT_EQ(port.boxes.size(), 1u);
    }
    {
        // An unknown element in the elements section, answered with No.
        const auto p = dir.write(
            "no.brd",
            "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE eagle SYSTEM \"eagle.dtd\">\n"
            "<eagle version=\"7.2.0\"><drawing><board><plain/><elements>"
            "<element name=\"R1\" library=\"l\" package=\"p\" value=\"1k\" x=\"1\" y=\"2\">"
            "<tindralfoo/></element></elements><libraries/></board></drawing></eagle>\n");
        g_settings.report_unexpected = 1;
        test::RecordingPort port;
        port.answers = {mb::id_no};
        const ReadBoardOutcome out = read_board(p.wstring(), board);
        EXPECT_EQ(out.result, 0);
        EXPECT_TRUE(out.board_title.empty());
        EXPECT_EQ(port.boxes.size(), 1u);
        EXPECT_TRUE(board.elements.empty());
        EXPECT_TRUE(board.marks.states().empty());
        EXPECT_EQ(board.board_loaded, 0u);
    }
}

}  // namespace
