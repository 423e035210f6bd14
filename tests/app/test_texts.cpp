// The bounded formatter, the language table and the message boxes built from it.

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>

#include "support/language_guard.h"
#include "support/recording_port.h"
#include "text/format.h"
#include "text/lang.h"
#include "text/messages.h"

using namespace tindral;
using test::Boxes;
using test::TextLanguage;
using test::RecordingPort;

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

TEST(Language, EveryKeyHasAGermanAndAnEnglishText) {
    std::set<std::string> names;
    for (int k = 0; k < TXT_COUNT; ++k) {
        const auto key = static_cast<TextKey>(k);
        const LangText& p = lang_pair(key);
        ASSERT_NE(p.german, nullptr) << text_key_name(key);
        ASSERT_NE(p.english, nullptr) << text_key_name(key);
        EXPECT_GT(std::wstring(p.german).size(), 0u) << text_key_name(key);
        EXPECT_GT(std::wstring(p.english).size(), 0u) << text_key_name(key);
        EXPECT_TRUE(names.insert(text_key_name(key)).second) << "twice: " << text_key_name(key);
    }
}

// The exact texts, typos included, that no test of a box or window shows.
TEST(Language, TextsNoOtherTestShows) {
    TextLanguage de(0);
    EXPECT_EQ(std::wstring(text(TXT_PATH_LIST_FULL)),
              L"In der Pfad Liste ist das Maximum an Eintr\u00e4gen erreicht.\r"
              L"Bitte alte Eintr\u00e4ge l\u00f6schen");
    EXPECT_EQ(std::wstring(text(TXT_SELECTION_OVERWRITE)),
              L"Momentane Auswahl wird \u00fcberschrieben!\n Fortfahren?");
    EXPECT_EQ(std::wstring(text(TXT_NO_APP_PATH)), L"Application path == 0\n\r Hilfe nicht verf\u00fcgbar");
    EXPECT_EQ(std::wstring(text(TXT_OPEN_DIALOG_TITLE)), L"Auswahl der Eagle \"brd\" Datei \u00d6ffnen");
    EXPECT_EQ(std::wstring(text(TXT_ERR_PAPER_SIZE)), L"Papier Gr\u00f6\u00dfe kann nicht festgestellt werden");
    EXPECT_EQ(std::wstring(text(TXT_TOKEN_OUT_OF_MEMORY)), L" Zu wenig Speicher");
    TextLanguage en(1);
    EXPECT_EQ(std::wstring(text(TXT_NO_APP_PATH)), L"Application path == 0\n\r No help available");
}

TEST(Language, AnyStoredValueOtherThanZeroPicksEnglish) {
    for (uint32_t v : {1u, 2u, 7u, 0xFFFFFFFFu}) {
        TextLanguage g(v);
        EXPECT_EQ(std::wstring(text(TXT_LOAD)), L"Load") << v;
    }
    TextLanguage g(0);
    EXPECT_EQ(std::wstring(text(TXT_LOAD)), L"Laden");
}

TEST(Messages, ErrnoTextsWithTheirFlagsForExactlyTheListedValues) {
    int count = 0;
    for (int v = -5; v < 200; ++v)
        if (errno_format(v)) ++count;
    EXPECT_EQ(count, 39);
    EXPECT_STREQ(errno_format(11), L"%s No more processes or not enough memory or maximum nesting level reached");

    TextLanguage en(1);
    RecordingPort port;
    EXPECT_EQ(show_errno_message(2), mb::id_ok);
    port.answers.push_back(mb::id_cancel);
    EXPECT_EQ(show_errno_message(13), mb::id_cancel);
    EXPECT_EQ(show_errno_message(80), mb::id_ok);
    // Values without a text show nothing at all.
    for (int v : {0, 15, 26, 35, 37, 43, 60, 79, 81, -1, 1000}) EXPECT_EQ(show_errno_message(v), 0) << v;
    TextLanguage de(0);
    show_errno_message(21);
    EXPECT_EQ(port.boxes, (Boxes{{Owner::none, L"_taccess File not found", L"Tindral Error", 0x2010},
                                 {Owner::none, L"_taccess Permission denied", L"Tindral Error", 0x1},
                                 {Owner::none, L"_taccess String was truncated", L"Tindral Error", 0x2010},
                                 {Owner::none, L"_taccess Is a directory", L"Tindral Fehler", 0x2010}}));
}

// A system error's title is the caller's, in any language.
TEST(Messages, TitlesFollowTheLanguage) {
    RecordingPort port;
    {
        TextLanguage de(0);
        show_warning(Owner::main, TXT_HELP_FILE_NOT_FOUND);
        show_info(Owner::main, TXT_NO_BOARD_LOADED);
        report_system_error(L"Tindral CreateWindow Board", 1407);
    }
    TextLanguage en(1);
    show_error(Owner::none, TXT_OUT_OF_MEMORY, 0x42010);
    EXPECT_EQ(port.boxes, (Boxes{{Owner::main, L"Hilfe Datei nicht gefunden", L"Tindral Warnung", 0x2010},
                                 {Owner::main, L"Kein Board geladen", L"Tindral Info", 0x2040},
                                 {Owner::main, L"system text 1407", L"Tindral CreateWindow Board", 0x2040},
                                 {Owner::none, L"Out of memory", L"Tindral Error", 0x42010}}));
}
