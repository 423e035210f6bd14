#include "board/document_end.h"

#include <vector>

namespace tindral {

namespace {

constexpr size_t npos = std::string_view::npos;

bool starts_with_at(std::string_view s, size_t at, std::string_view what) {
    return s.substr(at, what.size()) == what;
}

bool is_name_end(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '>' || c == '/'; }

size_t name_end(std::string_view s, size_t from) {
    while (from < s.size() && !is_name_end(s[from])) ++from;
    return from;
}

}  // namespace

DocumentEnd document_end(std::string_view xml) {
    const DocumentEnd broken{DocumentEnd::broken, 0};
    std::vector<std::string_view> open;
    bool root_closed = false;
    size_t i = 0;
    const auto cut_off = [&open] { return DocumentEnd{DocumentEnd::cut_off, open.size()}; };
    while ((i = xml.find('<', i)) != npos) {
        const size_t tag = i;
        if (starts_with_at(xml, tag, "<!--") || starts_with_at(xml, tag, "<![CDATA[") ||
            starts_with_at(xml, tag, "<?")) {
            const std::string_view closing = xml[tag + 1] == '?' ? "?>" : xml[tag + 2] == '-' ? "-->" : "]]>";
            const size_t at = xml.find(closing, tag + 2);
            if (at == npos) return cut_off();
            i = at + closing.size();
            continue;
        }
        if (tag + 1 == xml.size()) return cut_off();
        if (xml[tag + 1] == '!') return broken;  // a DTD, which no reader is allowed to take
        if (xml[tag + 1] == '/') {
            const size_t end = name_end(xml, tag + 2);
            const size_t close = xml.find('>', end);
            if (close == npos) {
                // Cut inside the end tag: as long as its name so far fits, the cut came first.
                if (open.empty() || open.back().substr(0, end - tag - 2) != xml.substr(tag + 2, end - tag - 2))
                    return broken;
                return cut_off();
            }
            if (open.empty() || open.back() != xml.substr(tag + 2, end - tag - 2)) return broken;
            open.pop_back();
            root_closed = open.empty();
            i = close + 1;
            continue;
        }
        if (root_closed) return broken;
        const size_t end = name_end(xml, tag + 1);
        size_t j = end;
        while (j < xml.size() && xml[j] != '>') {
            if (xml[j] == '"' || xml[j] == '\'') {
                const size_t quote = xml.find(xml[j], j + 1);
                if (quote == npos) return cut_off();
                j = quote;
            } else if (xml[j] == '<') {
                return broken;
            }
            ++j;
        }
        if (j == xml.size()) return cut_off();
        if (xml[j - 1] != '/') open.push_back(xml.substr(tag + 1, end - tag - 1));
        root_closed = open.empty();
        i = j + 1;
    }
    return open.empty() ? DocumentEnd{} : cut_off();
}

}  // namespace tindral
