#pragma once
// Reads the CSV output of tindral-cli back into rows of fields, from narrow or wide text.

#include <string>
#include <vector>

namespace tindral::test {

// RFC 4180 reader: every record ends with CRLF; ok turns false on anything else.
template <class Text>
std::vector<std::vector<Text>> parse_csv(const Text& s, bool& ok) {
    using Char = typename Text::value_type;
    const Char quote = '"', comma = ',', cr = '\r', lf = '\n';
    std::vector<std::vector<Text>> rows(1);
    Text field;
    bool quoted = false;
    ok = true;
    for (size_t i = 0; i < s.size(); ++i) {
        const Char c = s[i];
        if (quoted) {
            if (c != quote) field += c;
            else if (i + 1 < s.size() && s[i + 1] == quote) field += s[++i];
            else quoted = false;
        } else if (c == quote && field.empty()) {
            quoted = true;
        } else if (c == comma || (c == cr && i + 1 < s.size() && s[i + 1] == lf)) {
            rows.back().push_back(field);
            field.clear();
            if (c == cr) rows.emplace_back(), ++i;
        } else {
            ok = ok && c != quote && c != cr && c != lf;
            field += c;
        }
    }
    ok = ok && !quoted && field.empty() && rows.back().empty();
    rows.pop_back();
    return rows;
}

}  // namespace tindral::test
