#include <gtest/gtest.h>

#include <cstdint>

#include "text/format.h"

using tindral::format;
using tindral::format_text;

namespace {

std::wstring fmt100(const wchar_t* f, auto... args) { return format_text(100, f, args...); }

}  // namespace

TEST(Format, WideStringsWithPlainAndLongS) {
    EXPECT_EQ(fmt100(L"open_reg_key %s", L"Zugriff verweigert"), L"open_reg_key Zugriff verweigert");
    EXPECT_EQ(fmt100(L"%ls|%S", L"a", std::wstring(L"b")), L"a|b");
    EXPECT_EQ(fmt100(L"[%5s|%-5s|%.2s]", L"ab", L"ab", L"abc"), L"[   ab|ab   |ab]");
    const wchar_t* none = nullptr;
    EXPECT_EQ(fmt100(L"%s", none), L"(null)");
}

TEST(Format, FixedPointAsTheListShowsCoordinates) {
    EXPECT_EQ(fmt100(L"%3.3f", 12.5), L"12.500");
    EXPECT_EQ(fmt100(L"%3.3f", 0.0), L"0.000");
    EXPECT_EQ(fmt100(L"%3.3f", -3.14159), L"-3.142");
    EXPECT_EQ(fmt100(L"%3.3f", 450.0), L"450.000");
    EXPECT_EQ(fmt100(L"%8.2f|%-8.1f|%08.3f", 1.005, 2.25, -1.5), L"    1.00|2.2     |-001.500");
    EXPECT_EQ(fmt100(L"%.0f %f", 2.5, 1.0 / 3), L"2 0.333333");
}

TEST(Format, HexResultCodesAreEightLowerCaseDigits) {
    EXPECT_EQ(fmt100(L"error is %08.8lx", 0x80070057u), L"error is 80070057");
    EXPECT_EQ(fmt100(L"%08.8lx", static_cast<int32_t>(0xC00CEE4Fu)), L"c00cee4f");
    EXPECT_EQ(fmt100(L"%08.8lx", 0x1Fu), L"0000001f");
    // A negative 32-bit HRESULT must not show 64 bits, whatever long's size is.
    EXPECT_EQ(fmt100(L"%lx", -1), L"ffffffff");
    EXPECT_EQ(fmt100(L"%X %#x %o", 255, 255, 8), L"FF 0xff 10");
}

TEST(Format, IntegersWithWidthAndSign) {
    EXPECT_EQ(fmt100(L"ComboPathFilename%02d", 7), L"ComboPathFilename07");
    EXPECT_EQ(fmt100(L"%02d|%d|%5d|%-5d|%+d", -3, 0, 42, 42, 42), L"-3|0|   42|42   |+42");
    EXPECT_EQ(fmt100(L"%d %u", INT64_MIN, UINT64_MAX),
              L"-9223372036854775808 18446744073709551615");
    EXPECT_EQ(fmt100(L"%d%%", 100), L"100%");
    EXPECT_EQ(fmt100(L"%c%c", L'\u00DF', L'x'), L"\u00DFx");
}

TEST(Format, TruncatesAtCapacityAndSaysSo) {
    wchar_t buf[6];
    EXPECT_EQ(format(buf, 6, L"%s", L"Tindral"), -1);
    EXPECT_EQ(std::wstring(buf), L"Tindr");
    EXPECT_EQ(format(buf, 6, L"%d", 12345), 5);
    EXPECT_EQ(std::wstring(buf), L"12345");
    EXPECT_EQ(format(buf, 6, L"%d", 123456), -1);
    EXPECT_EQ(std::wstring(buf), L"12345");
    EXPECT_EQ(format(buf, 0, L"x"), -1);
    EXPECT_EQ(format_text(5, L"%s", L"abcdefgh"), L"abcd");
}

TEST(Format, BadFormatsAndMissingArgumentsGiveEmptyResult) {
    wchar_t buf[20] = L"previous";
    EXPECT_EQ(format(buf, 20, L"value %d"), -1);
    EXPECT_EQ(std::wstring(buf), L"");
    EXPECT_EQ(format(buf, 20, L"%d", L"text"), -1);
    EXPECT_EQ(format(buf, 20, L"%s", 5), -1);
    EXPECT_EQ(format(buf, 20, L"trailing %"), -1);
    EXPECT_EQ(format(buf, 20, L"%q", 1), -1);
}
