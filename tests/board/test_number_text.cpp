#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>

#include "board/number_text.h"

namespace tindral {
namespace {

TEST(NumberText, ReadsLikeTheRuntimeButWithoutLocale) {
    EXPECT_DOUBLE_EQ(text_to_number(L"1.27"), 1.27);
    EXPECT_DOUBLE_EQ(text_to_number(L"  -0.635mm"), -0.635);
    EXPECT_DOUBLE_EQ(text_to_number(L"+2.5e2x"), 250);
    EXPECT_DOUBLE_EQ(text_to_number(L"3e"), 3);     // no digit after the exponent mark
    EXPECT_DOUBLE_EQ(text_to_number(L"3e+"), 3);
    EXPECT_DOUBLE_EQ(text_to_number(L".5"), 0.5);
    EXPECT_DOUBLE_EQ(text_to_number(L"7."), 7);
    EXPECT_DOUBLE_EQ(text_to_number(L"1,5"), 1);    // a comma ends the number
    EXPECT_DOUBLE_EQ(text_to_number(L"R90"), 0);
    EXPECT_DOUBLE_EQ(text_to_number(L""), 0);
    EXPECT_DOUBLE_EQ(text_to_number(L"-"), 0);
    EXPECT_DOUBLE_EQ(text_to_number(L"."), 0);
    EXPECT_TRUE(std::isinf(text_to_number(L"1e999")));
    EXPECT_DOUBLE_EQ(text_to_number(L"1e-999"), 0);

    EXPECT_EQ(text_to_integer(L" 42"), 42);
    EXPECT_EQ(text_to_integer(L"-17abc"), -17);
    EXPECT_EQ(text_to_integer(L"21.9"), 21);
    EXPECT_EQ(text_to_integer(L"x1"), 0);
    EXPECT_EQ(text_to_integer(L"99999999999"), INT32_MAX);
    EXPECT_EQ(text_to_integer(L"-99999999999"), INT32_MIN);
}

TEST(NumberText, DecimalCommaLocaleDoesNotChangeTheReading) {
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old ? old : "C";
    // Not every machine has a German locale; the test is meaningful where one exists.
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "German"))
        GTEST_SKIP() << "no locale with a decimal comma";
    EXPECT_DOUBLE_EQ(text_to_number(L"1.27"), 1.27);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

}  // namespace
}  // namespace tindral
