// Reading a board for the windows: path rules, titles, and what the model holds after a read
// that succeeded, was refused, or was abandoned by the user.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "board/load_board.h"
#include "settings/memory_store.h"
#include "support/language_guard.h"
#include "support/recording_port.h"
#include "support/settings_guard.h"

using namespace tindral;
namespace fs = std::filesystem;

namespace {

fs::path temp_file(const std::string& name, const std::string& bytes) {
    const fs::path p = fs::temp_directory_path() / ("tindral-load-" + name);
    std::ofstream(p, std::ios::binary) << bytes;
    return p;
}

TEST(LoadBoard, PathRulesAndTitles) {
    EXPECT_FALSE(path_names_a_file(L"C:\\"));
    EXPECT_FALSE(path_names_a_file(L""));
    EXPECT_TRUE(path_names_a_file(L"C:\\a"));
    EXPECT_EQ(main_title_for(L"x.brd"), L"Tindral V2.00.1      x.brd");
    EXPECT_EQ(board_path_title(L"C:\\boards\\x.brd"), L"Tindral V2.00.1       C:\\boards\\x.brd");
}

TEST(LoadBoard, RealBoardIsReadGroupedWithFreshStatesAndPathStored) {
    MemoryStore store;
    test::SettingsGuard settings(&store);
    test::RecordingPort port;
    g_settings.show_bottom_side = 1;
    BoardModel board;
    board.layers = make_layer_table();
    board.selection = {1, 2};  // from an earlier board

    const std::wstring path = std::wstring(TINDRAL_BOARDS_DIR) + L"/sparkfun-qwiic-pir-e9.brd";
    int order = 0, tokens_read_at = -1;
    const ReadBoardOutcome out = read_board(path, board, [&] {
        tokens_read_at = order++;
        EXPECT_EQ(store.find(L"Xml path file name"), nullptr);  // stored after the tokens
    });
    EXPECT_EQ(tokens_read_at, 0);
    ASSERT_EQ(out.result, 1);
    EXPECT_TRUE(port.boxes.empty());
    EXPECT_EQ(board.board_loaded, 1u);
    EXPECT_TRUE(out.show_bom_button);
    EXPECT_EQ(out.board_title, L"Tindral V2.00.1    " + path);  // no backslash in a native path
    ASSERT_FALSE(board.elements.empty());
    EXPECT_EQ(board.selection, std::vector<uint32_t>(board.elements.size(), 0));
    for (const ElementRec& e : board.elements) EXPECT_NE(e.group, 0u) << e.name.c_str();
    EXPECT_EQ(store.string(L"Xml path file name"), path);
}

TEST(LoadBoard, RefusedOrAbandonedReadLeavesAnEmptyModel) {
    MemoryStore store;
    test::SettingsGuard settings(&store);
    test::LanguageGuard english(1);
    BoardModel board;
    board.layers = make_layer_table();
    {
        test::RecordingPort port;
        const fs::path p = temp_file("text.brd", "just some text\r\n");
        EXPECT_EQ(read_board(p.wstring(), board).result, 0);
        EXPECT_EQ(port.boxes.size(), 1u);
        fs::remove(p);
    }
    {
        // An unknown element in the elements section, answered with No.
        const fs::path p = temp_file(
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
        EXPECT_TRUE(board.selection.empty());
        EXPECT_EQ(board.board_loaded, 0u);
        fs::remove(p);
    }
}

}  // namespace
