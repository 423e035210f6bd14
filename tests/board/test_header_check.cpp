// The header check of a newly chosen board file, and the file-name part of the path.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "board/header_check.h"
#include "support/board_folders.h"
#include "support/box_summary.h"
#include "support/temp_folder.h"

using namespace tindral;
namespace fs = std::filesystem;

namespace {
const std::string kDecl = "<?xml version=\"1.0\" encoding=\"utf-8\"?>";
const std::string kDoctype = "<!DOCTYPE eagle SYSTEM \"eagle.dtd\">";
}  // namespace

TEST(HeaderCheck, LineBreaksBetweenDeclarationAndDoctypeOnly) {
    const struct {
        std::string bytes;
        int expected;
    } cases[] = {
        {kDecl + "\r\n" + kDoctype + "\r\n<eagle>", 1},
        {kDecl + "\n\r\n" + kDoctype, 1},                        // empty line between
        {kDecl + "\r\n<!-- x -->\r\n" + kDoctype, 0},           // comment line between
        {"\xEF\xBB\xBF" + kDecl + "\r\n" + kDoctype, 0},        // byte-order mark
        {"<?xml", 0},
        {kDecl + "\r\n\r\n", 0},
        {kDecl + std::string(470, '\n') + kDoctype, 0},         // ends past byte 512
        {kDecl + std::string(512 - 35 - kDecl.size(), '\n') + kDoctype, 1},
        {std::string("PK\x03\x04\x14\0", 6), 1},  // a .fbrd: the load looks inside
        {"PK\x05", 0},
        {"\r\n(kicad_pcb (version 20171130)", 1},
        {"PCBNEW-BOARD Version 1", 1},  // refused by the load, with the reason
        {"(kicad_sch (version 20230121)", 0},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(eagle_header_ok(cases[i].bytes), cases[i].expected) << i;
    EXPECT_EQ(file_name_part(L"Z:/tmp/b\\x.brd"), L"x.brd");
    EXPECT_EQ(file_name_part(L"amp.brd"), L"amp.brd");
}

TEST(HeaderCheck, ReadsTheStartOfTheFile) {
    test::RecordingPort port;
    test::TempFolder dir;
    const fs::path good = dir.write("good.brd", kDecl + "\r\n" + kDoctype + "\r\n<eagle/>");
    // A read-only board passes: the check does not ask for write access.
    fs::permissions(good, fs::perms::owner_read, fs::perm_options::replace);
    EXPECT_EQ(is_eagle_version_ok(good.wstring(), &read_file_start), 1);
    // Eagle 6 to 9 headers of our own boards.
    const std::vector<std::wstring> own = test::board_files(test::own_boards_dir());
    EXPECT_GE(own.size(), 4u);
    for (const std::wstring& path : own)
        EXPECT_EQ(is_eagle_version_ok(path, &read_file_start), 1) << fs::path(path);
    EXPECT_TRUE(port.boxes.empty());

    EXPECT_EQ(is_eagle_version_ok((dir.path / "missing.brd").wstring(), &read_file_start), -1);
    EXPECT_EQ(test::only_box(port), L"Tindral CreateFile is_eagle_version_ok|system text 2|2040");
}

TEST(HeaderCheck, EveryRealBoardPasses) {
    TINDRAL_NEED_REAL_BOARDS();
    test::RecordingPort port;
    for (const std::wstring& path : test::board_files(test::real_boards().dir))
        EXPECT_EQ(is_eagle_version_ok(path, &read_file_start), 1) << fs::path(path);
    EXPECT_TRUE(port.boxes.empty());
}
