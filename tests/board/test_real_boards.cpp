#include <gtest/gtest.h>

#include <array>
#include <string>

#include "board/parse_board.h"
#include "board/tokenise.h"
#include "model/placement.h"
#include "board_snippet.h"
#include "support/recording_port.h"

namespace tindral::test {
namespace {

// Counts from the boards' fact sheet (SOURCES.md beside them): elements, bottom ones,
// libraries, packages; the packages' wires, circles, rectangles, polygons and holes; the plain
// wires, circles and holes.
using Counts = std::array<size_t, 12>;
struct BoardFacts {
    const wchar_t* file;
    Counts counts;
};

const BoardFacts kBoards[] = {
    {L"adafruit-vcnl4010-e6.brd", {16, 2, 1, 8, 31, 6, 1135, 0, 0, 8, 0, 0}},
    {L"olimex-olimexino-85bc-e6.brd", {40, 7, 9, 18, 268, 14, 36, 0, 4, 22, 4, 2}},
    {L"ultimachine-rambo-e6.brd", {309, 0, 20, 56, 1033, 17, 3549, 62, 1, 98, 5, 0}},
    {L"olimex-a10-olinuxino-lime-reva-e6.brd", {356, 239, 14, 55, 1970, 32, 241, 3, 22, 326, 4, 0}},
    {L"olimex-lcd-olinuxino-7ts-reva-e7.brd", {86, 85, 10, 25, 1041, 16, 81, 0, 6, 4, 0, 0}},
    {L"sparkfun-serial-motor-driver-e7.brd", {49, 7, 10, 21, 137, 10, 126, 13, 1, 47, 2, 0}},
    {L"sparkfun-spectacle-director-e7.brd", {76, 11, 16, 27, 154, 6, 85, 14, 5, 24, 0, 0}},
    {L"luckyresistor-plant-sensor-head-e8.brd", {23, 2, 2, 11, 97, 4, 25, 0, 0, 338, 17, 0}},
    {L"luckyresistor-snowflake-e8.brd", {51, 32, 1, 8, 962, 2, 32, 1, 0, 3146, 2, 16}},
    {L"sparkfun-qwiic-pir-e9.brd", {48, 18, 13, 34, 62, 13, 150, 49, 1, 10, 0, 0}},
    {L"adafruit-metro-rp2350-e9.brd", {170, 5, 9, 104, 291, 10, 52006, 17, 8, 20, 0, 4}},
};

// Names are never empty, every attribute name has its value right after it, and no text is
// blank; the stream runs from the declaration to the end of <eagle>.
size_t malformed_tokens(const TokenList& list) {
    size_t first_element = 0;
    while (list.at(first_element).kind != kTokenStart && first_element < list.count()) ++first_element;
    size_t bad = 0;
    if (list.at(0).kind != kTokenXmlDecl || list.at(first_element).text != L"eagle") ++bad;
    if (list.tokens.back().kind != kTokenEnd || list.tokens.back().text != L"eagle") ++bad;
    for (size_t i = 0; i < list.count(); ++i) {
        const XmlToken& t = list.at(i);
        if ((t.kind == kTokenStart || t.kind == kTokenEnd || t.kind == kTokenAttrName) && t.text.empty()) ++bad;
        if (t.kind == kTokenAttrName && list.at(i + 1).kind != kTokenAttrValue) ++bad;
        if (t.kind == kTokenText && t.text.find_first_not_of(L" \t\r\n") == std::wstring::npos) ++bad;
    }
    return bad;
}

Counts counts_of(const BoardModel& b) {
    Counts c{b.elements.size(), 0, b.libraries.size(), 0, 0, 0, 0, 0, 0,
             b.plain_wires.size(), b.plain_circles.size(), b.plain_holes.size()};
    for (const ElementRec& e : b.elements) c[1] += e.side == kSideBottom;
    for (const LibraryRec& lib : b.libraries) {
        c[3] += lib.packages.size();
        for (const PackageRec& p : lib.packages) {
            c[4] += p.wires.size();
            c[5] += p.circles.size();
            c[6] += p.rectangles.size();
            c[7] += p.polygons.size();
            c[8] += p.holes.size();
        }
    }
    return c;
}

TEST(RealBoards, ParseCompletelyWithoutAQuestion) {
    BoardSettingsGuard settings(1);  // report unexpected on
    for (const BoardFacts& f : kBoards) {
        SCOPED_TRACE(std::string(f.file, f.file + std::wstring(f.file).size()));
        RecordingPort port;
        TokenList tokens;
        const TokeniseResult t = tokenise_board(std::wstring(TINDRAL_BOARDS_DIR) + L"/" + f.file,
                                                tokens);
        ASSERT_TRUE(t.ok && !t.damaged && !t.drop_path);
        EXPECT_EQ(malformed_tokens(tokens), 0u);
        BoardModel board = fresh_board();
        const ParseOutcome out = parse_board(tokens, board);
        for (const ShownBox& b : port.boxes)
            ADD_FAILURE() << "asked: " << std::string(b.text.begin(), b.text.end());
        EXPECT_EQ(out.result, 1);
        EXPECT_EQ(board.board_loaded, 1u);

        EXPECT_EQ(counts_of(board), f.counts);
        EXPECT_EQ(board.placed_count, board.elements.size());
        size_t unplaced = 0;
        for (size_t i = 0; i < board.elements.size(); ++i) unplaced += element_package(board, i) == nullptr;
        EXPECT_EQ(unplaced, 0u);
        EXPECT_GT(board.board_width, 0);
        EXPECT_GT(board.board_height, 0);
    }
}

// Every reader must stop at the end of the list, wherever the file breaks off, and on any
// sequence of tokens: cut a real board at many places and shuffle pieces of it.
TEST(RealBoards, CutAndScrambledTokenListsEndCleanly) {
    BoardSettingsGuard settings(1);
    RecordingPort port;  // answers Yes to every question
    TokenList whole;
    ASSERT_TRUE(tokenise_board(std::wstring(TINDRAL_BOARDS_DIR) + L"/olimex-olimexino-85bc-e6.brd",
                               whole).ok);
    const size_t n = whole.count();
    for (size_t cut = 0; cut < n; cut += n / 150) {
        TokenList part;
        part.tokens.assign(whole.tokens.begin(), whole.tokens.begin() + cut);
        BoardModel board = fresh_board();
        parse_board(part, board);
        EXPECT_LE(board.elements.size(), 40u);
    }
    uint32_t seed = 12345;
    const auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    for (int round = 0; round < 40; ++round) {
        TokenList soup;
        for (int i = 0; i < 3000; ++i) {
            XmlToken t = whole.tokens[(next() >> 8) % n];
            if (next() % 4 == 0) t.kind = static_cast<uint8_t>((next() >> 8) % 7);
            soup.tokens.push_back(t);
        }
        BoardModel board = fresh_board();
        parse_board(soup, board);
    }
}

}  // namespace
}  // namespace tindral::test
