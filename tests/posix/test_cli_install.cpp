// make install/uninstall into a temporary DESTDIR; "-o" spares an optimised rebuild of minutes.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "posix/support/cli_process.h"
#include "support/temp_folder.h"

using tindral::test::CliRun;
using tindral::test::slurp;

namespace fs = std::filesystem;

namespace {

class CliInstallTest : public ::testing::Test {
protected:
    // make in the source folder, untouched by any make or PREFIX this test runs under.
    CliRun make(const std::string& env, const std::string& args) {
        return tindral::test::run_shell_process(
            dir_, "cd '" TINDRAL_SOURCE_DIR "' && env -u MAKEFLAGS -u MFLAGS -u MAKELEVEL -u "
                  "PREFIX -u DESTDIR " + env + " make --no-print-directory " + args);
    }
    // make install or uninstall with the built cli, nothing built.
    CliRun make_built(const std::string& env, const std::string& args) {
        return make(env, "-o '" + build_ + "/cli.stamp' CLI_BUILD='" + build_ + "' " + args);
    }
    size_t files_under(const fs::path& root) {
        size_t n = 0;
        for (const auto& e : fs::recursive_directory_iterator(root)) n += e.is_regular_file();
        return n;
    }

    tindral::test::TempFolder folder_;
    const std::string dir_ = folder_.path.string();
    const std::string build_ = fs::path(TINDRAL_CLI_PATH).parent_path().string();
};

}  // namespace

TEST_F(CliInstallTest, InstallsProgramAndManualUnderDestdirAndPrefix) {
    ASSERT_EQ(fs::path(TINDRAL_CLI_MAN_PATH).parent_path().string(), build_);
    const fs::path stage = folder_.path / "stage";
    const std::string destdir = "DESTDIR='" + stage.string() + "'";
    const CliRun built_version = tindral::test::run_cli_process(dir_, "--version");
    ASSERT_EQ(built_version.rc, 0);

    CliRun r = make_built("", "install " + destdir + " PREFIX=/opt/tindral");
    ASSERT_EQ(r.rc, 0) << r.out << r.err;
    const fs::path bin = stage / "opt/tindral/bin/tindral-cli";
    const fs::path man = stage / "opt/tindral/share/man/man1/tindral-cli.1";
    ASSERT_TRUE(fs::is_regular_file(bin));
    ASSERT_TRUE(fs::is_regular_file(man));
    EXPECT_EQ(files_under(stage), 2u);
    EXPECT_EQ(fs::status(bin).permissions(), fs::perms(0755));
    EXPECT_EQ(fs::status(man).permissions(), fs::perms(0644));
    EXPECT_EQ(slurp(man.string()), slurp(TINDRAL_CLI_MAN_PATH));
    const CliRun installed = tindral::test::run_shell_process(dir_, "'" + bin.string() + "' --version");
    EXPECT_EQ(installed.rc, 0);
    EXPECT_EQ(installed.out, built_version.out);

    r = make_built("", "uninstall " + destdir + " PREFIX=/opt/tindral");
    ASSERT_EQ(r.rc, 0) << r.err;
    EXPECT_EQ(files_under(stage), 0u);

    // PREFIX from the environment, and the default one.
    r = make_built("PREFIX=/home/u/.local", "install " + destdir);
    ASSERT_EQ(r.rc, 0) << r.err;
    EXPECT_TRUE(fs::is_regular_file(stage / "home/u/.local/bin/tindral-cli"));
    EXPECT_TRUE(fs::is_regular_file(stage / "home/u/.local/share/man/man1/tindral-cli.1"));
    r = make_built("", "install " + destdir);
    ASSERT_EQ(r.rc, 0) << r.err;
    EXPECT_TRUE(fs::is_regular_file(stage / "usr/local/bin/tindral-cli"));
    EXPECT_TRUE(fs::is_regular_file(stage / "usr/local/share/man/man1/tindral-cli.1"));
    EXPECT_EQ(files_under(stage), 4u);
}

// `sudo make install` after `make cli` must not compile as root (make -n shows what it would).
TEST_F(CliInstallTest, BuildsFirstOnlyWhenTheBuildIsMissingOrOlder) {
    const fs::path fresh = folder_.path / "fresh";
    fs::create_directories(fresh);
    folder_.write("fresh/cli.stamp", "");
    const std::string destdir = " DESTDIR='" + dir_ + "/stage'";

    CliRun r = make("", "-n install CLI_BUILD='" + fresh.string() + "'" + destdir);
    ASSERT_EQ(r.rc, 0) << r.err;
    EXPECT_NE(r.out.find("install -m 755 " + fresh.string() + "/tindral-cli"), std::string::npos)
        << r.out;
    EXPECT_EQ(r.out.find("cmake"), std::string::npos) << r.out;

    // A source newer than the build.
    fs::last_write_time(fresh / "cli.stamp", fs::last_write_time(fs::path(TINDRAL_SOURCE_DIR) /
                                                                 "CMakeLists.txt") -
                                                 std::chrono::hours(1));
    r = make("", "-n install CLI_BUILD='" + fresh.string() + "'" + destdir);
    EXPECT_NE(r.out.find("cmake --build " + fresh.string()), std::string::npos) << r.out;

    r = make("", "-n install CLI_BUILD='" + dir_ + "/none'" + destdir);
    EXPECT_NE(r.out.find("tools/setup.sh cli"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("cmake --build " + dir_ + "/none"), std::string::npos) << r.out;
    EXPECT_FALSE(fs::exists(folder_.path / "none"));
    EXPECT_FALSE(fs::exists(folder_.path / "stage"));
}
