// tindral-cli booklet: its pages read back as XML, against the list of the same board.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "board/utf8.h"
#include "board/xml_reader.h"
#include "posix/support/cli_process.h"
#include "support/csv_reader.h"

namespace tindral::test {
namespace {

std::string sample() {
    const std::filesystem::path checkout = std::filesystem::path(own_boards_dir()).parent_path().parent_path();
    return "'" + (checkout / "samples" / "tindral-sample.brd").string() + "'";
}

// The texts of an SVG page, in document order; well_formed tells whether it read as XML.
std::vector<std::string> page_texts(const std::string& doc, bool& well_formed) {
    std::vector<std::string> texts;
    well_formed = false;
    XmlReaderSetup setup = open_platform_xml_reader(doc);
    if (!setup.reader) return texts;
    XmlNode node;
    XmlResult r;
    bool in_text = false;
    while ((r = setup.reader->read(node)) == xml_ok) {
        if (node == XmlNode::element) {
            std::wstring name;
            setup.reader->get_local_name(name);
            in_text = name == L"text";
            if (in_text) texts.emplace_back();
        } else if (node == XmlNode::text && in_text) {
            std::wstring value;
            setup.reader->get_value(value);
            texts.back() += wide_to_utf8(value);
        } else if (node == XmlNode::end_element) {
            in_text = false;
        }
    }
    well_formed = r == xml_false;
    return texts;
}

class CliBooklet : public CliFixture {
protected:
    // The pages page-001.svg ... in folder, in order, checked for being well-formed.
    std::vector<std::vector<std::string>> read_pages(const std::string& folder) {
        std::vector<std::vector<std::string>> pages;
        for (int n = 1;; ++n) {
            char name[32];
            std::snprintf(name, sizeof name, "/page-%03d.svg", n);
            if (!std::filesystem::exists(folder + name)) break;
            bool ok = false;
            pages.push_back(page_texts(slurp(folder + name), ok));
            EXPECT_TRUE(ok) << name;
        }
        return pages;
    }

    // Per side ("Top"/"Bottom"), the parts of the component list by package and value.
    std::map<std::string, std::map<std::string, std::set<std::string>>> list_groups() {
        const CliRun list = run("list " + sample() + " --format csv");
        bool ok = false;
        const auto rows = parse_csv(list.out, ok);
        EXPECT_TRUE(ok && rows.size() > 1);
        std::map<std::string, std::map<std::string, std::set<std::string>>> groups;
        for (size_t r = 1; r < rows.size(); ++r)
            groups[rows[r][7]][rows[r][2] + "|" + rows[r][3]].insert(rows[r][0]);
        return groups;
    }
};

// A page per group and side, top first, holding exactly that group's parts; all parts shown.
TEST_F(CliBooklet, OnePagePerGroupOfEachSideHoldingItsParts) {
    const auto groups = list_groups();
    ASSERT_EQ(groups.size(), 2u);
    const std::string out = dir_ + "/made/on/the/way";
    const CliRun r = run("booklet " + sample() + " --out '" + out + "'");
    ASSERT_EQ(r.rc, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const auto pages = read_pages(out);
    ASSERT_EQ(pages.size(), groups.at("Top").size() + groups.at("Bottom").size());

    std::set<std::string> seen;
    for (size_t p = 0; p < pages.size(); ++p) {
        SCOPED_TRACE(p);
        const std::vector<std::string>& t = pages[p];
        ASSERT_GE(t.size(), 5u + 4u);  // title, column titles, a row
        const std::string side = p < groups.at("Top").size() ? "Top" : "Bottom";
        EXPECT_NE(t[0].find("tindral-sample.brd - " + side + " - Group " + std::to_string(p + 1) + " of " +
                            std::to_string(pages.size())),
                  std::string::npos)
            << t[0];
        EXPECT_EQ((std::vector<std::string>(t.begin() + 1, t.begin() + 5)),
                  (std::vector<std::string>{"Name", "Value", "Package", "Amount"}));
        // Rows of four cells: name, value, package, amount.
        ASSERT_EQ((t.size() - 5) % 4, 0u);
        const std::string key = t[7] + "|" + t[6];
        ASSERT_TRUE(groups.at(side).count(key)) << key;
        std::set<std::string> names;
        for (size_t c = 5; c < t.size(); c += 4) names.insert(t[c]);
        EXPECT_EQ(names, groups.at(side).at(key));
        EXPECT_EQ(t[8], std::to_string(names.size()));
        seen.insert(names.begin(), names.end());
    }
    EXPECT_EQ(seen.size(), 19u);
}

TEST_F(CliBooklet, SideAndLanguageChoices) {
    const auto groups = list_groups();
    // Into a folder that holds a longer booklet: none of its pages may stay behind.
    ASSERT_EQ(run("booklet " + sample() + " --out '" + dir_ + "/b'").rc, 0);
    ASSERT_EQ(run("booklet " + sample() + " --side bottom --lang de --out '" + dir_ + "/b'").rc, 0);
    const auto pages = read_pages(dir_ + "/b");
    ASSERT_EQ(pages.size(), groups.at("Bottom").size());
    for (const auto& t : pages) {
        ASSERT_GE(t.size(), 5u);
        EXPECT_NE(t[0].find(" - Unten - Gruppe "), std::string::npos) << t[0];
        EXPECT_EQ(t[3], "Geh\xC3\xA4use");
    }
}

TEST_F(CliBooklet, WrongCommandLinesAndFoldersThatCannotBeMade) {
    const std::string blocker = folder_.write("a-file", "x").string();
    const struct {
        std::string args;
        int rc;
        const char* says;
    } cases[] = {
        {"booklet " + sample(), 3, "--out"},
        {"booklet " + sample() + " --out -", 3, "--out DIR"},
        {"booklet " + sample() + " --out x --side left", 3, ""},
        {"booklet " + sample() + " --out x --width 100", 3, "unknown option"},
        {"booklet '" + dir_ + "/missing.brd' --out '" + dir_ + "/m'", 1, "missing.brd"},
        {"booklet " + sample() + " --out '" + blocker + "'", 1, "cannot create the folder"},
        {"booklet " + sample() + " --out '" + blocker + "/below'", 1, "cannot create the folder"},
    };
    for (const auto& c : cases) {
        const CliRun r = run(c.args);
        EXPECT_EQ(r.rc, c.rc) << c.args;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << c.args << ": " << r.err;
        if (c.rc == 1) {
            EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
        }
    }
    EXPECT_FALSE(std::filesystem::exists(dir_ + "/m"));
}

}  // namespace
}  // namespace tindral::test
