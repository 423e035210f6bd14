#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/lang.h"
#include "app/messages.h"
#include "support/language_guard.h"
#include "support/recording_port.h"

using namespace tindral;
using test::LanguageGuard;
using test::RecordingPort;

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

TEST(Language, TextsAreCharacterForCharacter) {
    LanguageGuard de(0);
    EXPECT_EQ(std::wstring(text(TXT_PLACED_TOTAL)), L"  Best\u00fcckt: Gesamt");
    EXPECT_EQ(std::wstring(text(TXT_PATH_LIST_FULL)),
              L"In der Pfad Liste ist das Maximum an Eintr\u00e4gen erreicht.\r"
              L"Bitte alte Eintr\u00e4ge l\u00f6schen");
    EXPECT_EQ(std::wstring(text(TXT_SELECTION_OVERWRITE)),
              L"Momentane Auswahl wird \u00fcberschrieben!\n Fortfahren?");
    EXPECT_EQ(std::wstring(text(TXT_NO_APP_PATH)), L"Application path == 0\n\r Hilfe nicht verf\u00fcgbar");
    EXPECT_EQ(std::wstring(text(TXT_OPEN_DIALOG_TITLE)), L"Auswahl der Eagle \"brd\" Datei \u00d6ffnen");
    EXPECT_EQ(std::wstring(text(TXT_ERR_PAPER_SIZE)), L"Papier Gr\u00f6\u00dfe kann nicht festgestellt werden");
    EXPECT_EQ(std::wstring(text(TXT_CLOSE)), L"Schlie\u00dfen");
    EXPECT_EQ(std::wstring(text(TXT_ABOUT)), L"\u00dcber ...");
    EXPECT_EQ(std::wstring(text(TXT_TOKEN_OUT_OF_MEMORY)), L" Zu wenig Speicher");
    EXPECT_EQ(std::wstring(text(TXT_UNSUPPORTED_VERSION)), L" Nicht unterst\u00fctzte Eagle Version");
    EXPECT_EQ(std::wstring(text(TXT_TITLE_INFO)), L"Tindral Info");

    LanguageGuard en(1);
    // The system's own spelling, typos included.
    EXPECT_EQ(std::wstring(text(TXT_NOT_EAGLE_FILE)), L"This file doe not seem not to be a Eagle file");
    EXPECT_EQ(std::wstring(text(TXT_ERR_PAPER_SIZE)), L"UNable to determine papersize");
    EXPECT_EQ(std::wstring(text(TXT_SELECTION_OVERWRITE)), L"Current selection will be overwritten! \nContinue?");
    EXPECT_EQ(std::wstring(text(TXT_NO_APP_PATH)), L"Application path == 0\n\r No help available");
    EXPECT_EQ(std::wstring(text(TXT_ERR_PRINT_DIALOG)), L"Couldn't open Printer Dialog\nPrinter offline?");
    EXPECT_EQ(std::wstring(text(TXT_STATUS_TOP)), L"TOP");
    EXPECT_EQ(std::wstring(text(TXT_UNSUPPORTED_VERSION)), L" Unsupported Eagle version");
    EXPECT_EQ(std::wstring(text(TXT_TITLE_INFO)), L"Tindral Info");
}

TEST(Language, AnyStoredValueOtherThanZeroPicksEnglish) {
    for (uint32_t v : {1u, 2u, 7u, 0xFFFFFFFFu}) {
        LanguageGuard g(v);
        EXPECT_EQ(std::wstring(text(TXT_LOAD)), L"Load") << v;
    }
    LanguageGuard g(0);
    EXPECT_EQ(std::wstring(text(TXT_LOAD)), L"Laden");
}

TEST(Messages, ErrnoTextsWithTheirFlags) {
    LanguageGuard en(1);
    RecordingPort port;
    EXPECT_EQ(show_errno_message(2), mb::id_ok);
    ASSERT_EQ(port.boxes.size(), 1u);
    EXPECT_EQ(port.boxes[0].text, L"_taccess File not found");
    EXPECT_EQ(port.boxes[0].title, L"Tindral Error");
    EXPECT_EQ(port.boxes[0].flags, 0x2010u);
    EXPECT_EQ(port.boxes[0].owner, Owner::none);

    port.answers.push_back(mb::id_cancel);
    EXPECT_EQ(show_errno_message(13), mb::id_cancel);
    EXPECT_EQ(port.boxes[1].text, L"_taccess Permission denied");
    EXPECT_EQ(port.boxes[1].flags, 0x1u);

    EXPECT_EQ(show_errno_message(80), mb::id_ok);
    EXPECT_EQ(port.boxes[2].text, L"_taccess String was truncated");

    // Values without a text show nothing at all.
    for (int v : {0, 15, 26, 35, 37, 43, 60, 79, 81, -1, 1000}) EXPECT_EQ(show_errno_message(v), 0) << v;
    EXPECT_EQ(port.boxes.size(), 3u);
}

TEST(Messages, ErrnoTableCoversExactlyTheListedValues) {
    int count = 0;
    for (int v = -5; v < 200; ++v)
        if (errno_format(v)) ++count;
    EXPECT_EQ(count, 39);
    EXPECT_STREQ(errno_format(11), L"%s No more processes or not enough memory or maximum nesting level reached");
    LanguageGuard de(0);
    RecordingPort port;
    show_errno_message(21);
    EXPECT_EQ(port.boxes.at(0).title, L"Tindral Fehler");
    EXPECT_EQ(port.boxes.at(0).text, L"_taccess Is a directory");
}

TEST(Messages, SystemErrorsCarryTheFixedTitle) {
    LanguageGuard de(0);
    RecordingPort port;
    report_system_error(L"Tindral CreateWindow Board", 1407);
    ASSERT_EQ(port.boxes.size(), 1u);
    EXPECT_EQ(port.boxes[0].title, L"Tindral CreateWindow Board");
    EXPECT_EQ(port.boxes[0].text, L"system text 1407");
    EXPECT_EQ(port.boxes[0].flags, 0x2040u);
    EXPECT_EQ(port.boxes[0].owner, Owner::main);
}

TEST(Messages, TitlesFollowTheLanguage) {
    RecordingPort port;
    {
        LanguageGuard de(0);
        show_warning(Owner::main, TXT_HELP_FILE_NOT_FOUND);
        show_info(Owner::main, TXT_NO_BOARD_LOADED);
    }
    LanguageGuard en(1);
    show_error(Owner::none, TXT_OUT_OF_MEMORY, 0x42010);
    ASSERT_EQ(port.boxes.size(), 3u);
    EXPECT_EQ(port.boxes[0].title, L"Tindral Warnung");
    EXPECT_EQ(port.boxes[0].text, L"Hilfe Datei nicht gefunden");
    EXPECT_EQ(port.boxes[1].title, L"Tindral Info");
    EXPECT_EQ(port.boxes[1].flags, 0x2040u);
    EXPECT_EQ(port.boxes[2].title, L"Tindral Error");
    EXPECT_EQ(port.boxes[2].text, L"Out of memory");
    EXPECT_EQ(port.boxes[2].flags, 0x42010u);
}
