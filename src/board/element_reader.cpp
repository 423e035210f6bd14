#include <iterator>
#include <vector>

#include "board/load_messages.h"
#include "board/number_text.h"
#include "board/parse_walk.h"
#include "board/section_readers.h"
#include "board/utf8.h"
#include "model/variants.h"

namespace tindral {

Rotation read_rotation(std::wstring_view text) {
    // The spin flag only keeps texts upright in Eagle; the side and angle follow it.
    const std::wstring_view v = !text.empty() && text[0] == L'S' ? text.substr(1) : text;
    Rotation r;
    if (v.size() >= 1 && v[0] == L'R') {
        r.known = true;
        if (v.size() >= 2 && v[1] == L'M') {
            r.side = kSideBottom;
            r.degrees = text_to_number(v.substr(2)) + 180;
        } else {
            r.side = kSideTop;
            r.degrees = text_to_number(v.substr(1));
        }
    } else if (v.size() >= 1 && v[0] == L'M') {
        r.known = true;
        r.side = kSideBottom;
        const size_t letters = v.size() >= 2 && v[1] == L'R' ? 2 : 1;
        r.degrees = text_to_number(v.substr(letters)) + 180;
    }
    return r;
}

namespace {

constexpr const wchar_t* kElemFormat = L"%s set elem %s\r%s";

// The element's own attributes into e; false when the user answered No.
bool read_element_attributes(const WalkContext& ctx,
                             const TokenList& tokens, size_t& pos, ElementRec& e) {
    while (is_attribute(tokens, pos)) {
        const std::wstring_view name = tokens.at(pos).text();
        const std::wstring_view value = tokens.at(pos + 1).text();
        if (name == L"name") {
            assign_wide_as_utf8(e.name, value);
        } else if (name == L"library") {
            assign_wide_as_utf8(e.library, value);
        } else if (name == L"package") {
            assign_wide_as_utf8(e.package, value);
        } else if (name == L"value") {
            assign_wide_as_utf8(e.value,
                                value.empty() ? text_in(ctx.language, TXT_UNDEFINED) : value);
        } else if (name == L"populate") {
            e.own_populated = value != L"no";
        } else if (name == L"x") {
            e.x = text_to_number(value);
        } else if (name == L"y") {
            e.y = text_to_number(value);
        } else if (name == L"smashed") {
            e.smashed = value == L"no" ? 0 : 1;
        } else if (name == L"locked") {
            e.locked = value == L"no" ? 0 : 1;
        } else if (name == L"rot") {
            const Rotation r = read_rotation(value);
            if (r.known) {
                e.side = r.side;
                e.rotation = r.degrees;
            }
        } else if (name == L"library_urn" || name == L"package3d_urn" ||
                   name == L"override_package3d_urn" || name == L"override_package_urn" ||
                   name == L"override_locally_modified" || name == L"grouprefs") {
            // known, nothing the lists show
        } else if (!report_unexpected(ctx, kElemFormat, name)) {
            return false;
        }
        pos += 2;
    }
    return true;
}

// One <variant> child, pos on its start token; returns with pos past it. A child naming a
// variant the board does not declare, or one named before, changes nothing.
void read_variant_child(const TokenList& tokens, size_t& pos, const BoardModel& board,
                        ElementRec& e) {
    size_t at = pos + 1;
    PartVariant v;
    int32_t variant = -1;
    for (; is_attribute(tokens, at); at += 2) {
        const std::wstring_view name = tokens.at(at).text();
        const std::wstring_view value = tokens.at(at + 1).text();
        if (name == L"name") {
            variant = find_variant(board, value);
        } else if (name == L"populate") {
            v.populated = value != L"no";
        } else if (name == L"value") {
            v.has_value = true;
            assign_wide_as_utf8(v.value, value);
        }
    }
    skip_element(tokens, pos);
    if (variant < 0) return;
    for (const PartVariant& known : e.variants)
        if (static_cast<int32_t>(known.variant) == variant) return;
    v.variant = static_cast<uint32_t>(variant);
    e.variants.push_back(std::move(v));
}

// The attributes of one <attribute> child, pos past its start token; nothing is kept.
bool check_attribute_child(const WalkContext& ctx, const TokenList& tokens, size_t& pos) {
    while (is_attribute(tokens, pos)) {
        const std::wstring_view name = tokens.at(pos).text();
        static const wchar_t* const known[] = {L"name",  L"x",       L"y",     L"size",
                                               L"layer", L"ratio",   L"rot",   L"value",
                                               L"display", L"align", L"font",  L"constant",
                                               L"grouprefs"};
        bool ok = false;
        for (const wchar_t* k : known) ok = ok || name == k;
        if (!ok && !report_unexpected(ctx, kElemFormat, name)) return false;
        pos += 2;
    }
    return true;
}

// Where each child of one element ends. <x .../> has no end token, so a child is known to hold
// children of its own only once its end token is found; one pass from the first unknown child to
// the element's end matches every start there with its end, so that each unknown child is
// stepped over whole (asked about once) and the walk stays linear however many there are.
class ChildEnds {
public:
    // pos on a child's start token: moves past the whole child.
    void skip(const TokenList& tokens, size_t& pos) {
        if (pos < from_ || pos >= to_) match(tokens, pos);
        const size_t end = past_end_[pos - from_];
        if (end) {
            pos = end;
            return;
        }
        ++pos;  // written <x .../>: its attributes are all of it
        while (is_attribute(tokens, pos)) ++pos;
    }

private:
    void match(const TokenList& tokens, size_t from) {
        from_ = from;
        past_end_.clear();
        std::vector<size_t> open;  // start tokens without their end yet
        size_t pos = from;
        for (; !past_end(tokens, pos) && !is_start(tokens, pos, L"element"); ++pos) {
            past_end_.push_back(0);
            const XmlToken& t = tokens.at(pos);
            if (t.kind == kTokenStart) {
                open.push_back(pos);
            } else if (t.kind == kTokenEmptyEnd && !open.empty()) {
                past_end_[open.back() - from] = pos + 1;  // <x/>
                open.pop_back();
            } else if (t.kind == kTokenEnd) {
                // Starts above the one this end closes were written <x .../>.
                auto it = open.rbegin();
                while (it != open.rend() && tokens.at(*it).text() != t.text()) ++it;
                if (it == open.rend()) break;  // the element's own end, or its section's
                past_end_[*it - from] = pos + 1;
                open.erase(std::prev(it.base()), open.end());
            }
        }
        to_ = pos;
    }

