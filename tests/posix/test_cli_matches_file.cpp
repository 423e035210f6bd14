// The list against the files read with libxml2's tree API, so our parser cannot hide a fault.

#include <gtest/gtest.h>

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "posix/support/cli_process.h"
#include "support/csv_reader.h"
#include "support/synthetic_board.h"
#include "support/temp_folder.h"

namespace {

// Name, library, package, value, x, y, rotation and side as the list shows them.
using FileElement = std::vector<std::string>;

std::string attr(xmlNode* node, const char* name) {
    xmlChar* v = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
    if (!v) return {};
    std::string s(reinterpret_cast<const char*>(v));
    xmlFree(v);
    return s;
}

xmlNode* child(xmlNode* parent, const char* name) {
    for (xmlNode* n = parent ? parent->children : nullptr; n; n = n->next)
        if (n->type == XML_ELEMENT_NODE && std::strcmp(reinterpret_cast<const char*>(n->name), name) == 0)
            return n;
    return nullptr;
}

std::string fixed3(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.3f", v);
    return buf;
}

// What the list must show for one element, straight from its attributes.
FileElement expected_from(xmlNode* e) {
    const std::string value = attr(e, "value");
    std::string rot = attr(e, "rot");
    if (!rot.empty() && rot[0] == 'S') rot.erase(0, 1);
    const bool mirrored = rot.rfind("M", 0) == 0 || rot.rfind("RM", 0) == 0;
    size_t digits = 0;
    while (digits < rot.size() && (rot[digits] == 'M' || rot[digits] == 'R')) ++digits;
    const double angle = std::strtod(rot.c_str() + digits, nullptr);
    return {attr(e, "name"), attr(e, "library"), attr(e, "package"), value.empty() ? "Undefined" : value,
            fixed3(std::strtod(attr(e, "x").c_str(), nullptr)),
            fixed3(std::strtod(attr(e, "y").c_str(), nullptr)), fixed3(angle + (mirrored ? 180.0 : 0.0)),
            mirrored ? "Bottom" : "Top"};
}

// The variant the file marks current ("" for none): the first one when none is marked.
std::string current_variant(xmlNode* board) {
    std::string first;
    for (xmlNode* n = child(board, "variantdefs") ? child(board, "variantdefs")->children : nullptr; n; n = n->next) {
        if (n->type != XML_ELEMENT_NODE) continue;
        if (attr(n, "current") == "yes") return attr(n, "name");
        if (first.empty()) first = attr(n, "name");
    }
    return first;
}

// The element as the file's current variant has it: fitted or not, and its value.
bool fitted_in(xmlNode* e, const std::string& variant, FileElement& row) {
    for (xmlNode* n = e->children; n; n = n->next) {
        if (n->type != XML_ELEMENT_NODE || std::strcmp(reinterpret_cast<const char*>(n->name), "variant") != 0 ||
            attr(n, "name") != variant || variant.empty())
            continue;
        if (xmlHasProp(n, reinterpret_cast<const xmlChar*>("value"))) row[3] = attr(n, "value");
        return attr(n, "populate") != "no";
    }
    return attr(e, "populate") != "no";
}

// The rows the list must show, with each element's position in the file.
struct FileRow {
    size_t index;
    FileElement cells;
};

std::vector<FileRow> elements_of(const std::string& path, bool& read) {
    std::vector<FileRow> out;
    xmlDoc* doc = xmlReadFile(path.c_str(), nullptr, XML_PARSE_NONET);
    read = doc != nullptr;
    if (!doc) return out;
    xmlNode* board = child(child(xmlDocGetRootElement(doc), "drawing"), "board");
    xmlNode* elements = child(board, "elements");
    read = elements != nullptr;
    const std::string variant = current_variant(board);
    size_t index = 0;
    for (xmlNode* n = elements ? elements->children : nullptr; n; n = n->next) {
        if (n->type != XML_ELEMENT_NODE || std::strcmp(reinterpret_cast<const char*>(n->name), "element") != 0)
            continue;
        FileElement row = expected_from(n);
        if (fitted_in(n, variant, row)) out.push_back({index, row});
        ++index;
    }
    xmlFreeDoc(doc);
    return out;
}

long number(const std::string& cell) { return std::stol(cell); }

// xml names, when given, each board's XML (an unpacked archive member); order, sides, BOM too.
void check_boards(const std::vector<std::string>& boards, const std::string& dir,
                  const std::vector<std::string>& xml = {}) {
    ASSERT_FALSE(boards.empty());
    const auto list = [&](const std::string& command, const std::string& path, const std::string& more = "") {
        const tindral::test::CliRun r =
            tindral::test::run_cli_process(dir, command + " '" + path + "' --format csv" + more);
        EXPECT_EQ(r.rc, 0) << command << more << r.err;
        bool ok = false;
        auto rows = tindral::test::parse_csv(r.out, ok);
        EXPECT_TRUE(ok && !rows.empty()) << command << more;
        if (!rows.empty()) rows.erase(rows.begin());
        return rows;
    };

    size_t checked = 0;
    for (size_t b = 0; b < boards.size(); ++b) {
        const std::string& path = boards[b];
        SCOPED_TRACE(path);
        bool read = false;
        const std::vector<FileRow> file = elements_of(xml.empty() ? path : xml[b], read);
        ASSERT_TRUE(read);
        auto rows = list("list", path);
        ASSERT_EQ(rows.size(), file.size());
        // By group, equal groups by index.
        size_t bottoms = 0;
        for (size_t i = 0; i < rows.size(); ++i) {
            ASSERT_EQ(rows[i].size(), 11u);
            bottoms += rows[i][7] == "Bottom";
            if (i == 0) continue;
            const long g0 = number(rows[i - 1][9]), g1 = number(rows[i][9]);
            EXPECT_TRUE(g0 < g1 || (g0 == g1 && number(rows[i - 1][10]) < number(rows[i][10]))) << i;
        }
        std::sort(rows.begin(), rows.end(), [](const auto& x, const auto& y) { return number(x[10]) < number(y[10]); });
        for (size_t i = 0; i < file.size(); ++i) {
            EXPECT_EQ(rows[i][10], std::to_string(file[i].index));
            EXPECT_EQ(FileElement(rows[i].begin(), rows[i].begin() + 8), file[i].cells);
            ++checked;
        }
        // The 4 MB board is read once: it is slow in Debug builds.
        if (path.find("adafruit-metro-rp2350-e9.brd") != std::string::npos) continue;
        EXPECT_EQ(list("list", path, " --side bottom").size(), bottoms);
        EXPECT_EQ(list("list", path, " --side top").size(), rows.size() - bottoms);
        long sum = 0;
        for (const auto& row : list("bom", path)) sum += number(row[3]);
        EXPECT_EQ(sum, static_cast<long>(rows.size()));
    }
    EXPECT_GT(checked, 0u);
}

// Our boards, the one with unknown names and a generated one of a few thousand parts.
TEST(CliMatchesFile, EveryElementOfEveryOwnBoard) {
    const tindral::test::TempFolder folder;
    std::vector<std::string> boards = tindral::test::narrow_board_files(tindral::test::own_boards_dir());
    for (const std::string& p : tindral::test::narrow_board_files(tindral::test::own_boards_dir() + L"/unexpected"))
        boards.push_back(p);
    boards.push_back(folder.write("generated.brd", tindral::test::synthetic_board(3000)).string());
    ASSERT_GE(boards.size(), 6u);
    check_boards(boards, folder.path.string());
}

// .fbrd archives (ours, and the real ones if there) against their boards unpacked by unzip.
TEST(CliMatchesFile, EveryElementOfTheBoardInEachArchive) {
    const tindral::test::TempFolder folder;
    const std::string dir = folder.path.string();
    const tindral::test::CliRun packed = tindral::test::run_shell_process(
        dir, "cd '" + dir + "' && mkdir -p 'B\xc3\xb3[Active]/electron.BlobParts' && cp '" +
                 tindral::test::narrow(tindral::test::own_board(L"e6-both-sides.brd")) +
                 "' 'B\xc3\xb3[Active]/electron.BlobParts/x.brd' && echo m > Manifest.dat && " +
                 "zip -q -X -r own.fbrd Manifest.dat 'B\xc3\xb3[Active]'");
    ASSERT_EQ(packed.rc, 0) << packed.err;
    std::vector<std::string> archives = {dir + "/own.fbrd"};
    const std::wstring fusion = tindral::test::real_boards_of(L"-fusion");
    std::error_code ec;
    for (std::filesystem::directory_iterator it(fusion, ec), end; !fusion.empty() && !ec && it != end; it.increment(ec))
        if (it->path().extension() == ".fbrd") archives.push_back(it->path().string());
    std::vector<std::string> members;
    for (size_t i = 0; i < archives.size(); ++i) {
        members.push_back(dir + "/member" + std::to_string(i) + ".brd");
        const tindral::test::CliRun r = tindral::test::run_shell_process(
            dir, "unzip -p '" + archives[i] + "' '*.brd' > '" + members.back() + "'");
        ASSERT_EQ(r.rc, 0) << archives[i] << r.err;
    }
    check_boards(archives, dir, members);
}

TEST(CliMatchesFile, EveryElementOfEveryRealBoard) {
    TINDRAL_NEED_REAL_BOARDS();
    const tindral::test::TempFolder folder;
    check_boards(tindral::test::narrow_board_files(tindral::test::real_boards().dir), folder.path.string());
}

}  // namespace
