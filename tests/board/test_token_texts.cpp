#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board/token_list.h"

using namespace tindral;

TEST(TokenTexts, EveryTextStaysWhereItWasKeptAcrossBlocksAndNameSlots) {
    TokenList list;
    std::vector<std::wstring> expected;
    // Far more than one block, a text larger than a block, empty texts, and names that share a
    // slot of the name cache (only 512 slots for 3 000 different names).
    for (int i = 0; i < 3000; ++i) {
        expected.push_back(L"n" + std::to_wstring(i));
        list.add(kTokenAttrName, expected.back());
        expected.push_back(std::wstring(static_cast<size_t>(i % 40), L'a' + i % 26));
        list.add(kTokenAttrValue, expected.back());
        if (i == 1500) {
            expected.push_back(std::wstring(200000, L'\u00E4'));
            list.add(kTokenText, expected.back());
        }
    }
    for (const wchar_t* name : {L"x", L"layer", L"x", L"width", L"layer"}) {
        expected.push_back(name);
        list.add(kTokenStart, name);
    }
    ASSERT_EQ(list.count(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(list.at(i).text(), expected[i]) << i;
    // A repeated name is handed out again, not copied.
    const size_t n = list.count();
    EXPECT_EQ(list.at(n - 5).text().data(), list.at(n - 3).text().data());
    EXPECT_EQ(list.at(n - 4).text().data(), list.at(n - 1).text().data());
    // So is a repeated short value; every text still reads as it was kept.
    const size_t v = 2 * 2990 + 1 + 1;  // thirty letters, kept long before
    ASSERT_EQ(list.at(v).text().size(), 30u);
    list.add(kTokenAttrValue, list.at(v).text());
    EXPECT_EQ(list.at(n).text().data(), list.at(v).text().data());
    list.add(kTokenText, list.at(v).text());
    EXPECT_NE(list.at(n + 1).text().data(), list.at(v).text().data());
    EXPECT_EQ(list.at(n + 1).text(), expected[v]);

    TokenList moved = std::move(list);
    EXPECT_EQ(moved.at(1).text(), expected[1]);
    free_token_list(moved);
    EXPECT_EQ(moved.count(), 0u);
    moved.add(kTokenStart, L"x");  // the name cache forgot the freed texts
    EXPECT_EQ(moved.at(0).text(), L"x");
}
