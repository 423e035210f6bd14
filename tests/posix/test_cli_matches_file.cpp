// tindral-cli's list against the board files themselves, read with libxml2's tree API so that
// a fault in our own tokeniser or parser cannot hide in both sides of the comparison.

#include <gtest/gtest.h>

#include <libxml/parser.h>
#include <libxml/tree.h>

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

std::vector<FileElement> elements_of(const std::string& path, bool& read) {
    std::vector<FileElement> out;
    xmlDoc* doc = xmlReadFile(path.c_str(), nullptr, XML_PARSE_NONET);
    read = doc != nullptr;
    if (!doc) return out;
    xmlNode* elements = child(child(child(xmlDocGetRootElement(doc), "drawing"), "board"), "elements");
    read = elements != nullptr;
    for (xmlNode* n = elements ? elements->children : nullptr; n; n = n->next)
        if (n->type == XML_ELEMENT_NODE && std::strcmp(reinterpret_cast<const char*>(n->name), "element") == 0)
            out.push_back(expected_from(n));
    xmlFreeDoc(doc);
    return out;
}

// dir takes the program's output.
void check_boards(const std::vector<std::string>& boards, const std::string& dir) {
    ASSERT_FALSE(boards.empty());

    size_t checked = 0;
    for (const std::string& path : boards) {
        SCOPED_TRACE(path);
        bool read = false;
        const std::vector<FileElement> file = elements_of(path, read);
        ASSERT_TRUE(read);
        // Sorted by the index column: the rows come in file order.
        const tindral::test::CliRun r =
            tindral::test::run_cli_process(dir, "list '" + path + "' --format csv --sort 10");
        ASSERT_EQ(r.rc, 0) << r.err;
        bool ok = false;
        const auto rows = tindral::test::parse_csv(r.out, ok);
        ASSERT_TRUE(ok);
        ASSERT_EQ(rows.size(), file.size() + 1);
        for (size_t i = 0; i < file.size(); ++i) {
            const auto& row = rows[i + 1];
            const FileElement& f = file[i];
            ASSERT_EQ(row.size(), 11u);
            EXPECT_EQ(row[10], std::to_string(i));
            EXPECT_EQ(FileElement(row.begin(), row.begin() + 8), f);
            ++checked;
        }
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

TEST(CliMatchesFile, EveryElementOfEveryRealBoard) {
    TINDRAL_NEED_REAL_BOARDS();
    const tindral::test::TempFolder folder;
    check_boards(tindral::test::narrow_board_files(tindral::test::real_boards().dir), folder.path.string());
}

}  // namespace