    size_t from_ = 0, to_ = 0;
    std::vector<size_t> past_end_;  // by position from from_: past the end token, 0 for none
};

}  // namespace

bool set_elem(const WalkContext& ctx, const TokenList& tokens, size_t& pos, BoardModel& board) {
    // Room for every element of the section at once: growing moves every record several times.
    // A list read as the walk goes holds only the element at hand, and the file's count instead.
    size_t starts = tokens.element_hint;
    if (!tokens.windowed()) {
        for (size_t i = pos; !past_end(tokens, i) && !is_end(tokens, i, L"elements"); ++i)
            starts += is_start(tokens, i, L"element");
    }
    board.elements.reserve(board.elements.size() + starts);
    while (is_start(tokens, pos, L"element")) {
        tokens.let_go_before(pos);
        ++pos;
        ElementRec e;
        if (!read_element_attributes(ctx, tokens, pos, e)) return false;
        board.elements.push_back(std::move(e));
        ChildEnds child_ends;

        // Its children, up to its own end token. Only <attribute>, <variant> and (from Eagle
        // 9.7 on) <pad>, the element's pads by name, belong here; anything else is stepped over
        // whole, so that the following elements are still read.
        for (;;) {
            const XmlToken& t = tokens.at(pos);
            if (past_end(tokens, pos) || is_start(tokens, pos, L"element") ||
                is_end(tokens, pos, L"elements"))
                break;
            if (is_end(tokens, pos, L"element")) {
                ++pos;
                break;
            }
            if (is_start(tokens, pos, L"attribute")) {
                ++pos;
                if (!check_attribute_child(ctx, tokens, pos)) return false;
            } else if (is_start(tokens, pos, L"variant")) {
                read_variant_child(tokens, pos, board, board.elements.back());
            } else if (is_start(tokens, pos, L"pad")) {
                skip_element(tokens, pos);
            } else if (t.kind == kTokenStart) {
                if (!report_unexpected(ctx, kElemFormat, t.text())) return false;
                child_ends.skip(tokens, pos);
            } else if (t.kind == kTokenEnd || t.kind == kTokenEmptyEnd) {
                ++pos;  // </attribute>, or <element/> without attributes
            } else {
                if (!report_unexpected(ctx, kElemFormat, t.text())) return false;
                ++pos;
            }
        }
    }
    return true;
}

}  // namespace tindral
