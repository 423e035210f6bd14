#include "board/primitive_readers.h"

#include "board/number_text.h"
#include "board/parse_walk.h"
#include "model/pads.h"

namespace tindral {

bool read_wire(const WalkContext& ctx, const TokenList& tokens, size_t& pos, WireRec& w) {
    ++pos;
    w.curve = 0;
    return walk_attributes(ctx, tokens, pos,
                           {{L"x1", &w.x1}, {L"y1", &w.y1}, {L"x2", &w.x2}, {L"y2", &w.y2},
                            {L"width", &w.width}, {L"layer", nullptr, &w.layer},
                            {L"curve", &w.curve}, {L"cap"}, {L"style"}, {L"extent"},
                            {L"grouprefs"}},
                           L"%s wire attr %s\r%s", AfterUnknown::next_token);
}

bool read_circle(const WalkContext& ctx, const TokenList& tokens, size_t& pos, CircleRec& c) {
    ++pos;
    return walk_attributes(ctx, tokens, pos,
                           {{L"x", &c.x}, {L"y", &c.y}, {L"radius", &c.radius},
                            {L"width", &c.width}, {L"layer", nullptr, &c.layer}, {L"grouprefs"}},
                           L"%s circle attr %s\r%s", AfterUnknown::next_token);
}

double rectangle_rotation(std::wstring_view text) {
    size_t skip = 0;
    if (text.size() >= 2 && ((text[0] == L'M' && text[1] == L'R') ||
                             (text[0] == L'R' && text[1] == L'M')))
        skip = 2;
    else if (!text.empty() && (text[0] == L'R' || text[0] == L'M'))
        skip = 1;
    return text_to_number(text.substr(skip));
}

bool read_rectangle(const WalkContext& ctx, const TokenList& tokens, size_t& pos, RectangleRec& r) {
    ++pos;
    return walk_attributes(ctx, tokens, pos,
                           {{L"x1", &r.x1}, {L"y1", &r.y1}, {L"x2", &r.x2}, {L"y2", &r.y2},
                            {L"layer", nullptr, &r.layer},
                            {L"rot", &r.rot, nullptr, rectangle_rotation}, {L"grouprefs"}},
                           L"%s rectangle attr %s\r%s", AfterUnknown::past_value);
}

bool read_hole(const WalkContext& ctx, const TokenList& tokens, size_t& pos, HoleRec& h) {
    ++pos;
    return walk_attributes(ctx, tokens, pos,
                           {{L"x", &h.x}, {L"y", &h.y}, {L"drill", &h.drill}, {L"grouprefs"}},
                           L"%s hole attr %s\r%s", AfterUnknown::past_value);
}

bool read_polygon(const WalkContext& ctx, const TokenList& tokens, size_t& pos, PolygonRec& p) {
    if (!walk_attributes(ctx, tokens, pos,
                         {{L"width", &p.width}, {L"layer", nullptr, &p.layer}, {L"spacing"},
                          {L"pour"}, {L"isolate"}, {L"orphans"}, {L"thermals"}, {L"rank"},
                          {L"grouprefs"}},
                         L"%s polygon attr %s\r%s", AfterUnknown::past_value))
        return false;
    if (!is_start(tokens, pos, L"vertex")) {
        if (is_end(tokens, pos, L"polygon")) ++pos;  // <polygon ...></polygon>
        return true;
    }
    p.vertices.clear();
    for (;;) {
        ++pos;
        VertexRec v;
        if (!walk_attributes(ctx, tokens, pos, {{L"x", &v.x}, {L"y", &v.y}, {L"curve"}},
                             L"%s vertex attr %s\r%s", AfterUnknown::past_value))
            return false;
        p.vertices.push_back(v);
        if (is_end(tokens, pos, L"polygon")) {
            ++pos;
            return true;
        }
        if (!is_start(tokens, pos, L"vertex")) return true;
    }
}

namespace {

// The text values of the attributes at pos, before the walk steps over them.
struct PadTexts {
    std::wstring_view name, shape, rot;
};

PadTexts pad_texts(const TokenList& tokens, size_t pos) {
    PadTexts t;
    for (; tokens.has(pos + 1) && tokens.at(pos).kind == kTokenAttrName; pos += 2) {
        if (tokens.at(pos + 1).kind != kTokenAttrValue) break;
        const std::wstring_view n = tokens.at(pos).text(), v = tokens.at(pos + 1).text();
        if (n == L"name") t.name = v;
        else if (n == L"shape") t.shape = v;
        else if (n == L"rot") t.rot = v;
    }
    return t;
}

}  // namespace

double pad_rotation(std::wstring_view text, bool& mirror) {
    mirror = false;
    size_t i = 0;
    for (; i < text.size() && (text[i] == L'S' || text[i] == L'M' || text[i] == L'R'); ++i)
        mirror = mirror || text[i] == L'M';
    return text_to_number(text.substr(i));
}

bool read_pad(const WalkContext& ctx, const TokenList& tokens, size_t& pos, PadRec& pad) {
    const PadTexts texts = pad_texts(tokens, pos);
    double diameter = 0;
    if (!walk_attributes(ctx, tokens, pos,
                         {{L"name"}, {L"x", &pad.x}, {L"y", &pad.y}, {L"drill", &pad.drill},
                          {L"shape"}, {L"rot"}, {L"diameter", &diameter}, {L"first"},
                          {L"thermals"}, {L"stop"}},
                         L"%s pad attr %s\r%s", AfterUnknown::next_token))
        return false;
    pad.name = texts.name;
    pad.rot = pad_rotation(texts.rot, pad.mirror);
    pad.sides = kPadTop | kPadBottom;
    if (pad.drill < 0) pad.drill = 0;
    const double d = diameter > 0 ? diameter : derived_pad_diameter(pad.drill);
    pad.dx = pad.dy = d;
    if (texts.shape == L"square") {
        pad.shape = PadShape::rectangle;
    } else if (texts.shape == L"octagon") {
        pad.shape = PadShape::octagon;
    } else if (texts.shape == L"long" || texts.shape == L"offset") {
        // twice as long as wide; an offset pad reaches out from its drill to one side
        pad.shape = PadShape::oval;
        pad.dx = 2 * d;
        if (texts.shape == L"offset") pad.shift = d / 2;
    } else {
        pad.shape = PadShape::oval;  // round, and what the file does not name
    }
    return true;
}

bool read_smd(const WalkContext& ctx, const TokenList& tokens, size_t& pos, PadRec& pad) {
    const PadTexts texts = pad_texts(tokens, pos);
    int32_t layer = 1;
    if (!walk_attributes(ctx, tokens, pos,
                         {{L"name"}, {L"x", &pad.x}, {L"y", &pad.y}, {L"dx", &pad.dx},
                          {L"dy", &pad.dy}, {L"layer", nullptr, &layer}, {L"rot"},
                          {L"roundness", &pad.roundness}, {L"stop"}, {L"cream"}, {L"thermals"}},
                         L"%s smd attr %s\r%s", AfterUnknown::next_token))
        return false;
    pad.name = texts.name;
    pad.rot = pad_rotation(texts.rot, pad.mirror);
    pad.shape = PadShape::rectangle;
    pad.sides = layer == 16 ? kPadBottom : kPadTop;
    return true;
}

bool check_text(const WalkContext& ctx, const TokenList& tokens, size_t& pos) {
    if (!walk_attributes(ctx, tokens, pos,
                         {{L"x"}, {L"y"}, {L"size"}, {L"layer"}, {L"ratio"}, {L"rot"},
                          {L"align"}, {L"font"}, {L"distance"}, {L"grouprefs"}},
                         L"%s text attr %s\r%s", AfterUnknown::next_token))
        return false;
    if (tokens.at(pos).kind == kTokenText) ++pos;
    // <text ...></text> has no content: the end token follows the attributes directly
    if (is_end(tokens, pos, L"text")) ++pos;
    return true;
}

bool check_dimension(const WalkContext& ctx, const TokenList& tokens, size_t& pos) {
    ++pos;
    return walk_attributes(ctx, tokens, pos,
                           {{L"x1"}, {L"y1"}, {L"x2"}, {L"y2"}, {L"x3"}, {L"y3"}, {L"textsize"},
                            {L"layer"}, {L"precision"}, {L"visible"}, {L"unit"}, {L"dtype"},
                            {L"width"}, {L"extwidth"}, {L"extlength"}, {L"extoffset"},
                            {L"textratio"}, {L"grouprefs"}},
                           L"%s dimension attr %s\r%s", AfterUnknown::next_token);
}

bool set_plain(const WalkContext& ctx, const TokenList& tokens, size_t& pos, BoardModel& board) {
    // <plain/> has the empty-element token right after its start
    if (tokens.at(pos).kind == kTokenEmptyEnd) return true;
    for (;;) {
        if (past_end(tokens, pos) || is_end(tokens, pos, L"plain")) return true;
        const XmlToken& t = tokens.at(pos);
        if (t.kind == kTokenEnd || t.kind == kTokenEmptyEnd) {
            ++pos;  // the end of an unknown element met token by token
            continue;
        }
        if (t.kind == kTokenStart) {
            if (t.text() == L"wire") {
                WireRec w;
                if (!read_wire(ctx, tokens, pos, w)) return false;
                board.plain_wires.push_back(w);
                continue;
            }
            if (t.text() == L"circle") {
                CircleRec c;
                if (!read_circle(ctx, tokens, pos, c)) return false;
                board.plain_circles.push_back(c);
                continue;
            }
            if (t.text() == L"hole") {
                HoleRec h;
                if (!read_hole(ctx, tokens, pos, h)) return false;
                board.plain_holes.push_back(h);
                continue;
            }
            if (t.text() == L"text" || t.text() == L"rectangle" || t.text() == L"dimension" ||
                t.text() == L"frame") {
                skip_element(tokens, pos);
                continue;
            }
            if (t.text() == L"polygon" || t.text() == L"spline") {
                skip_element(tokens, pos, L"vertex");
                continue;
            }
        }
        if (!report_unexpected(ctx, L"%s set_plain elem %s\r%s", t.text())) return false;
        ++pos;
    }
}

}  // namespace tindral
