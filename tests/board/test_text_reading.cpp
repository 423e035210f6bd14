// Texts as the readers keep them: UTF-8 to wide, numbers in attribute values, the token list.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "board/number_text.h"
#include "board/token_list.h"
#include "board/utf8.h"

using namespace tindral;

TEST(Utf8, RoundTripsEveryPlane) {
    const std::string s = "aZ \xC3\xA4\xC3\x9F \xE2\x82\xAC \xF0\x9F\x98\x80 \xF4\x8F\xBF\xBF";
    const std::wstring w = utf8_to_wide(s);
    EXPECT_EQ(w, std::wstring(L"aZ \u00E4\u00DF \u20AC \U0001F600 \U0010FFFF"));
    EXPECT_EQ(wide_to_utf8(w), s);
    EXPECT_EQ(first_invalid_utf8(s), std::string::npos);
}

TEST(Utf8, MalformedSequencesAreFoundAndReplaced) {
    struct Case {
        std::string bytes;
        size_t bad;
    };
    const Case cases[] = {
        {"ab\xFF", 2},              // never a lead byte
        {"a\xC0\x80", 1},           // overlong NUL
        {"a\xE0\x80\xAF", 1},       // overlong slash
        {"\xED\xA0\x80z", 0},       // encoded surrogate
        {"x\xF4\x90\x80\x80", 1},   // past U+10FFFF
        {"ok\xE2\x82", 2},          // cut at the end
        {"ok\xC3(", 2},             // continuation missing
        {"\x80", 0},                // lone continuation byte
    };
    for (const Case& c : cases) {
        EXPECT_EQ(first_invalid_utf8(c.bytes), c.bad) << c.bytes;
        const std::wstring w = utf8_to_wide(c.bytes);
        EXPECT_NE(w.find(L'\uFFFD'), std::wstring::npos) << c.bytes;
        EXPECT_EQ(first_invalid_utf8(wide_to_utf8(w)), std::string::npos) << c.bytes;
    }
}

TEST(Utf8, AppendingKeepsWhatIsThereAndDecodesPastTheAsciiRun) {
    // The reader decodes every text into one reused string: the ASCII run goes over in one step,
    // the rest byte by byte, and nothing of the text before stays behind.
    std::wstring out = L"old";
    append_utf8_as_wide(out, "ab\xC3\xA4" "c\xFF" "d\xF0\x9F\x98\x80");
    EXPECT_EQ(out, std::wstring(L"oldab\u00E4c\uFFFDd\U0001F600"));
    out.clear();
    append_utf8_as_wide(out, std::string(70, 'x') + "\xE2\x82");  // cut at the end
    EXPECT_EQ(out, std::wstring(70, L'x') + L"\uFFFD");
    out.clear();
    append_utf8_as_wide(out, "");
    EXPECT_TRUE(out.empty());
}

TEST(Utf8, FileNameBytesSurviveTheRoundTripWhateverTheyAre) {
    // Every byte after every byte, in pairs, plus sequences that are only nearly UTF-8.
    std::string all;
    for (int a = 1; a < 256; ++a)
        for (int b = 1; b < 256; b += 7) all += {static_cast<char>(a), static_cast<char>(b), '/'};
    for (const std::string& bytes : {all, std::string("\xED\xA0\x80\xC0\xAF\xF4\x90\x80\x80"),
                                     std::string("caf\xC3\xA9 \xE2\x82"), std::string()})
        EXPECT_EQ(path_bytes(path_to_wide(bytes)), bytes);
    // Well-formed names read as the text they are; printed, the stray bytes show as U+FFFD.
    EXPECT_EQ(path_to_wide("caf\xC3\xA9"), L"caf\u00E9");
    EXPECT_EQ(wide_to_utf8(path_to_wide("m\xF6ller")), "m\xEF\xBF\xBDller");
}

TEST(NumberText, ReadsLeadingNumberAndStopsAtTheFirstOtherCharacter) {
    EXPECT_DOUBLE_EQ(text_to_number(L"  -0.635mm"), -0.635);
    EXPECT_DOUBLE_EQ(text_to_number(L"+2.5e2x"), 250);
    EXPECT_DOUBLE_EQ(text_to_number(L"3e+"), 3);  // no digit after the exponent mark
    EXPECT_DOUBLE_EQ(text_to_number(L".5"), 0.5);
    EXPECT_DOUBLE_EQ(text_to_number(L"1,5"), 1);  // a comma is never a decimal point here
    EXPECT_DOUBLE_EQ(text_to_number(L"R90"), 0);
    EXPECT_DOUBLE_EQ(text_to_number(L"-"), 0);
    EXPECT_TRUE(std::isinf(text_to_number(L"1e999")));

    EXPECT_EQ(text_to_integer(L" -17abc"), -17);
    EXPECT_EQ(text_to_integer(L"21.9"), 21);
    EXPECT_EQ(text_to_integer(L"x1"), 0);
    EXPECT_EQ(text_to_integer(L"99999999999"), INT32_MAX);
}

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
