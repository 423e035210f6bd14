#include <gtest/gtest.h>

#include <cmath>

#include "board/number_text.h"

namespace tindral {
namespace {

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

}  // namespace
}  // namespace tindral
