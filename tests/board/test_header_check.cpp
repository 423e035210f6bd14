// The header check of a newly chosen board file, and the file-name part of the path.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "board/header_check.h"
#include "settings/settings.h"
#include "support/recording_port.h"
#include "support/settings_guard.h"
#include "support/temp_folder.h"

using namespace tindral;
namespace fs = std::filesystem;

namespace {
const std::string kDecl = "<?xml version=\"1.0\" encoding=\"utf-8\"?>";
const std::string kDoctype = "<!DOCTYPE eagle SYSTEM \"eagle.dtd\">";
}  // namespace

TEST(HeaderCheck, LineBreaksBetweenDeclarationAndDoctypeOnly) {
    struct Case {
        const char* what;
        std::string bytes;
        int expected;
    };
    const std::string tail = "\r\n<eagle version=\"7.2.0\">";
    const Case cases[] = {
        {"CR LF", kDecl + "\r\n" + kDoctype + tail, 1},
        {"LF", kDecl + "\n" + kDoctype, 1},
        {"empty line between", kDecl + "\r\n\r\n" + kDoctype + tail, 1},
        {"comment line between", kDecl + "\r\n<!-- x -->\r\n" + kDoctype + tail, 0},
        {"byte-order mark", "\xEF\xBB\xBF" + kDecl + "\r\n" + kDoctype + tail, 0},
        {"short file", "<?xml", 0},
        {"declaration only", kDecl + "\r\n\r\n", 0},
        {"no line break", kDecl + " " + kDoctype, 0},
        {"other DOCTYPE", kDecl + "\n<!DOCTYPE Eagle SYSTEM \"eagle.dtd\">", 0},
        {"doctype cut short", kDecl + "\n" + kDoctype.substr(0, 34), 0},
        // The DOCTYPE must lie wholly inside the first 512 bytes.
        {"doctype past 512 bytes", kDecl + std::string(470, '\n') + kDoctype, 0},
        {"doctype ends at 512 bytes", kDecl + std::string(512 - 35 - kDecl.size(), '\n') + kDoctype, 1},
    };
    for (const Case& c : cases) EXPECT_EQ(eagle_header_ok(c.bytes), c.expected) << c.what;
}

TEST(HeaderCheck, ReadsTheFileOfTheCurrentBoardPath) {
    test::SettingsGuard settings;
    test::RecordingPort port;
    test::TempFolder dir;
    const fs::path good = dir.write("good.brd", kDecl + "\r\n" + kDoctype + "\r\n<eagle/>");
    const fs::path bad = dir.write("bad.brd", kDecl + "\r\n<eagle/>");

    g_settings.xml_path_file_name = good.wstring();
    EXPECT_EQ(is_eagle_version_ok(), 1);
    // A read-only board passes: the check does not ask for write access.
    fs::permissions(good, fs::perms::owner_read, fs::perm_options::replace);
    EXPECT_EQ(is_eagle_version_ok(), 1);
    g_settings.xml_path_file_name = bad.wstring();
    EXPECT_EQ(is_eagle_version_ok(), 0);
    EXPECT_TRUE(port.boxes.empty());

    g_settings.xml_path_file_name = (dir.path / "missing.brd").wstring();
    EXPECT_EQ(is_eagle_version_ok(), -1);
    ASSERT_EQ(port.boxes.size(), 1u);
    EXPECT_EQ(port.boxes[0].title, L"Tindral CreateFile is_eagle_version_ok");
    EXPECT_EQ(port.boxes[0].text, L"system text 2");
    EXPECT_EQ(port.boxes[0].flags, 0x2040u);
    EXPECT_EQ(port.boxes[0].owner, Owner::main);

    // A folder fails to open on Windows and to read elsewhere; either way it is reported.
    g_settings.xml_path_file_name = dir.path.wstring();
    EXPECT_EQ(is_eagle_version_ok(), -1);
    ASSERT_EQ(port.boxes.size(), 2u);
    EXPECT_NE(port.boxes[1].title.find(L"is_eagle_version_ok"), std::wstring::npos);
}

TEST(HeaderCheck, RealBoardsPass) {
    test::SettingsGuard settings;
    test::RecordingPort port;
    int seen = 0;
    for (const auto& e : fs::directory_iterator(fs::path(TINDRAL_BOARDS_DIR))) {
        if (e.path().extension() != ".brd") continue;
        g_settings.xml_path_file_name = e.path().wstring();
        EXPECT_EQ(is_eagle_version_ok(), 1) << e.path().filename().string();
        ++seen;
    }
    EXPECT_GT(seen, 0);
    EXPECT_TRUE(port.boxes.empty());
}

TEST(HeaderCheck, FileNamePartFollowsTheLastSeparator) {
    EXPECT_EQ(file_name_part(L"C:\\boards\\amp.brd"), L"amp.brd");
    EXPECT_EQ(file_name_part(L"Z:/tmp/b\\x.brd"), L"x.brd");
    EXPECT_EQ(file_name_part(L"C:\\boards\\"), L"");
    EXPECT_EQ(file_name_part(L"amp.brd"), L"amp.brd");

    test::SettingsGuard settings;
    g_settings.xml_path_file_name = L"D:\\p\\q\\board.brd";
    EXPECT_EQ(extract_file_name(), L"board.brd");
    EXPECT_EQ(g_file_name_part, L"board.brd");
}
