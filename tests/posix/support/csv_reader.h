#pragma once
// Reads the CSV output of tindral-cli back into rows of fields.

#include <string>
#include <vector>

namespace tindral::test {

// RFC 4180 reader: every record ends with CRLF; ok turns false on anything else.
inline std::vector<std::vector<std::string>> parse_csv(const std::string& s, bool& ok) {
    std::vector<std::vector<std::string>> rows(1);
    std::string field;
    bool quoted = false;
    ok = true;
    for (size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (quoted) {
            if (c != '"') field += c;
            else if (i + 1 < s.size() && s[i + 1] == '"') field += s[++i];
            else quoted = false;
        } else if (c == '"' && field.empty()) {
            quoted = true;
        } else if (c == ',' || (c == '\r' && i + 1 < s.size() && s[i + 1] == '\n')) {
            rows.back().push_back(field);
            field.clear();
            if (c == '\r') rows.emplace_back(), ++i;
        } else {
            ok = ok && c != '"' && c != '\r' && c != '\n';
            field += c;
        }
    }
    ok = ok && !quoted && field.empty() && rows.back().empty();
    rows.pop_back();
    return rows;
}

}  // namespace tindral::test
