#include "board/parse_walk.h"
#include "board/primitive_readers.h"
#include "board/section_readers.h"
#include "board/utf8.h"

namespace tindral {

namespace {

constexpr const wchar_t* kPackageFormat = L"%s package attr %s\r%s";

// Descriptions (one or more in a row) hold nothing the program keeps. pos on the start token.
void skip_descriptions(const TokenList& tokens, size_t& pos) {
    while (is_start(tokens, pos, L"description")) skip_element(tokens, pos);
}

bool is_package_attribute(std::wstring_view name) {
    return name == L"urn" || name == L"locally_modified" || name == L"library_version" ||
           name == L"library_locally_modified" || name == L"use_placeholder";
}

// Room for the package's shapes at once: a logo of fifty thousand rectangles would otherwise
// be copied into ever larger blocks, each one fresh memory. A count up to where the package
// surely ends; a few too many only reserve room that is never touched.
void reserve_shapes(const TokenList& tokens, size_t pos, PackageRec& package) {
    size_t wires = 0, circles = 0, rectangles = 0, holes = 0, pads = 0;
    for (; !past_end(tokens, pos); ++pos) {
        const XmlToken& t = tokens.raw(pos);
        if (t.kind == kTokenStart) {
            if (t.text() == L"wire") ++wires;
            else if (t.text() == L"rectangle") ++rectangles;
            else if (t.text() == L"circle") ++circles;
            else if (t.text() == L"hole") ++holes;
            else if (t.text() == L"pad" || t.text() == L"smd") ++pads;
            else if (t.text() == L"package") break;
        } else if (t.kind == kTokenEnd && (t.text() == L"package" || t.text() == L"packages")) {
            break;
        }
    }
    package.wires.reserve(wires);
    package.circles.reserve(circles);
    package.rectangles.reserve(rectangles);
    package.holes.reserve(holes);
    package.pads.reserve(pads);
}

}  // namespace

bool set_package(const WalkContext& ctx,
                 const TokenList& tokens, size_t& pos, PackageRec& package) {
    if (tokens.at(pos).kind == kTokenEmptyEnd) {  // <package/>
        if (!past_end(tokens, pos)) ++pos;
        return true;
    }
    while (is_attribute(tokens, pos)) {
        const std::wstring_view name = tokens.at(pos).text();
        if (name == L"name") {
            assign_wide_as_utf8(package.name, tokens.at(pos + 1).text());
            pos += 2;
        } else if (is_package_attribute(name)) {
            pos += 2;
        } else {
            if (!report_unexpected(ctx, kPackageFormat, name)) return false;
            ++pos;
        }
    }
    reserve_shapes(tokens, pos, package);
    for (;;) {
        const XmlToken& t = tokens.raw(pos);
        if (past_end(tokens, pos)) return true;
        if (is_end(tokens, pos, L"package")) {
            ++pos;
            return true;
        }
        if (t.kind == kTokenEmptyEnd) {  // the end of an unknown child met token by token
            ++pos;
            continue;
        }
        // A package written <package .../> has no end token: the next package or the end of
        // the packages section ends it.
        if (is_start(tokens, pos, L"package") || is_end(tokens, pos, L"packages")) return true;

        if (t.kind == kTokenStart) {
            const std::wstring_view n = t.text();
            if (n == L"description") {
                skip_descriptions(tokens, pos);
            } else if (n == L"wire") {
                WireRec w;
                if (!read_wire(ctx, tokens, pos, w)) return false;
                package.wires.push_back(w);
            } else if (n == L"circle") {
                CircleRec c;
                if (!read_circle(ctx, tokens, pos, c)) return false;
                package.circles.push_back(c);
            } else if (n == L"rectangle") {
                RectangleRec r;
                if (!read_rectangle(ctx, tokens, pos, r)) return false;
                package.rectangles.push_back(r);
            } else if (n == L"hole") {
                HoleRec h;
                if (!read_hole(ctx, tokens, pos, h)) return false;
                package.holes.push_back(h);
            } else if (n == L"polygon") {
                ++pos;
                PolygonRec p;
                if (!read_polygon(ctx, tokens, pos, p)) return false;
                package.polygons.push_back(std::move(p));
            } else if (n == L"pad" || n == L"smd") {
                ++pos;
                PadRec pad;
                if (!(n == L"pad" ? read_pad : read_smd)(ctx, tokens, pos, pad)) return false;
                package.pads.push_back(std::move(pad));
            } else if (n == L"text") {
                ++pos;
                if (!check_text(ctx, tokens, pos)) return false;
            } else if (n == L"dimension") {
                if (!check_dimension(ctx, tokens, pos)) return false;
            } else if (n == L"frame") {
                skip_element(tokens, pos);
            } else {
                if (!report_unexpected(ctx, kPackageFormat, n)) return false;
                ++pos;
            }
            continue;
        }
        if (t.kind == kTokenAttrName && is_package_attribute(t.text())) {
            pos += 2;
            continue;
        }
        if (!report_unexpected(ctx, kPackageFormat, t.text())) return false;
        ++pos;
    }
}

int set_lib(const WalkContext& ctx, const TokenList& tokens, size_t& pos, LibraryRec& library) {
    bool any_package = false;
    if (tokens.at(pos).kind == kTokenEnd) return 0;
    if (tokens.at(pos).kind == kTokenEmptyEnd) {  // <library/>: nothing in it, step past it
        if (!past_end(tokens, pos)) ++pos;
        return 0;
    }
    for (;;) {
        const XmlToken& t = tokens.raw(pos);
        if (past_end(tokens, pos) || t.kind == kTokenEnd) break;
        // <library name="..."/> has no end token: the next library or the section's end ends it
        if (is_start(tokens, pos, L"library")) break;

        if (t.kind == kTokenAttrName || t.kind == kTokenAttrValue) {
            if (t.text() == L"name") {
                assign_wide_as_utf8(library.name, tokens.at(pos + 1).text());
                pos += 2;
                continue;
            }
            if (t.text() == L"urn" || t.text() == L"class") {
                pos += 2;
                continue;
            }
        } else if (t.kind == kTokenStart) {
            if (t.text() == L"description") {
                skip_descriptions(tokens, pos);
                continue;
            }
            if (t.text() == L"packages") {
                ++pos;
                if (tokens.at(pos).kind == kTokenEmptyEnd && !past_end(tokens, pos)) {
                    ++pos;  // <packages/>
                    continue;
                }
                while (!past_end(tokens, pos) && !is_end(tokens, pos, L"library")) {
                    if (is_end(tokens, pos, L"packages")) {
                        ++pos;
                        break;
                    }
                    if (is_start(tokens, pos, L"package")) {
                        ++pos;
                        PackageRec package;
                        if (!set_package(ctx, tokens, pos, package)) return -1;
                        library.packages.push_back(std::move(package));
                        any_package = true;
                        continue;
                    }
                    ++pos;
                }
                continue;
            }
            if (t.text() == L"packages3d") {
                ++pos;
                if (tokens.at(pos).kind == kTokenEmptyEnd && !past_end(tokens, pos)) {
                    ++pos;
                    continue;
                }
                while (!past_end(tokens, pos) && !token_is(tokens, pos, L"packages3d")) ++pos;
                if (!past_end(tokens, pos)) ++pos;
                continue;
            }
        }
        if (!report_unexpected(ctx, L"%s set_lib %s\r%s", t.text())) return -1;
        ++pos;
    }
    return any_package ? 1 : 0;
}

}  // namespace tindral
