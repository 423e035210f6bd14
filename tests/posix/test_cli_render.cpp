// End-to-end checks of "tindral-cli render".

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string board_path(const char* name) {
    std::string out;
    for (const wchar_t* p = TINDRAL_BOARDS_DIR; *p; ++p) out += static_cast<char>(*p);
    return out + "/" + name;
}

std::string slurp(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

size_t count_of(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

class CliRenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tindral-render-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { std::system(("rm -rf '" + dir_ + "'").c_str()); }

    int run(const std::string& args) {
        const std::string cmd = std::string("'") + TINDRAL_CLI_PATH + "' " + args + " >'" + dir_ +
                                "/stdout' 2>'" + dir_ + "/stderr'";
        const int status = std::system(cmd.c_str());
        out = slurp(dir_ + "/stdout");
        err = slurp(dir_ + "/stderr");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string dir_, out, err;
};

TEST_F(CliRenderTest, WritesTheSvgOfEachSideChoice) {
    const std::string board = "'" + board_path("sparkfun-qwiic-pir-e9.brd") + "'";
    ASSERT_EQ(run("render " + board + " --out '" + dir_ + "/top.svg' --side top"), 0) << err;
    ASSERT_EQ(run("render " + board + " --out='" + dir_ + "/bottom.svg' --side=bottom --width 400"), 0) << err;
    ASSERT_EQ(run("render " + board + " --out -"), 0) << err;
    const std::string both = out;
    const std::string top = slurp(dir_ + "/top.svg"), bottom = slurp(dir_ + "/bottom.svg");

    for (const std::string* doc : {&top, &bottom, &both}) {
        EXPECT_EQ(doc->rfind("<?xml", 0), 0u);
        EXPECT_EQ(count_of(*doc, "<svg "), 1u);
        EXPECT_EQ(count_of(*doc, "</svg>"), 1u);
        EXPECT_GT(count_of(*doc, "<path ") + count_of(*doc, "<ellipse "), 0u);
    }
    EXPECT_NE(bottom.find("width=\"400\""), std::string::npos);
    EXPECT_NE(top.find("width=\"1200\""), std::string::npos);
    EXPECT_NE(top, both);
    // both sides draw everything the top view draws, and more
    EXPECT_GT(count_of(both, "<path ") + count_of(both, "<ellipse "),
              count_of(top, "<path ") + count_of(top, "<ellipse "));
}

TEST_F(CliRenderTest, WrongCommandLinesAndFilesFail) {
    const std::string board = "'" + board_path("sparkfun-qwiic-pir-e9.brd") + "'";
    EXPECT_EQ(run("render " + board), 3);
    EXPECT_NE(err.find("--out"), std::string::npos);
    EXPECT_EQ(run("render " + board + " --out x.svg --side left"), 3);
    EXPECT_EQ(run("render " + board + " --out x.svg --width 9"), 3);
    EXPECT_EQ(run("render --out x.svg"), 3);
    EXPECT_EQ(run("render " + board + " " + board + " --out x.svg"), 3);

    EXPECT_EQ(run("render '" + dir_ + "/missing.brd' --out '" + dir_ + "/x.svg'"), 1);
    EXPECT_EQ(err.find('\n'), err.size() - 1);  // one line
    EXPECT_EQ(run("render " + board + " --out '" + dir_ + "/no/such/dir/x.svg'"), 1);
    EXPECT_NE(err.find("cannot write"), std::string::npos);

    EXPECT_EQ(run("--help"), 0);
    EXPECT_NE(out.find("render BOARD --out"), std::string::npos);
}

}  // namespace
