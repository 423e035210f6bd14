#include "board/number_text.h"
#include "board/parse_walk.h"
#include "board/section_readers.h"

namespace tindral {

bool set_grid(const WalkContext& ctx, const TokenList& tokens, size_t& pos) {
    while (is_attribute(tokens, pos)) {
        const std::wstring_view name = tokens.at(pos).text();
        const std::wstring_view value = tokens.at(pos + 1).text();
        if (name == L"distance" || name == L"altdistance" || name == L"multiple" ||
            name == L"unitdist" || name == L"display" || name == L"altunitdist" ||
            name == L"altunit") {
            pos += 2;
        } else if (name == L"unit") {
            if (value != L"mm" && value != L"inch" && value != L"mil" && value != L"mic" &&
                !report_unexpected(ctx, L"%s set_grid elem %s\r%s", value))
                return false;
            pos += 2;
        } else if (name == L"style") {
            if (value != L"lines" && value != L"dots" &&
                !report_unexpected(ctx, L"%s set_grid elem %s\r%s", value))
                return false;
            pos += 2;
        } else {
            ++pos;  // its value is looked at next, matches nothing and goes the same way
        }
    }
    return true;
}

namespace {

// Eagle 9.7 (and the boards inside .fbrd archives) writes a colour per background scheme and a
// lock on each layer.
bool is_newer_layer_attribute(std::wstring_view name) {
    static const wchar_t* const kNames[] = {L"blackcolor",     L"whitecolor",     L"coloredcolor",
                                            L"blackhighlight", L"whitehighlight", L"coloredhighlight",
                                            L"locked"};
    for (const wchar_t* known : kNames)
        if (name == known) return true;
    return false;
}

int32_t yes_no_other(std::wstring_view v) {
    if (v == L"yes") return 1;
    if (v == L"no") return 0;
    return 2;
}

}  // namespace

bool set_layers(const WalkContext& ctx,
                const TokenList& tokens, size_t& pos, std::array<LayerRec, kLayerRows>& layers) {
    // Kept from one layer to the next: a layer that lacks an attribute takes the one before.
    int32_t number = 0, colour = 0, fill = 0, visible = 0, active = 0;
    for (;;) {
        if (is_end(tokens, pos, L"layer")) {  // <layer ...></layer>
            ++pos;
            continue;
        }
        if (!is_start(tokens, pos, L"layer")) return true;
        ++pos;
        bool ignored = false;
        while (is_attribute(tokens, pos)) {
            const std::wstring_view name = tokens.at(pos).text();
            const std::wstring_view value = tokens.at(pos + 1).text();
            if (ignored) {
                // the fixed table has no rows for 1 to 16
            } else if (name == L"number") {
                number = text_to_integer(value);
                ignored = number <= 16;
            } else if (name == L"name") {
                // names are the program's own
            } else if (name == L"color") {
                colour = text_to_integer(value);
            } else if (name == L"fill") {
                fill = text_to_integer(value);
            } else if (name == L"visible") {
                visible = yes_no_other(value);
            } else if (name == L"active") {
                active = yes_no_other(value);
            } else if (is_newer_layer_attribute(name)) {
                // the colour schemes and lock of later versions: the program keeps its own
            } else if (!report_unexpected(ctx, L"%s elem %s\r%s", name)) {
                return false;
            }
            pos += 2;
        }
        if (tokens.at(pos).kind == kTokenEmptyEnd && !past_end(tokens, pos)) ++pos;
        if (ignored || number <= 16) continue;
        for (LayerRec& row : layers) {
            if (row.number != number) continue;
            row.colour = colour;
            row.fill = fill;
            row.visible = visible;
            row.active = active;
        }
    }
}

}  // namespace tindral
