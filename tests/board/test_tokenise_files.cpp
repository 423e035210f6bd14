// Board files on disk: opening, refusing and read-only boards.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "board/tokenise.h"
#include "support/recording_port.h"
#include "support/temp_folder.h"

using namespace tindral;
using test::RecordingPort;
namespace fs = std::filesystem;

namespace {

const std::string kBoard =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
    "<!DOCTYPE eagle SYSTEM \"eagle.dtd\">\r\n"
    "<eagle version=\"6.5.0\">\r\n<drawing>\r\n<plain/>\r\n</drawing>\r\n</eagle>\r\n";

}  // namespace

TEST(TokeniseFile, MissingFileOrFolderShowsTheSystemTextAndDropsThePath) {
    test::TempFolder dir;
    struct Case {
        fs::path path;
        uint32_t code;
    };
#ifdef _WIN32
    const uint32_t folder_code = 5;  // ERROR_ACCESS_DENIED
#else
    const uint32_t folder_code = 21;  // EISDIR
#endif
    const Case cases[] = {{dir.path / "missing.brd", 2}, {dir.path, folder_code}};
    for (const Case& c : cases) {
        RecordingPort port;
        TokenList list;
        const TokeniseResult r = tokenise_board(c.path.wstring(), list);
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.drop_path);
        EXPECT_EQ(list.count(), 0u);
        EXPECT_EQ(port.boxes, (test::Boxes{{Owner::none, L"system text " + std::to_wstring(c.code),
                                            L"CreateFile:   " + c.path.wstring(), 0x42040}}));
    }
}

TEST(TokeniseFile, ReadOnlyBoardOpenElsewhereLoadsAndLeavesNothingBeside) {
    test::TempFolder dir;
    const fs::path board = dir.write("amp.brd", kBoard);
    fs::permissions(board, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    std::ifstream held(board, std::ios::binary);  // another reader has it open
    ASSERT_TRUE(held.good());

    RecordingPort port;
    TokenList list;
    const TokeniseResult r = tokenise_board(board.wstring(), list);
    EXPECT_TRUE(r.ok && !r.damaged && !r.drop_path);
    EXPECT_TRUE(port.boxes.empty());
    EXPECT_EQ(list.count(), 13u);
    EXPECT_EQ(list.at(9).text, L"plain");
    EXPECT_EQ(list.at(10).kind, kTokenEmptyEnd);

    size_t files = 0;
    for (const auto& e : fs::directory_iterator(dir.path)) {
        EXPECT_EQ(e.path().filename(), board.filename());
        ++files;
    }
    EXPECT_EQ(files, 1u);
}
