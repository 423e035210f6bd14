// Board files on disk: opening, refusing, read-only boards and the real boards.

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

TEST(TokeniseFile, EveryRealBoardGivesACompleteWellFormedStream) {
    size_t boards = 0;
    for (const auto& e : fs::directory_iterator(fs::path(TINDRAL_BOARDS_DIR))) {
        if (e.path().extension() != ".brd") continue;
        ++boards;
        SCOPED_TRACE(e.path().filename().string());
        RecordingPort port;
        TokenList list;
        const TokeniseResult r = tokenise_board(e.path().wstring(), list);
        EXPECT_TRUE(r.ok && !r.damaged && !r.drop_path);
        EXPECT_TRUE(port.boxes.empty());
        ASSERT_GT(list.count(), 1000u);
        EXPECT_EQ(list.at(0).kind, kTokenXmlDecl);
        size_t first_element = 0;
        while (list.at(first_element).kind != kTokenStart) ++first_element;
        EXPECT_EQ(list.at(first_element).text, L"eagle");
        EXPECT_EQ(list.tokens.back().kind, kTokenEnd);
        EXPECT_EQ(list.tokens.back().text, L"eagle");
        // Names are never empty and every attribute name has its value right after it.
        size_t bad = 0;
        for (size_t i = 0; i < list.count(); ++i) {
            const XmlToken& t = list.at(i);
            if ((t.kind == kTokenStart || t.kind == kTokenEnd || t.kind == kTokenAttrName) &&
                t.text.empty())
                ++bad;
            if (t.kind == kTokenAttrName && list.at(i + 1).kind != kTokenAttrValue) ++bad;
            if (t.kind == kTokenText && t.text.find_first_not_of(L" \t\r\n") == std::wstring::npos)
                ++bad;
        }
        EXPECT_EQ(bad, 0u);
    }
    EXPECT_GE(boards, 10u);
}
