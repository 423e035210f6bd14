// Board files on disk: a file that cannot be opened, and read-only boards.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "board/board_file.h"
#include "board_snippet.h"

using namespace tindral;
namespace fs = std::filesystem;

namespace {

const std::string kBoard =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
    "<!DOCTYPE eagle SYSTEM \"eagle.dtd\">\r\n"
    "<eagle version=\"6.5.0\">\r\n<drawing>\r\n<plain/>\r\n</drawing>\r\n</eagle>\r\n";

}  // namespace

TEST(TokeniseFile, MissingFileOrFolderIsNotOpenedAndSaysWhy) {
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
        std::string bytes;
        const FileReadResult r = read_whole_file(c.path.wstring(), bytes);
        EXPECT_EQ(r.status, FileReadStatus::open_failed);
        EXPECT_EQ(r.error, c.code);
        EXPECT_EQ(test::shown(open_failed_box(c.path.wstring(), L"system text")),
                  (test::ShownBox{Owner::none, L"system text", L"CreateFile:   " + c.path.wstring(), 0x42040}));
    }
}

TEST(TokeniseFile, ReadOnlyBoardOpenElsewhereLoadsAndLeavesNothingBeside) {
    test::TempFolder dir;
    const fs::path board = dir.write("amp.brd", kBoard);
    fs::permissions(board, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    std::ifstream held(board, std::ios::binary);  // another reader has it open
    ASSERT_TRUE(held.good());

    std::string bytes;
    ASSERT_EQ(read_whole_file(board.wstring(), bytes).status, FileReadStatus::ok);
    EXPECT_EQ(bytes, kBoard);
    TokenList list;
    EXPECT_EQ(tokenise_bytes(bytes, &open_platform_xml_reader, list).status.code, LoadCode::ok);

    size_t files = 0;
    for (const auto& e : fs::directory_iterator(dir.path)) {
        EXPECT_EQ(e.path().filename(), board.filename());
        ++files;
    }
    EXPECT_EQ(files, 1u);
}
