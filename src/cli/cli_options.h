#pragma once
// The command line of tindral-cli.

#include <string>
#include <vector>

namespace tindral::cli {

enum class Command { none, list, bom };
enum class OutputFormat { text, csv, json };
enum class SideChoice { both, top, bottom };

struct CliOptions {
    Command command = Command::none;
    std::wstring board;
    OutputFormat format = OutputFormat::text;
    unsigned language = 1;  // 0 German, 1 English
    SideChoice side = SideChoice::both;
    bool side_given = false;
    std::wstring variant;   // --variant: the assembly variant shown (default: the file's current)
    bool variant_given = false;
    int sort = -1;          // -1: the program's default order
    bool strict = false;
    bool help = false;
    bool version = false;
};

// Exit codes.
constexpr int kExitOk = 0;
constexpr int kExitUnreadable = 1;  // cannot be read, or not an Eagle board
constexpr int kExitStrict = 2;      // --strict met an unexpected item or a damaged file
constexpr int kExitUsage = 3;       // the command line itself is wrong

// Parses the arguments after the program name. On a mistake returns false with a one-line
// reason in error.
bool parse_cli_options(const std::vector<std::wstring>& args, CliOptions& out, std::wstring& error);

// The --help text (UTF-8).
const char* cli_help_text();

// The --version line, "tindral-cli 2.00.1\n": the version of the program's title.
std::string cli_version_line();

}  // namespace tindral::cli
