#include "settings/path_list.h"

#include <algorithm>

#include "board/header_check.h"
#include "settings/registry_settings.h"
#include "settings/settings.h"
#include "text/format.h"
#include "text/messages.h"

namespace tindral {

namespace {

constexpr unsigned kWarnFlags = mb::task_modal | mb::icon_hand;

// One letter case for ASCII, Latin-1 and Latin Extended-A, independent of the locale.
uint32_t fold(wchar_t wc) {
    const uint32_t c = static_cast<uint32_t>(wc);
    if (c >= 'a' && c <= 'z') return c - 0x20;
    if (c < 0xE0) return c;
    if (c <= 0xFE) return c == 0xF7 ? c : c - 0x20;
    if (c == 0xFF) return 0x178;
    const bool even_upper = (c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) ||
                            (c >= 0x14A && c <= 0x177);
    const bool odd_upper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if (even_upper) return c & ~1u;
    if (odd_upper) return (c & 1u) ? c : c - 1;
    return c;
}

bool starts_with_ignoring_case(const std::wstring& item, const std::wstring& prefix) {
    if (item.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (fold(item[i]) != fold(prefix[i])) return false;
    return true;
}

std::vector<std::wstring> listed_paths(const Settings& settings) {
    std::vector<std::wstring> out;
    for (const std::wstring& p : settings.recent_paths)
        if (!p.empty()) out.push_back(p);
    return out;
}

// The first n items must each fit the path buffer.
bool combo_items_fit(const PathCombo& combo, int n) {
    for (int i = 0; i < n; ++i) {
        if (static_cast<size_t>(i) >= combo.items.size()) {
            show_warning(Owner::main, TXT_SPECIFY_FILE, kWarnFlags);
            return false;
        }
        if (combo.items[i].size() >= kComboTextLimit) {
            show_warning(Owner::main, TXT_PATH_TOO_LONG, kWarnFlags);
            return false;
        }
    }
    return true;
}

// The list takes the combo box's order, newest file first, and is stored with the path.
int finish_choice(Settings& settings, PathCombo& combo) {
    for (std::wstring& p : settings.recent_paths) p.clear();
    const size_t n = std::min(combo.items.size(), settings.recent_paths.size());
    for (size_t i = 0; i < n; ++i) settings.recent_paths[i] = combo.items[i];
    combo.selection = select_path_index(combo.items, settings.xml_path_file_name);
    put_path_list(settings);
    return 1;
}

int choose_from_list(Settings& settings, PathCombo& combo, const BoardFileDialog& open_dialog,
                     FileStartReader read_start) {
    int n = listed_path_count(settings);
    const std::wstring kept = settings.xml_path_file_name;
    if (n >= kMaxListedPaths) {
        show_warning(Owner::main, TXT_PATH_LIST_FULL, kWarnFlags);
        return 0;
    }
    std::wstring chosen;
    if (!open_dialog(chosen)) return 0;
    settings.xml_path_file_name = chosen;

    bool known = false;
    for (const std::wstring& p : settings.recent_paths)
        known = known || (!p.empty() && same_path_ignoring_case(p, chosen));
    if (!known) {
        const int header = is_eagle_version_ok(chosen, read_start);
        if (header != 1) {
            if (header == 0) show_warning(Owner::main, TXT_ONLY_V6_V7, kWarnFlags);
            settings.xml_path_file_name = kept;
            if (header == 0) combo_items_fit(combo, n);
            return 0;
        }
        ++n;
        combo.items.insert(combo.items.begin(), chosen);
    }
    if (!combo_items_fit(combo, n)) return 0;

    const int at = select_path_index(combo.items, chosen);
    combo.selection = at;
    if (at >= 0) settings.last_selected_file_index = static_cast<uint32_t>(at);
    combo.count_text = format_text(100, L"%d", n);
    return finish_choice(settings, combo);
}

int choose_single(Settings& settings, PathCombo& combo, const BoardFileDialog& open_dialog) {
    std::wstring chosen;
    if (!open_dialog(chosen)) return 0;
    // No header check here: the token reader turns away a file that is not a board.
    settings.xml_path_file_name = chosen;
    combo.items.assign(1, chosen);
    combo.selection = 0;
    return finish_choice(settings, combo);
}

}  // namespace

bool same_path_ignoring_case(const std::wstring& a, const std::wstring& b) {
    return a.size() == b.size() && starts_with_ignoring_case(a, b);
}

int listed_path_count(const Settings& settings) {
    int n = 0;
    for (const std::wstring& p : settings.recent_paths)
        if (!p.empty()) ++n;
    return n;
}

int select_path_index(const std::vector<std::wstring>& items, const std::wstring& path) {
    // A whole-path match first: a prefix search alone could pick "a.brd.old" for "a.brd".
    for (size_t i = 0; i < items.size(); ++i)
        if (same_path_ignoring_case(items[i], path)) return static_cast<int>(i);
    if (path.empty() || items.empty()) return -1;
    for (size_t k = 1; k <= items.size(); ++k) {
        const size_t i = k % items.size();
        if (starts_with_ignoring_case(items[i], path)) return static_cast<int>(i);
    }
    return -1;
}

void fill_path_combo(Settings& settings, PathCombo& combo) {
    if (settings.use_filelist != 0) {
        // Entries in use come first, also when the stored list had gaps.
        combo.items = listed_paths(settings);
        for (size_t i = 0; i < settings.recent_paths.size(); ++i)
            settings.recent_paths[i] = i < combo.items.size() ? combo.items[i] : std::wstring();
        int at = last_selected_path_index(settings);
        if (static_cast<size_t>(at) >= combo.items.size()) at = 0;
        settings.last_selected_file_index = static_cast<uint32_t>(at);
        settings.xml_path_file_name = settings.recent_paths[at];
        combo.count_text = format_text(100, L"%d", static_cast<int>(combo.items.size()));
        combo.list_controls_shown = true;
    } else {
        combo.list_controls_shown = false;
        combo.items.assign(1, settings.xml_path_file_name);
        settings.last_selected_file_index = 0;
    }
    combo.selection = select_path_index(combo.items, settings.xml_path_file_name);
}

int choose_board_file(Settings& settings, PathCombo& combo, const BoardFileDialog& open_dialog,
                      FileStartReader read_start) {
    return settings.use_filelist != 0 ? choose_from_list(settings, combo, open_dialog, read_start)
                                      : choose_single(settings, combo, open_dialog);
}

int drop_failed_path(Settings& settings, PathCombo& combo) {
    auto& paths = settings.recent_paths;
    if (settings.xml_path_file_name.empty()) return 0;  // would match an unused entry
    const auto it = std::find(paths.begin(), paths.end(), settings.xml_path_file_name);
    if (it == paths.end()) return 0;
    std::move(it + 1, paths.end(), it);
    paths.back().clear();
    combo.items = listed_paths(settings);
    combo.selection = -1;
    return 1;
}

}  // namespace tindral
