// The board inside a .fbrd archive: found, unpacked only when sound, else refused with a reason.

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>
#include <vector>

#include "board/board_archive.h"
#include "board/board_snippet.h"

using namespace tindral;

namespace {

struct Member {
    std::string name;
    std::string content;
    uint16_t method = 8;  // 0 stored, 8 deflated
    uint16_t flags = 0;
    int64_t told_size = -1;  // the size the directory claims; -1 for the true one
};

void put16(std::string& s, uint32_t v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>(v >> 8 & 0xFF);
}
void put32(std::string& s, uint32_t v) {
    put16(s, v & 0xFFFF);
    put16(s, v >> 16);
}

std::string deflated(const std::string& in) {
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&z, static_cast<uLong>(in.size())), '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
    z.avail_in = static_cast<uInt>(in.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

// A ZIP archive as common writers lay it out: local headers with the data, then the directory.
std::string zip_of(const std::vector<Member>& members) {
    std::string body, directory;
    for (const Member& m : members) {
        const std::string packed = m.method == 8 ? deflated(m.content) : m.content;
        const uint32_t crc = static_cast<uint32_t>(
            crc32(0, reinterpret_cast<const Bytef*>(m.content.data()), static_cast<uInt>(m.content.size())));
        const uint32_t size = m.told_size < 0 ? static_cast<uint32_t>(m.content.size()) : static_cast<uint32_t>(m.told_size);
        std::string fields;  // version needed, flags, method, time, date, crc, sizes, name length
        put16(fields, 20);
        put16(fields, m.flags);
        put16(fields, m.method);
        put32(fields, 0);
        put32(fields, crc);
        put32(fields, static_cast<uint32_t>(packed.size()));
        put32(fields, size);
        put16(fields, static_cast<uint32_t>(m.name.size()));
        put16(fields, 0);  // extra
        const uint32_t offset = static_cast<uint32_t>(body.size());
        put32(body, 0x04034b50);
        body += fields + m.name + packed;
        put32(directory, 0x02014b50);
        put16(directory, 0x031E);  // made by
        directory += fields;
        for (int i = 0; i < 3; ++i) put16(directory, 0);  // comment, disk, internal attributes
        put32(directory, 0);                               // external attributes
        put32(directory, offset);
        directory += m.name;
    }
    std::string end;
    put32(end, 0x06054b50);
    put32(end, 0);  // disks
    put16(end, static_cast<uint32_t>(members.size()));
    put16(end, static_cast<uint32_t>(members.size()));
    put32(end, static_cast<uint32_t>(directory.size()));
    put32(end, static_cast<uint32_t>(body.size()));
    put16(end, 0);
    return body + directory + end;
}

const std::string kBoard = test::board_file(
    "<elements><element name=\"R1\" library=\"rcl\" package=\"R0603\" value=\"10k\" x=\"1\" y=\"2\"/>"
    "</elements>");
const std::string kFolder = "Zas\xC3\xB3" "b dokumentu[Active]/";  // localised, UTF-8, no flag

TEST(BoardArchive, FindsTheOneBoardWhateverItsFolderAndPacking) {
    for (const uint16_t method : {0, 8}) {
        const std::string zip = zip_of({{kFolder, ""},
                                        {"Manifest.dat", "manifest", 8},
                                        {kFolder + "electron.BlobParts/ExtFile.1.BRD", kBoard, method},
                                        {kFolder + "Previews/small.png", std::string(3000, 'p')}});
        ASSERT_TRUE(is_zip_archive(zip));
        const ArchiveResult r = board_from_archive(zip, 1 << 20);
        ASSERT_EQ(r.code, ArchiveCode::ok) << method;
        EXPECT_EQ(r.bytes, kBoard);
        EXPECT_EQ(r.name, kFolder + "electron.BlobParts/ExtFile.1.BRD");
    }
    EXPECT_FALSE(is_zip_archive(kBoard));
    EXPECT_FALSE(is_zip_archive("PK"));
}

TEST(BoardArchive, RefusesWhatItCannotOrShouldNotUnpack) {
    const auto code = [](const std::string& zip, size_t max = 1 << 20) {
        return board_from_archive(zip, max).code;
    };
    EXPECT_EQ(code(zip_of({{"a/board.brd.bak", kBoard}, {"b.txt", "x"}})), ArchiveCode::no_board);
    EXPECT_EQ(code(zip_of({{"a.brd", kBoard}, {"b/c.brd", kBoard}})), ArchiveCode::several_boards);
    EXPECT_EQ(code(zip_of({{"a.brd", kBoard, 8, 0x0001}})), ArchiveCode::encrypted);
    EXPECT_EQ(code(zip_of({{"a.brd", kBoard, 12}})), ArchiveCode::unsupported_method);
    EXPECT_EQ(code(zip_of({{"a.brd", kBoard}}), kBoard.size() - 1), ArchiveCode::too_large);
    EXPECT_EQ(code(zip_of({{"a.brd", kBoard}}), kBoard.size()), ArchiveCode::ok);

    // A directory that understates the size (an archive bomb) or overstates it, and a wrong
    // checksum, are damage: nothing past the stated size is ever unpacked.
    const std::string big(100000, 'A');
    EXPECT_EQ(code(zip_of({{"a.brd", big, 8, 0, 5}})), ArchiveCode::damaged);
    EXPECT_EQ(code(zip_of({{"a.brd", big, 8, 0, 100001}})), ArchiveCode::damaged);
    EXPECT_EQ(code(zip_of({{"a.brd", big, 0, 0, 5}})), ArchiveCode::damaged);
    std::string bad_crc = zip_of({{"a.brd", kBoard, 0}});
    bad_crc[30 + 5 + 10] ^= 1;  // a byte of the stored board, past header and name
    EXPECT_EQ(code(bad_crc), ArchiveCode::damaged);
}

TEST(BoardArchive, EveryCutOrBrokenByteEndsInAnAnswerNeverInAReadPastTheEnd) {
    const std::string zip = zip_of({{"x/", ""}, {"x/a.brd", kBoard}, {"y.dat", "yyyy", 0}});
    for (size_t n = 0; n < zip.size(); ++n)
        EXPECT_NE(board_from_archive(zip.substr(0, n), 1 << 20).code, ArchiveCode::ok) << n;
    for (size_t at = 0; at < zip.size(); ++at) {
        std::string broken = zip;
        broken[at] = static_cast<char>(broken[at] ^ 0xFF);
        const ArchiveResult r = board_from_archive(broken, 1 << 20);
        if (r.code == ArchiveCode::ok) {
            EXPECT_EQ(r.bytes, kBoard) << at;  // a byte no check covers
        }
    }
}

TEST(BoardArchive, LoadsAsTheBoardUnpackedOrSaysWhyNot) {
    const test::Loaded plain = test::load_bytes(kBoard);
    const test::Loaded packed = test::load_bytes(zip_of({{kFolder + "b.brd", kBoard}}));
    ASSERT_EQ(packed.status.code, LoadCode::ok);
    ASSERT_EQ(packed.board.elements.size(), 1u);
    EXPECT_EQ(packed.board.elements[0].name, plain.board.elements[0].name);
    EXPECT_EQ(packed.board.elements[0].value, "10k");
    EXPECT_TRUE(packed.boxes.empty());

    // One level only, so an archive holding itself cannot send the load round for ever.
    EXPECT_FALSE(board_read(test::load_bytes(zip_of({{"a.brd", zip_of({{"b.brd", kBoard}})}})).status));

    const test::Loaded none = test::load_bytes(zip_of({{"a.txt", "a"}}));
    EXPECT_EQ(none.status.code, LoadCode::archive_refused);
    EXPECT_EQ(none.boxes, (test::Boxes{{Owner::main, L"The archive holds no board (.brd).",
                                         L"Tindral Error", mb::task_modal | mb::icon_hand}}));
    LoadOptions german = test::test_options();
    german.language = 0;
    EXPECT_EQ(test::load_bytes(zip_of({{"a.brd", std::string(10, 'a'), 0, 0, 65 << 20}}), german).boxes[0].text,
              L"Die Platine im Archiv ist zu gro\u00DF (mehr als 64 MB).");
}

// Eagle 9.7 as the archives hold it (layer colours, placeholders, pads): nothing to ask.
TEST(BoardArchive, TheNewerVocabularyAsksNothing) {
    const test::Loaded l = test::load_bytes(test::board_file(
        "<layers><layer number=\"21\" name=\"tPlace\" color=\"7\" fill=\"1\" visible=\"yes\" "
        "active=\"yes\" blackcolor=\"0xcc\" whitecolor=\"0xcc\" coloredcolor=\"0xcc\" "
        "blackhighlight=\"0xcc\" whitehighlight=\"0xcc\" coloredhighlight=\"0xcc\" locked=\"no\"/>"
        "</layers><libraries><library name=\"h\"><packages><package name=\"P\" use_placeholder=\"yes\">"
        "<wire x1=\"0\" y1=\"0\" x2=\"1\" y2=\"0\" width=\"0.1\" layer=\"21\"/></package></packages>"
        "</library></libraries><elements><element name=\"H1\" library=\"h\" package=\"P\" value=\"\" "
        "x=\"1\" y=\"1\"><pad name=\"B3,0\">\n</pad></element><element name=\"H2\" library=\"h\" "
        "package=\"P\" value=\"v\" x=\"2\" y=\"1\"/></elements>"));
    EXPECT_EQ(l.status.code, LoadCode::ok);
    EXPECT_TRUE(l.boxes.empty());
    ASSERT_EQ(l.board.elements.size(), 2u);
    EXPECT_EQ(l.board.elements[1].name, "H2");
}

TEST(BoardArchiveRealFiles, TheFusionBoardLoadsWithoutAQuestion) {
    const std::wstring dir = test::real_boards_of(L"-fusion");
    if (dir.empty()) GTEST_SKIP() << "the real Fusion boards are not beside the checkout";
    const std::string zip = test::TempFolder::read(dir + L"/binkosss-desk-satellite-clock-e9.fbrd");
    const test::Loaded l = test::load_bytes(zip, test::test_options(true, true, true));
    EXPECT_EQ(l.status.code, LoadCode::ok);
    EXPECT_TRUE(l.boxes.empty());
    size_t bottom = 0;
    for (const ElementRec& e : l.board.elements) bottom += e.side == kSideBottom;
    EXPECT_EQ(l.board.elements.size(), 24u);  // as counted in the archive's SOURCES.md
    EXPECT_EQ(bottom, 15u);
}

}  // namespace
