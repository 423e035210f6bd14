// tindral-cli's list against the board files themselves, read with libxml2's tree API so that
// a fault in our own tokeniser or parser cannot hide in both sides of the comparison.

#include <gtest/gtest.h>

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "posix/support/cli_process.h"
#include "posix/support/csv_reader.h"

namespace {

struct FileElement {
    std::string name, library, package, value, x, y, rotation, side;
};

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
    FileElement f;
    f.name = attr(e, "name");
    f.library = attr(e, "library");
    f.package = attr(e, "package");
    f.value = attr(e, "value");
    if (f.value.empty()) f.value = "Undefined";
    f.x = fixed3(std::strtod(attr(e, "x").c_str(), nullptr));
    f.y = fixed3(std::strtod(attr(e, "y").c_str(), nullptr));
    std::string rot = attr(e, "rot");
    if (!rot.empty() && rot[0] == 'S') rot.erase(0, 1);
    const bool mirrored = rot.rfind("M", 0) == 0 || rot.rfind("RM", 0) == 0;
    size_t digits = 0;
    while (digits < rot.size() && (rot[digits] == 'M' || rot[digits] == 'R')) ++digits;
    const double angle = std::strtod(rot.c_str() + digits, nullptr);
    f.rotation = fixed3(angle + (mirrored ? 180.0 : 0.0));
    f.side = mirrored ? "Bottom" : "Top";
    return f;
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

TEST(CliMatchesFile, EveryElementOfEveryBoard) {
    char pattern[] = "/tmp/tindral-cli-file-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string dir = pattern;

    std::vector<std::string> boards;
    for (const auto& entry : std::filesystem::directory_iterator(tindral::test::boards_dir()))
        if (entry.path().extension() == ".brd") boards.push_back(entry.path().string());
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
            SCOPED_TRACE(f.name);
            EXPECT_EQ(row[10], std::to_string(i));
            EXPECT_EQ(row[0], f.name);
            EXPECT_EQ(row[1], f.library);
            EXPECT_EQ(row[2], f.package);
            EXPECT_EQ(row[3], f.value);
            EXPECT_EQ(row[4], f.x);
            EXPECT_EQ(row[5], f.y);
            EXPECT_EQ(row[6], f.rotation);
            EXPECT_EQ(row[7], f.side);
            ++checked;
        }
    }
    EXPECT_GT(checked, 0u);
    std::system(("rm -rf '" + dir + "'").c_str());
}

}  // namespace
