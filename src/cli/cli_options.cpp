#include "cli/cli_options.h"

#include "board/utf8.h"
#include "cli/cli_args.h"
#include "settings/startup_rules.h"

namespace tindral::cli {

namespace {

bool parse_sort(const std::wstring& s, int limit, int& out) {
    int32_t v = 0;
    if (!parse_decimal(s, 3, v) || v >= limit) return false;
    out = v;
    return true;
}

}  // namespace

bool parse_cli_options(const std::vector<std::wstring>& args, CliOptions& out, std::wstring& error) {
    out = CliOptions{};
    std::vector<std::wstring> positional;
    std::wstring sort_text;
    const bool read = read_cli_args(args, 0, positional, error, [&](const std::wstring& a,
                                                                    const std::wstring& name,
                                                                    const TakeValue& take_value) {
        std::wstring value;
        if (take_common_switch(name, out.help, out.version, out.strict)) {
            return true;
        } else if (name == L"--format") {
            if (!take_value(value)) return false;
            if (value == L"text") out.format = OutputFormat::text;
            else if (value == L"csv") out.format = OutputFormat::csv;
            else if (value == L"json") out.format = OutputFormat::json;
            else {
                error = L"unknown format \"" + value + L"\" (text, csv or json)";
                return false;
            }
        } else if (name == L"--lang") {
            if (!take_value(value) || !parse_language_word(value, out.language, error)) return false;
        } else if (name == L"--side") {
            if (!take_value(value)) return false;
            out.side_given = true;
            if (!parse_side_word(value, out.side, error)) return false;
        } else if (name == L"--variant") {
            if (!take_value(value)) return false;
            out.variant = value;
            out.variant_given = true;
        } else if (name == L"--sort") {
            if (!take_value(value)) return false;
            sort_text = value;
            if (sort_text.empty()) sort_text = L"x";  // reported below
        } else {
            error = L"unknown option " + a;
            return false;
        }
        return true;
    });
    if (!read) return false;
    if (out.help || out.version) return true;
    if (positional.empty()) {
        error = L"missing command (list, bom, render, booklet or variants)";
        return false;
    }
    if (positional[0] == L"list") out.command = Command::list;
    else if (positional[0] == L"bom") out.command = Command::bom;
    else {
        error = L"unknown command \"" + positional[0] + L"\" (list, bom, render, booklet or variants)";
        return false;
    }
    if (!one_board(positional, 1, out.board, error)) return false;
    if (out.command == Command::bom && out.side_given) {
        error = L"--side applies to list only: the BOM always counts both sides";
        return false;
    }
    if (!sort_text.empty()) {
        const int limit = out.command == Command::list ? 11 : 4;
        if (!parse_sort(sort_text, limit, out.sort)) {
            error = L"--sort needs a column number from 0 to " + std::to_wstring(limit - 1);
            return false;
        }
    }
    return true;
}

const char* cli_help_text() {
    return
        "Usage: tindral-cli list BOARD [--side top|bottom|both] [--sort N] [options]\n"
        "       tindral-cli bom BOARD [--sort N] [options]\n"
        "       tindral-cli render BOARD --out FILE.svg [--side top|bottom|both] [--width N]\n"
        "                          [--pads]\n"
        "       tindral-cli booklet BOARD --out DIR [--side top|bottom|both] [--lang de|en]\n"
        "       tindral-cli variants BOARD\n"
        "       tindral-cli --help | --version\n"
        "\n"
        "Reads a board file (Eagle XML .brd, the .fbrd archive holding one, or KiCad 5 to 9\n"
        ".kicad_pcb) and prints the component list or the bill of materials exactly as the\n"
        "program shows them. The board file is only read.\n"
        "\n"
        "Commands:\n"
        "  list   one row per component: name, library, package, value, x, y, rotation\n"
        "         (\"%3.3f\"), side (\"Top\"/\"Bottom\"), amount, group, index. Default order:\n"
        "         by group, then by index, as the program's default view.\n"
        "  bom    one row per package and value over both sides: library (of the first\n"
        "         such component), package, value, amount; in the order of each pair's\n"
        "         first component.\n"
        "  render the package outlines as the board window shows them right after loading\n"
        "         (fitted, default colours and layers, nothing selected), as an SVG file;\n"
        "         --out - writes it to stdout. --side: the sides drawn (default both;\n"
        "         bottom alone is seen from below, mirrored). --width: picture width in\n"
        "         pixels, 16-20000 (default 1200); the height follows the board. --pads:\n"
        "         the pads and the pin-1 dots too, in the pad colour. Takes\n"
        "         --strict; exit 1 also when the SVG file cannot be written. The command\n"
        "         name comes first.\n"
        "  booklet the assembly booklet as SVG pages page-001.svg, page-002.svg ... in\n"
        "         the folder DIR (made if missing): a page per package and value on a\n"
        "         side, in the BOM's order, with the board drawing of that side (the\n"
        "         group's parts in red), and the group's parts with a box to tick; a\n"
        "         long group goes on over the next pages. --side: the sides with pages\n"
        "         (default both, top first). Takes --lang and --strict; exit 1 also when\n"
        "         a page cannot be written. Pages a longer earlier booklet left in DIR\n"
        "         are removed.\n"
        "  variants the board's assembly variants, one per line in file order; the\n"
        "         file's current one ends in \" (current)\". Nothing for a board without\n"
        "         variants. The command name comes first.\n"
        "\n"
        "Options:\n"
        "  --side top|bottom|both   list: which sides have rows; booklet: which sides\n"
        "                           have pages (default both)\n"
        "  --variant NAME           list, bom, render: the assembly variant (default the\n"
        "                           file's current one). Parts it does not fit have no\n"
        "                           row, are not counted and are drawn grey; its values\n"
        "                           replace the file's. An unknown name is a mistaken\n"
        "                           command line (exit 3) naming the variants there are\n"
        "  --sort N                 sort as a click on the header of column N would:\n"
        "                           list 0-10 (by index first, then by the column, so\n"
        "                           equal cells keep the index order); bom 0-3.\n"
        "                           Text columns compare ordinally, number columns\n"
        "                           numerically.\n"
        "  --format text|csv|json   text: aligned columns with a header (list: then the\n"
        "                           counter line; bom: the date line first); csv: RFC 4180\n"
        "                           with a header line of the column names; json: one\n"
        "                           array of objects with those names (default text)\n"
        "  --lang de|en             language of the texts that depend on it: column\n"
        "                           titles, counter line, \"Undefiniert\"/\"Undefined\" for\n"
        "                           an empty value, messages (default en)\n"
        "  --strict                 the first unexpected item of the file, or a damaged\n"
        "                           file, is an error (exit 2)\n"
        "  --help                   this text\n"
        "  --version                the program's name and version\n"
        "  --                       the arguments after it are no options\n"
        "\n"
        "The program's default settings apply; no stored settings are read. Nothing is\n"
        "asked: every unexpected item of the file is reported on stderr and skipped.\n"
        "Output is UTF-8.\n"
        "\n"
        "Exit status: 0 done; 1 the file cannot be read or is not an Eagle board (one\n"
        "line on stderr names the file and the reason); 2 --strict met an unexpected\n"
        "item or a damaged file; 3 wrong command line.\n";
}

std::string cli_version_line() {
    const std::wstring title = kProgramTitle;  // "Tindral V2.00.1"
    const size_t v = title.rfind(L" V");
    return "tindral-cli " + wide_to_utf8(v == std::wstring::npos ? title : title.substr(v + 2)) +
           "\n";
}

}  // namespace tindral::cli
