#include "cli/render_command.h"

#include "cli/cli_args.h"
#include "cli/cli_load.h"
#include "cli/cli_options.h"
#include "cli/cli_variant.h"
#include "model/session.h"
#include "view/svg_canvas.h"

namespace tindral::cli {

namespace {

struct RenderOptions {
    std::wstring board;
    std::wstring out_path;  // "-" for standard output
    RenderSide side = RenderSide::both;
    int32_t width = 1200;
    std::wstring variant;
    bool variant_given = false;
    bool strict = false;
    bool pads = false;  // off unless asked: the picture stays what it was before pads were drawn
    bool help = false;
    bool version = false;
};

bool parse_width(const std::wstring& s, int32_t& out) {
    int32_t v = 0;
    if (!parse_decimal(s, 5, v) || v < 16 || v > 20000) return false;
    out = v;
    return true;
}

RenderSide render_side(SideChoice side) {
    switch (side) {
        case SideChoice::top: return RenderSide::top;
        case SideChoice::bottom: return RenderSide::bottom;
        case SideChoice::both: break;
    }
    return RenderSide::both;
}

bool parse_render_options(const std::vector<std::wstring>& args, RenderOptions& o, std::wstring& error) {
    std::vector<std::wstring> positional;
    const bool read = read_cli_args(args, 1, positional, error, [&](const std::wstring& a,
                                                                    const std::wstring& name,
                                                                    const TakeValue& take_value) {
        std::wstring value;
        if (take_common_switch(name, o.help, o.version, o.strict)) {
            return true;
        } else if (name == L"--pads") {
            o.pads = true;
        } else if (name == L"--out") {
            if (!take_value(value)) return false;
            o.out_path = value;
        } else if (name == L"--side") {
            if (!take_value(value)) return false;
            SideChoice side = SideChoice::both;
            if (!parse_side_word(value, side, error)) return false;
            o.side = render_side(side);
        } else if (name == L"--variant") {
            if (!take_value(value)) return false;
            o.variant = value;
            o.variant_given = true;
        } else if (name == L"--width") {
            if (!take_value(value)) return false;
            if (!parse_width(value, o.width)) {
                error = L"--width needs a number of pixels from 16 to 20000";
                return false;
            }
        } else {
            error = L"unknown option " + a;
            return false;
        }
        return true;
    });
    if (!read) return false;
    if (o.help || o.version) return true;
    if (!one_board(positional, 0, o.board, error)) return false;
    if (o.out_path.empty()) {
        error = L"render needs --out FILE.svg (or --out - for standard output)";
        return false;
    }
    return true;
}

}  // namespace

int run_render(const std::vector<std::wstring>& args, Session& session, std::FILE* out,
               std::FILE* err) {
    RenderOptions o;
    std::wstring error;
    if (!parse_render_options(args, o, error)) return usage_error(err, error);
    if (answer_help_or_version(o.help, o.version, out)) return kExitOk;
    if (const int code = load_cli_board(session, o.board, o.strict, err); code != kExitOk)
        return code;
    if (const int code = choose_cli_variant(session.board, o.variant_given, o.variant, err); code != kExitOk)
        return code;

    session.settings.show_pads = o.pads ? 1 : 0;
    const std::string svg = render_board_svg(session.board, o.side, session.settings, o.width);
    if (o.out_path == L"-") {
        write_bytes(out, svg);
        std::fflush(out);
        return kExitOk;
    }
    if (!write_cli_file(cli_file_path(o.out_path), svg))
        return cannot_write(err, o.out_path, "cannot write the SVG file");
    return kExitOk;
}

}  // namespace tindral::cli
