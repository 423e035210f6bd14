#pragma once
// Runs the native tindral-cli as its own process, with its output caught in files of a folder.

#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/board_folders.h"
#include "support/temp_folder.h"

namespace tindral::test {

struct CliRun {
    int rc = -1;
    std::string out, err;
};

inline std::string slurp(const std::string& path) { return TempFolder::read(path); }

// A path of the board folders as the shell takes it (the folders' names are ASCII).
inline std::string narrow(const std::wstring& path) { return std::string(path.begin(), path.end()); }

// The .brd files of a folder, sorted, as narrow paths.
inline std::vector<std::string> narrow_board_files(const std::wstring& dir) {
    std::vector<std::string> out;
    for (const std::wstring& p : board_files(dir)) out.push_back(narrow(p));
    return out;
}

// A shell command line; its stdout and stderr land in dir.
inline CliRun run_shell_process(const std::string& dir, const std::string& command) {
    const std::string out = dir + "/stdout", err = dir + "/stderr";
    const std::string cmd = "{ " + command + "; } >'" + out + "' 2>'" + err + "'";
    const int status = std::system(cmd.c_str());
    CliRun r;
    r.rc = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = slurp(out);
    r.err = slurp(err);
    return r;
}

// args are passed through the shell as they are.
inline CliRun run_cli_process(const std::string& dir, const std::string& args) {
    return run_shell_process(dir, std::string("'") + TINDRAL_CLI_PATH + "' " + args);
}

// A board of tests/boards, quoted for the shell.
inline std::string quoted_own_board(const wchar_t* name) { return "'" + narrow(own_board(name)) + "'"; }

// A test that runs tindral-cli with a folder of its own for files and output.
class CliFixture : public ::testing::Test {
protected:
    CliRun run(const std::string& args) { return run_cli_process(dir_, args); }
    TempFolder folder_;
    const std::string dir_ = folder_.path.string();
};

}  // namespace tindral::test
