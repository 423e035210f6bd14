#include "cli/render_command.h"

#include <filesystem>
#include <fstream>

#include "board/board_file.h"
#include "board/parse_board.h"
#include "board/tokenise.h"
#include "board/utf8.h"
#include "cli/cli_options.h"
#include "cli/cli_port.h"
#include "settings/settings.h"
#include "view/svg_canvas.h"

namespace tindral::cli {

namespace {

struct RenderOptions {
    std::wstring board;
    std::wstring out_path;  // "-" for standard output
    RenderSide side = RenderSide::both;
    int32_t width = 1200;
    bool strict = false;
    bool help = false;
};

void write(std::FILE* f, const std::string& s) { std::fwrite(s.data(), 1, s.size(), f); }

bool parse_width(const std::wstring& s, int32_t& out) {
    if (s.empty() || s.size() > 5) return false;
    int32_t v = 0;
    for (wchar_t c : s) {
        if (c < L'0' || c > L'9') return false;
        v = v * 10 + (c - L'0');
    }
    if (v < 16 || v > 20000) return false;
    out = v;
    return true;
}

bool parse_render_options(const std::vector<std::wstring>& args, RenderOptions& o, std::wstring& error) {
    std::vector<std::wstring> positional;
    bool options_done = false;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::wstring& a = args[i];
        if (options_done || a.empty() || a[0] != L'-' || a == L"-") {
            positional.push_back(a);
            continue;
        }
        if (a == L"--") {
            options_done = true;
            continue;
        }
        std::wstring name = a, value;
        bool has_value = false;
        if (const size_t eq = a.find(L'='); a.rfind(L"--", 0) == 0 && eq != std::wstring::npos) {
            name = a.substr(0, eq);
            value = a.substr(eq + 1);
            has_value = true;
        }
        const auto take_value = [&]() {
            if (has_value) return true;
            if (i + 1 >= args.size()) {
                error = name + L" needs a value";
                return false;
            }
            value = args[++i];
            return true;
        };
        if (name == L"--help" || name == L"-h") {
            o.help = true;
        } else if (name == L"--strict") {
            o.strict = true;
        } else if (name == L"--out") {
            if (!take_value()) return false;
            o.out_path = value;
        } else if (name == L"--side") {
            if (!take_value()) return false;
            if (value == L"both") o.side = RenderSide::both;
            else if (value == L"top") o.side = RenderSide::top;
            else if (value == L"bottom") o.side = RenderSide::bottom;
            else {
                error = L"unknown side \"" + value + L"\" (top, bottom or both)";
                return false;
            }
        } else if (name == L"--width") {
            if (!take_value()) return false;
            if (!parse_width(value, o.width)) {
                error = L"--width needs a number of pixels from 16 to 20000";
                return false;
            }
        } else {
            error = L"unknown option " + a;
            return false;
        }
    }
    if (o.help) return true;
    if (positional.empty()) {
        error = L"missing board file";
        return false;
    }
    if (positional.size() > 1) {
        error = L"one board file only";
        return false;
    }
    o.board = positional[0];
    if (o.out_path.empty()) {
        error = L"render needs --out FILE.svg (or --out - for standard output)";
        return false;
    }
    return true;
}

}  // namespace

int run_render(const std::vector<std::wstring>& args, std::FILE* out, std::FILE* err) {
    RenderOptions o;
    std::wstring error;
    if (!parse_render_options(args, o, error)) {
        write(err, "tindral-cli: " + wide_to_utf8(error) + "\nTry 'tindral-cli --help'.\n");
        return kExitUsage;
    }
    if (o.help) {
        write(out, cli_help_text());
        return kExitOk;
    }

    CliPort port(o.board, o.strict, err);
    std::string bytes;
    const FileReadResult read = read_whole_file(o.board, bytes);
    if (read.status != FileReadStatus::ok) {
        port.report((read.status == FileReadStatus::open_failed ? L"cannot open: " : L"cannot read: ") +
                    port.system_error_text(read.error));
        return kExitUnreadable;
    }
    TokenList tokens;
    const TokeniseResult tok = tokenise_bytes(bytes, tokens);
    bytes.clear();
    if (!tok.ok) {
        if (port.lines == 0) port.report(L"not an Eagle board file");
        return kExitUnreadable;
    }
    if (tok.damaged && o.strict) return kExitStrict;
    const ParseOutcome parsed = parse_board(tokens, g_board);
    free_token_list(tokens);
    if (parsed.result == 0) {
        if (port.refused) return kExitStrict;
        if (port.lines == 0) port.report(L"the board could not be read");
        return kExitUnreadable;
    }

    const std::string svg = render_board_svg(g_board, o.side, g_settings, o.width);
    if (o.out_path == L"-") {
        write(out, svg);
        std::fflush(out);
        return kExitOk;
    }
    std::ofstream file(std::filesystem::path(o.out_path), std::ios::binary | std::ios::trunc);
    file.write(svg.data(), static_cast<std::streamsize>(svg.size()));
    file.close();
    if (!file) {
        write(err, "tindral-cli: " + wide_to_utf8(o.out_path) + ": cannot write the SVG file\n");
        return kExitUnreadable;
    }
    return kExitOk;
}

}  // namespace tindral::cli
