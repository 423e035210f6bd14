#include "cli/cli_output.h"

#include <algorithm>

#include "board/utf8.h"

namespace tindral::cli {

namespace {

// Characters as a reader counts them: a surrogate pair is one.
size_t display_width(const std::wstring& s) {
    size_t n = 0;
    for (wchar_t c : s) {
        const auto u = static_cast<uint32_t>(c);
        if (u >= 0xDC00 && u <= 0xDFFF) continue;
        ++n;
    }
    return n;
}

void pad(std::string& out, size_t count) { out.append(count, ' '); }

bool is_digit(wchar_t c) { return c >= L'0' && c <= L'9'; }

}  // namespace

std::string render_text(const Table& t, const std::vector<std::wstring>& lines_before,
                        const std::vector<std::wstring>& lines_after) {
    const size_t columns = t.titles.size();
    std::vector<size_t> width(columns, 0);
    for (size_t c = 0; c < columns; ++c) width[c] = display_width(t.titles[c]);
    for (const auto& row : t.rows)
        for (size_t c = 0; c < columns && c < row.size(); ++c)
            width[c] = std::max(width[c], display_width(row[c]));

    std::string out;
    for (const auto& line : lines_before) out += wide_to_utf8(line) + "\n";
    auto emit = [&](const std::vector<std::wstring>& cells) {
        std::string line;
        for (size_t c = 0; c < columns; ++c) {
            const std::wstring cell = c < cells.size() ? cells[c] : std::wstring();
            const size_t gap = width[c] - display_width(cell);
            if (c) line += "  ";
            if (t.number[c]) pad(line, gap);
            line += wide_to_utf8(cell);
            if (!t.number[c]) pad(line, gap);
        }
        while (!line.empty() && line.back() == ' ') line.pop_back();
        out += line + "\n";
    };
    emit(t.titles);
    for (const auto& row : t.rows) emit(row);
    for (const auto& line : lines_after) out += wide_to_utf8(line) + "\n";
    return out;
}

std::string csv_field(const std::wstring& cell) {
    const std::string s = wide_to_utf8(cell);
    if (s.find_first_of(",\"\r\n") == std::string::npos) return s;
    std::string q = "\"";
    for (char c : s) {
        if (c == '"') q += '"';
        q += c;
    }
    return q + "\"";
}

std::string render_csv(const Table& t) {
    std::string out;
    auto emit = [&](const std::vector<std::wstring>& cells) {
        for (size_t c = 0; c < cells.size(); ++c) {
            if (c) out += ',';
            out += csv_field(cells[c]);
        }
        out += "\r\n";
    };
    emit(t.keys);
    for (const auto& row : t.rows) emit(row);
    return out;
}

std::string json_string(const std::wstring& cell) {
    std::string out = "\"";
    for (char c : wide_to_utf8(cell)) {
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
    return out + "\"";
}

bool is_json_number(const std::wstring& s) {
    size_t i = 0;
    const size_t n = s.size();
    if (i < n && s[i] == L'-') ++i;
    if (i >= n || !is_digit(s[i])) return false;
    if (s[i] == L'0') ++i;
    else while (i < n && is_digit(s[i])) ++i;
    if (i < n && s[i] == L'.') {
        ++i;
        if (i >= n || !is_digit(s[i])) return false;
        while (i < n && is_digit(s[i])) ++i;
    }
    if (i < n && (s[i] == L'e' || s[i] == L'E')) {
        ++i;
        if (i < n && (s[i] == L'+' || s[i] == L'-')) ++i;
        if (i >= n || !is_digit(s[i])) return false;
        while (i < n && is_digit(s[i])) ++i;
    }
    return i == n;
}

std::string render_json(const Table& t) {
    if (t.rows.empty()) return "[]\n";
    std::string out = "[\n";
    for (size_t r = 0; r < t.rows.size(); ++r) {
        out += "  {";
        const auto& row = t.rows[r];
        for (size_t c = 0; c < t.keys.size(); ++c) {
            if (c) out += ", ";
            out += json_string(t.keys[c]) + ": ";
            const std::wstring cell = c < row.size() ? row[c] : std::wstring();
            out += t.number[c] && is_json_number(cell) ? wide_to_utf8(cell) : json_string(cell);
        }
        out += r + 1 < t.rows.size() ? "},\n" : "}\n";
    }
    return out + "]\n";
}

}  // namespace tindral::cli
