// Whole board files through tokeniser and parser: our own boards, and the real ones if there.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>

#include "board/board_file.h"
#include "board_snippet.h"
#include "model/placement.h"

namespace tindral::test {
namespace {

// Elements, bottom ones, libraries, packages, their five kinds of shape, plain wires/circles/holes.
using Counts = std::array<size_t, 12>;
struct BoardFacts {
    const wchar_t* file;
    Counts counts;
};

// Counted by hand from the files in tests/boards.
const BoardFacts kOwnBoards[] = {
    {L"e6-both-sides.brd", {12, 5, 3, 4, 10, 2, 4, 0, 1, 5, 1, 1}},
    {L"e7-odd-angles.brd", {8, 3, 3, 3, 6, 2, 5, 3, 0, 4, 0, 2}},
    {L"e8-plain-shapes.brd", {4, 2, 1, 2, 6, 1, 1, 0, 0, 6, 2, 3}},
    {L"e9-empty-values.brd", {6, 2, 1, 4, 6, 3, 3, 1, 0, 4, 0, 0}},
};

// From the real boards' fact sheet (SOURCES.md beside them).
const BoardFacts kRealBoards[] = {
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

std::string narrow(const std::wstring& s) { return std::string(s.begin(), s.end()); }

std::wstring file_name(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"/\\");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

// Named tokens have names, attribute values follow names, no blank text, <eagle> all through.
size_t malformed_tokens(const TokenList& list) {
    size_t first_element = 0;
    while (list.at(first_element).kind != kTokenStart && first_element < list.count()) ++first_element;
    size_t bad = 0;
    if (list.at(0).kind != kTokenXmlDecl || list.at(first_element).text() != L"eagle") ++bad;
    if (list.tokens.back().kind != kTokenEnd || list.tokens.back().text() != L"eagle") ++bad;
    for (size_t i = 0; i < list.count(); ++i) {
        const XmlToken& t = list.at(i);
        const bool named = t.kind == kTokenStart || t.kind == kTokenEnd || t.kind == kTokenAttrName;
        if (named && t.text().empty()) ++bad;
        if (t.kind == kTokenAttrName && list.at(i + 1).kind != kTokenAttrValue) ++bad;
        if (t.kind == kTokenText &&
            t.text().find_first_not_of(L" \t\r\n") == std::wstring::npos)
            ++bad;
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

// Loads without a question; with facts, also its counts and every element placed.
std::string file_bytes(const std::wstring& path) {
    std::string bytes;
    EXPECT_EQ(read_whole_file(path, bytes).status, FileReadStatus::ok) << narrow(path);
    return bytes;
}

void check_board(const std::wstring& path, const Counts* facts) {
    SCOPED_TRACE(narrow(path));
    const std::string bytes = file_bytes(path);
    TokenList tokens;
    ASSERT_EQ(tokenise_bytes(bytes, &open_platform_xml_reader, tokens).status.code, LoadCode::ok);
    EXPECT_EQ(malformed_tokens(tokens), 0u);
    const Loaded p = load_bytes(bytes);
    const BoardModel& board = p.board;
    for (const ShownBox& b : p.boxes) ADD_FAILURE() << "asked: " << narrow(b.text);
    EXPECT_EQ(p.status.code, LoadCode::ok);
    EXPECT_EQ(board.board_loaded, 1u);
    if (!facts) return;

    EXPECT_EQ(counts_of(board), *facts);
    EXPECT_EQ(board.placement_count, board.elements.size());
    size_t unplaced = 0;
    for (size_t i = 0; i < board.elements.size(); ++i) unplaced += element_package(board, i) == nullptr;
    EXPECT_EQ(unplaced, 0u);
    EXPECT_GT(board.board_width, 0);
    EXPECT_GT(board.board_height, 0);
}

// Every board of the folder loads; those of the table, all present, match their facts.
template <size_t N>
void check_folder(const std::wstring& dir, const BoardFacts (&table)[N]) {
    const std::vector<std::wstring> files = board_files(dir);
    for (const BoardFacts& f : table)
        EXPECT_NE(std::find_if(files.begin(), files.end(),
                               [&](const std::wstring& p) { return file_name(p) == f.file; }),
                  files.end())
            << "missing: " << narrow(f.file);
    for (const std::wstring& path : files) {
        const BoardFacts* f = std::find_if(std::begin(table), std::end(table),
                                           [&](const BoardFacts& b) { return file_name(path) == b.file; });
        check_board(path, f == std::end(table) ? nullptr : &f->counts);
    }
}

TEST(OwnBoards, ParseCompletelyWithoutAQuestion) { check_folder(own_boards_dir(), kOwnBoards); }

TEST(RealBoards, ParseCompletelyWithoutAQuestion) {
    TINDRAL_NEED_REAL_BOARDS();
    check_folder(real_boards().dir, kRealBoards);
}

// Unknown names are asked about when wanted, No abandons; an unknown child token by token.
TEST(OwnBoards, UnknownVocabularyIsAskedAbout) {
    const std::string bytes = file_bytes(own_board(L"unexpected/unknown-vocabulary.brd"));
    const Loaded yes = load_bytes(bytes);  // every question answered Yes: go on
    EXPECT_EQ(yes.status.code, LoadCode::ok);
    ASSERT_EQ(yes.boxes.size(), 8u);
    EXPECT_EQ(yes.boxes[0].text, L"Unexpected element set elem tindral_probe\rContinue?");
    EXPECT_EQ(yes.boxes[1].text, L"Unexpected element package attr sparkle\rContinue?");
    EXPECT_EQ(yes.boxes[7].text, L"Unexpected element package attr 3\rContinue?");
    EXPECT_EQ(yes.board.elements.size(), 2u);

    const Loaded no = load_bytes(bytes, test_options(), {mb::id_no});
    EXPECT_EQ(no.status.code, LoadCode::declined);
    EXPECT_EQ(no.boxes.size(), 1u);

    const Loaded quiet = load_bytes(bytes, test_options(false));
    EXPECT_EQ(quiet.status.code, LoadCode::ok);
    EXPECT_TRUE(quiet.boxes.empty());
    EXPECT_EQ(quiet.board.elements.size(), 2u);
}

// Every reader must stop at the end of any token list: cuts and shuffled pieces of a board.
void cut_and_scramble(const std::wstring& path) {
    const LoadOptions options = test_options();
    TestAsker asker;  // answers Yes to every question
    TokenList whole;
    ASSERT_TRUE(tokenise_bytes(file_bytes(path), options.open_reader, whole).ok());
    BoardModel full;
    parse_board(whole, full, options, asker);
    const size_t elements = full.elements.size();
    ASSERT_GT(elements, 0u);
    const size_t n = whole.count();
    for (size_t cut = 0; cut < n; cut += std::max<size_t>(n / 150, 1)) {
        TokenList part;
        part.tokens.assign(whole.tokens.begin(), whole.tokens.begin() + cut);
        BoardModel board;
        parse_board(part, board, options, asker);
        EXPECT_LE(board.elements.size(), elements);
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
        BoardModel board;
        parse_board(soup, board, options, asker);
    }
}

TEST(OwnBoards, CutAndScrambledTokenListsEndCleanly) {
    cut_and_scramble(own_board(L"e6-both-sides.brd"));
    cut_and_scramble(own_board(L"e7-odd-angles.brd"));
}

TEST(RealBoards, CutAndScrambledTokenListsEndCleanly) {
    TINDRAL_NEED_REAL_BOARDS();
    cut_and_scramble(real_board(L"olimex-olimexino-85bc-e6.brd"));
}

}  // namespace
}  // namespace tindral::test
