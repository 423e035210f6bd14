#include <gtest/gtest.h>

#include <string>

#include "board/parse_board.h"
#include "board_snippet.h"
#include "support/recording_port.h"

namespace tindral::test {
namespace {

// A board of many elements over 40 libraries of 25 packages, built as tokens directly.
TokenList large_board(size_t elements) {
    TokenList t;
    const auto add = [&t](uint8_t kind, std::wstring text) { t.tokens.push_back({kind, text}); };
    const auto attr = [&add](const wchar_t* name, std::wstring value) {
        add(kTokenAttrName, name);
        add(kTokenAttrValue, std::move(value));
    };
    for (const wchar_t* s : {L"eagle", L"drawing", L"board", L"libraries"}) add(kTokenStart, s);
    for (int l = 0; l < 40; ++l) {
        add(kTokenStart, L"library");
        attr(L"name", L"lib" + std::to_wstring(l));
        add(kTokenStart, L"packages");
        for (int p = 0; p < 25; ++p) {
            add(kTokenStart, L"package");
            attr(L"name", L"pkg" + std::to_wstring(p));
            for (int w = 0; w < 4; ++w) {
                add(kTokenStart, L"wire");
                for (const wchar_t* a : {L"x1", L"y1", L"x2", L"y2"}) attr(a, L"1.27");
                attr(L"layer", L"21");
            }
            add(kTokenStart, L"hole");
            attr(L"y", L"1");
            attr(L"drill", L"0.8");
            add(kTokenEnd, L"package");
        }
        add(kTokenEnd, L"packages");
        add(kTokenEnd, L"library");
    }
    add(kTokenEnd, L"libraries");
    add(kTokenStart, L"elements");
    for (size_t i = 0; i < elements; ++i) {
        add(kTokenStart, L"element");
        attr(L"name", L"R" + std::to_wstring(i + 1));
        attr(L"library", L"lib" + std::to_wstring(i % 40));
        attr(L"package", L"pkg" + std::to_wstring(i % 25));
        attr(L"value", L"10k");
        attr(L"x", std::to_wstring(i % 1000) + L".5");
        attr(L"y", std::to_wstring(i / 1000));
        attr(L"rot", i % 2 ? L"MR90" : L"R180");
        add(kTokenStart, L"attribute");
        attr(L"name", L"VALUE");
        add(kTokenEnd, L"element");
    }
    for (const wchar_t* s : {L"elements", L"board", L"drawing", L"eagle"}) add(kTokenEnd, s);
    return t;
}

TEST(ParseLarge, FiftyThousandElementsAreReadAndPlaced) {
    BoardSettingsGuard settings(1);
    RecordingPort port;
    const TokenList tokens = large_board(50000);
    BoardModel board = fresh_board();
    const ParseOutcome out = parse_board(tokens, board);
    EXPECT_TRUE(port.boxes.empty());
    EXPECT_EQ(out.result, 1);
    ASSERT_EQ(board.elements.size(), 50000u);
    EXPECT_EQ(board.elements[49999].name, L"R50000");
    EXPECT_EQ(board.libraries.size(), 40u);
    EXPECT_EQ(board.placed_count, 50000u);
    // the rightmost point: the hole (0, 1) of a mirrored element at x 999.5, turned by R(270)
    EXPECT_NEAR(board.extent.max_x, 999.5 + 1 + 0.4, 1e-9);
}

}  // namespace
}  // namespace tindral::test
