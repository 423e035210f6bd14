#include "cli/booklet_command.h"

#include <filesystem>
#include <system_error>

#include "board/header_check.h"
#include "cli/cli_args.h"
#include "cli/cli_load.h"
#include "cli/cli_options.h"
#include "print/booklet_svg.h"
#include "text/format.h"

namespace tindral::cli {

namespace {

struct BookletOptions {
    std::wstring board;
    std::wstring out_dir;
    SideChoice side = SideChoice::both;
    unsigned language = 1;
    bool strict = false;
    bool help = false;
    bool version = false;
};

bool parse_booklet_options(const std::vector<std::wstring>& args, BookletOptions& o,
                           std::wstring& error) {
    std::vector<std::wstring> positional;
    const bool read = read_cli_args(args, 1, positional, error, [&](const std::wstring& a,
                                                                    const std::wstring& name,
                                                                    const TakeValue& take_value) {
        std::wstring value;
        if (take_common_switch(name, o.help, o.version, o.strict)) {
            return true;
        } else if (name == L"--out") {
            if (!take_value(value)) return false;
            o.out_dir = value;
        } else if (name == L"--side") {
            if (!take_value(value)) return false;
            if (!parse_side_word(value, o.side, error)) return false;
        } else if (name == L"--lang") {
            if (!take_value(value) || !parse_language_word(value, o.language, error)) return false;
        } else {
            error = L"unknown option " + a;
            return false;
        }
        return true;
    });
    if (!read) return false;
    if (o.help || o.version) return true;
    if (!one_board(positional, 0, o.board, error)) return false;
    if (o.out_dir.empty() || o.out_dir == L"-") {
        error = L"booklet needs --out DIR, the folder for the page files";
        return false;
    }
    return true;
}

std::wstring page_name(size_t page) {
    return format_text(40, L"page-%03d.svg", static_cast<int>(page));
}

}  // namespace

int run_booklet(const std::vector<std::wstring>& args, Session& session, std::FILE* out,
                std::FILE* err) {
    BookletOptions o;
    std::wstring error;
    if (!parse_booklet_options(args, o, error)) return usage_error(err, error);
    if (answer_help_or_version(o.help, o.version, out)) return kExitOk;
    session.settings.language = o.language;
    if (const int code = load_cli_board(session, o.board, o.strict, err); code != kExitOk)
        return code;

    const std::vector<std::string> pages =
        booklet_svg_pages(session.board, session.settings, o.side != SideChoice::bottom,
                          o.side != SideChoice::top, file_name_part(o.board));
    if (pages.empty()) {
        write_bytes(err, "tindral-cli: no parts on the sides chosen; no page written\n");
        return kExitOk;
    }
    const std::filesystem::path dir = cli_file_path(o.out_dir);
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec || !std::filesystem::is_directory(dir, ec))
        return cannot_write(err, o.out_dir, "cannot create the folder");
    for (size_t p = 0; p < pages.size(); ++p) {
        const std::wstring name = page_name(p + 1);
        if (!write_cli_file(dir / cli_file_path(name), pages[p]))
            return cannot_write(err, o.out_dir + L"/" + name, "cannot write the page file");
    }
    // The pages a longer earlier run left behind would read as part of this booklet.
    for (size_t p = pages.size() + 1; std::filesystem::remove(dir / cli_file_path(page_name(p)), ec); ++p) {
    }
    return kExitOk;
}

}  // namespace tindral::cli
