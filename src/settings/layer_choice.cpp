#include "settings/layer_choice.h"

#include "text/format.h"

namespace tindral {

std::vector<LayerLine> layer_lines(const std::array<LayerRec, kLayerRows>& layers) {
    std::vector<LayerLine> lines;
    for (const LayerRec& row : layers) {
        if (row.number == 0) break;
        lines.push_back({format_text(100, L" %4d %12s   ", row.number, row.name ? row.name : L""),
                         row.number});
    }
    return lines;
}

std::vector<int> selected_layer_lines(const std::vector<LayerLine>& lines, const Settings& s) {
    std::vector<int> picked;
    for (int n = 0; n < 256; ++n) {
        if (n == kPadLayer ? !s.show_pads : !s.layer_enabled(n)) continue;
        for (size_t i = 0; i < lines.size(); ++i)
            if (lines[i].number == n) {
                picked.push_back(static_cast<int>(i));
                break;
            }
    }
    return picked;
}

std::vector<int> default_layer_lines(const std::vector<LayerLine>& lines,
                                     const std::array<LayerRec, kLayerRows>& layers) {
    std::vector<int> picked;
    for (size_t i = 0; i < lines.size() && i < layers.size(); ++i)
        if (layers[i].default_choice || (lines[i].number == kPadLayer && kDefaultSettings.show_pads))
            picked.push_back(static_cast<int>(i));
    return picked;
}

namespace {

// Leading blanks, then decimal digits; -1 when there are none or the number is out of range.
int leading_number(const std::wstring& t) {
    size_t i = 0;
    while (i < t.size() && (t[i] == L' ' || t[i] == L'\t')) ++i;
    int n = -1;
    for (; i < t.size() && t[i] >= L'0' && t[i] <= L'9'; ++i) {
        n = (n < 0 ? 0 : n) * 10 + (t[i] - L'0');
        if (n > 255) return -1;
    }
    return n;
}

}  // namespace

void layer_set_from_lines(Settings& s, const std::vector<std::wstring>& selected_texts) {
    s.layer_groups.fill(0);
    s.show_pads = 0;
    for (const std::wstring& t : selected_texts) {
        const int n = leading_number(t);
        if (n == kPadLayer)
            s.show_pads = 1;
        else
            s.set_layer_enabled(n, true);
    }
}

}  // namespace tindral
