#include "cli/cli_output.h"

#include <algorithm>

#include "board/utf8.h"

namespace tindral::cli {

namespace {

// Characters as a reader counts them: every byte that starts a UTF-8 sequence is one (a
// character beyond the BMP, a surrogate pair in UTF-16, is one too).
size_t display_width(std::string_view s) {
    size_t n = 0;
    for (char c : s) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

void pad(std::string& out, size_t count) { out.append(count, ' '); }

bool is_digit(char c) { return c >= '0' && c <= '9'; }

std::vector<std::string> utf8_all(const std::vector<std::wstring>& texts) {
    std::vector<std::string> out;
    for (const std::wstring& t : texts) out.push_back(wide_to_utf8(t));
    return out;
}

}  // namespace

void write_text(const Table& t, const std::vector<std::wstring>& lines_before,
                const std::vector<std::wstring>& lines_after, const TextSink& write) {
    const size_t columns = t.titles.size();
    const size_t rows = t.row_count();
    const std::vector<std::string> titles = utf8_all(t.titles);
    std::vector<size_t> width(columns, 0);
    for (size_t c = 0; c < columns; ++c) width[c] = display_width(titles[c]);
    for (size_t r = 0; r < rows; ++r)
        for (size_t c = 0; c < columns; ++c)
            width[c] = std::max(width[c], display_width(t.cell(r, c)));

    PieceWriter pieces(write);
    std::string& out = pieces.text();
    for (const auto& line : lines_before) out += wide_to_utf8(line) + "\n";
    auto emit = [&](auto cell_of) {
        const size_t start = out.size();
        for (size_t c = 0; c < columns; ++c) {
            const std::string_view cell = cell_of(c);
            const size_t gap = width[c] - display_width(cell);
            if (c) out += "  ";
            if (t.number[c]) pad(out, gap);
            out += cell;
            if (!t.number[c]) pad(out, gap);
        }
        size_t end = out.size();
        while (end > start && out[end - 1] == ' ') --end;
        out.resize(end);
        out += '\n';
        pieces.line_done();
    };
    emit([&](size_t c) { return std::string_view(titles[c]); });
    for (size_t r = 0; r < rows; ++r) emit([&](size_t c) { return t.cell(r, c); });
    for (const auto& line : lines_after) out += wide_to_utf8(line) + "\n";
    pieces.finish();
}

void append_json_string(std::string& out, std::string_view s) {
    out += '"';
    for (char c : s) {
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (u < 0x20) {
                    static const char hex[] = "0123456789abcdef";
                    out += "\\u00";
                    out += hex[u >> 4];
                    out += hex[u & 15];
                } else {
                    out += c;
                }
        }
    }
    out += '"';
}

std::string json_string(const std::wstring& cell) {
    std::string out;
    append_json_string(out, wide_to_utf8(cell));
    return out;
}

bool is_json_number(std::string_view s) {
    size_t i = 0;
    const size_t n = s.size();
    if (i < n && s[i] == '-') ++i;
    if (i >= n || !is_digit(s[i])) return false;
    if (s[i] == '0') ++i;
    else while (i < n && is_digit(s[i])) ++i;
    if (i < n && s[i] == '.') {
        ++i;
        if (i >= n || !is_digit(s[i])) return false;
        while (i < n && is_digit(s[i])) ++i;
    }
    if (i < n && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < n && (s[i] == '+' || s[i] == '-')) ++i;
        if (i >= n || !is_digit(s[i])) return false;
        while (i < n && is_digit(s[i])) ++i;
    }
    return i == n;
}

void write_json(const Table& t, const TextSink& write) {
    const size_t rows = t.row_count();
    if (rows == 0) return write("[]\n");
    const std::vector<std::string> keys = utf8_all(t.keys);
    PieceWriter pieces(write);
    std::string& out = pieces.text();
    out += "[\n";
    for (size_t r = 0; r < rows; ++r) {
        out += "  {";
        for (size_t c = 0; c < keys.size(); ++c) {
            if (c) out += ", ";
            append_json_string(out, keys[c]);
            out += ": ";
            const std::string_view cell = t.cell(r, c);
            if (t.number[c] && is_json_number(cell)) out += cell;
            else append_json_string(out, cell);
        }
        out += r + 1 < rows ? "},\n" : "}\n";
        pieces.line_done();
    }
    out += "]\n";
    pieces.finish();
}

}  // namespace tindral::cli
