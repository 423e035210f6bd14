// --version is the title's version; the manual documents exactly what --help lists.

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "posix/support/cli_process.h"
#include "settings/startup_rules.h"

using tindral::test::CliRun;
using tindral::test::slurp;

namespace {

class CliManualTest : public tindral::test::CliFixture {
protected:
    const std::string man_ = slurp(TINDRAL_CLI_MAN_PATH);
};

std::set<std::string> matches(const std::string& text, const std::regex& re, int group = 0) {
    std::set<std::string> out;
    for (std::sregex_iterator it(text.begin(), text.end(), re), end; it != end; ++it)
        out.insert((*it)[group].str());
    return out;
}

// The body of a manual section, ".SH NAME" up to the next ".SH".
std::string man_section(const std::string& man, const std::string& name) {
    const std::string head = ".SH " + name + "\n";
    const size_t start = man.find(head);
    if (start == std::string::npos) return "";
    const size_t body = start + head.size();
    const size_t end = man.find("\n.SH ", body);
    return man.substr(body, end == std::string::npos ? std::string::npos : end + 1 - body);
}

// The tags of a section's .TP entries, the line after each .TP, with troff's "\-" as "-".
std::set<std::string> entry_words(const std::string& section) {
    std::set<std::string> out;
    static const std::regex tag(R"(\.TP\n\.B[IR]? ((?:\\-|[a-z])+))");
    for (std::string word : matches(section, tag, 1)) {
        for (size_t at; (at = word.find("\\-")) != std::string::npos;) word.replace(at, 2, "-");
        out.insert(word);
    }
    return out;
}

// The man page writes an option as \-\-name.
std::set<std::string> man_options(const std::string& text) {
    std::set<std::string> out;
    for (const std::string& name : matches(text, std::regex(R"(\\-\\-([a-z][a-z-]*))"), 1))
        out.insert("--" + name);
    return out;
}

std::set<std::string> help_commands(const std::string& help) {
    std::set<std::string> out;
    std::istringstream lines(help.substr(help.find("\nCommands:\n") + 1));
    std::string line;
    std::getline(lines, line);
    while (std::getline(lines, line) && !line.empty()) {
        std::smatch m;
        if (std::regex_match(line, m, std::regex("  ([a-z]+) .*"))) out.insert(m[1]);
    }
    return out;
}

}  // namespace

TEST_F(CliManualTest, VersionIsTheProgramTitles) {
    const std::wstring title = tindral::kProgramTitle;
    ASSERT_EQ(title.rfind(L"Tindral V", 0), 0u);
    const std::string version(title.begin() + 9, title.end());
    ASSERT_TRUE(std::regex_match(version, std::regex(R"(\d+(\.\d+)+)"))) << version;
    for (const char* args : {"--version", "list --version", "render --version", "--version list"}) {
        SCOPED_TRACE(args);
        const CliRun r = run(args);
        EXPECT_EQ(r.rc, 0);
        EXPECT_EQ(r.out, "tindral-cli " + version + "\n");
        EXPECT_EQ(r.err, "");
    }
    // The page's footer, filled in by the build.
    EXPECT_NE(man_.find(".TH TINDRAL-CLI 1 \"December 2026\" \"tindral-cli " + version + "\""),
              std::string::npos);
}

TEST_F(CliManualTest, DocumentsEveryCommandAndOptionOfHelp) {
    ASSERT_FALSE(man_.empty()) << TINDRAL_CLI_MAN_PATH;
    const CliRun help = run("--help");
    ASSERT_EQ(help.rc, 0);

    const std::set<std::string> commands = help_commands(help.out);
    EXPECT_EQ(commands, (std::set<std::string>{"bom", "booklet", "list", "render", "variants"}));
    EXPECT_EQ(entry_words(man_section(man_, "COMMANDS")), commands);
    const std::string synopsis = man_section(man_, "SYNOPSIS");
    for (const std::string& c : commands)
        EXPECT_NE(synopsis.find(".B tindral-cli " + c + "\n"), std::string::npos) << c;

    const std::set<std::string> options = matches(help.out, std::regex("--[a-z][a-z-]*"));
    EXPECT_TRUE(options.count("--version"));
    std::set<std::string> documented = entry_words(man_section(man_, "OPTIONS"));
    EXPECT_TRUE(documented.erase("--"));  // the end of the options, not one itself
    EXPECT_EQ(documented, options);
    EXPECT_EQ(man_options(man_), options);  // nowhere in the page an option --help lacks

    // Every option is one the program takes, with list or with render.
    for (const std::string& o : options) {
        const bool list = run("list missing.brd " + o).err.find("unknown option") == std::string::npos;
        const bool render = run("render missing.brd " + o).err.find("unknown option") == std::string::npos;
        EXPECT_TRUE(list || render) << o;
    }
}

TEST_F(CliManualTest, RendersWithoutWarnings) {
    if (std::system("command -v groff >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "groff is not installed: the manual page's rendering is not checked";
    const CliRun r = tindral::test::run_shell_process(
        dir_, std::string("groff -man -ww -z '") + TINDRAL_CLI_MAN_PATH + "'");
    EXPECT_EQ(r.rc, 0);
    EXPECT_EQ(r.err, "");
}
