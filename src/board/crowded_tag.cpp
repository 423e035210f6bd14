#include "board/crowded_tag.h"

namespace tindral {

namespace {

constexpr size_t npos = std::string_view::npos;

// Past the first closing text at or after from, or npos.
size_t past(std::string_view s, size_t from, std::string_view closing) {
    const size_t at = s.find(closing, from);
    return at == npos ? npos : at + closing.size();
}

bool starts_with_at(std::string_view s, size_t at, std::string_view what) {
    return s.substr(at, what.size()) == what;
}

}  // namespace

size_t first_crowded_tag(std::string_view xml, size_t max_attributes) {
    size_t i = 0;
    while ((i = xml.find('<', i)) != npos) {
        const size_t tag = i++;
        if (starts_with_at(xml, tag, "<!--")) {
            i = past(xml, tag + 4, "-->");
        } else if (starts_with_at(xml, tag, "<![CDATA[")) {
            i = past(xml, tag + 9, "]]>");
        } else if (starts_with_at(xml, tag, "<?")) {
            i = past(xml, tag + 2, "?>");
        } else if (starts_with_at(xml, tag, "<!") || starts_with_at(xml, tag, "</")) {
            i = past(xml, tag + 2, ">");
        } else {
            size_t attributes = 0;
            while (i < xml.size() && xml[i] != '>' && xml[i] != '<') {
                const char c = xml[i];
                if (c == '"' || c == '\'') {
                    i = past(xml, i + 1, std::string_view(&c, 1));
                    if (i == npos) return npos;
                    continue;
                }
                if (c == '=' && ++attributes > max_attributes) return tag;
                ++i;
            }
        }
        if (i == npos) return npos;
    }
    return npos;
}

}  // namespace tindral
