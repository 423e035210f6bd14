#include "settings/path_delete.h"

#include <algorithm>

namespace tindral {

std::wstring path_file_part(const std::wstring& text) {
    for (size_t i = text.size(); i-- > 2;)
        if (text[i] == L'\\') return text.substr(i);
    return text.size() > 2 ? text.substr(2) : std::wstring();
}

PathDeleteLists path_delete_lists(const std::vector<std::wstring>& combo_items) {
    PathDeleteLists lists;
    for (const std::wstring& item : combo_items) {
        lists.paths.push_back(item);
        lists.names.push_back(path_file_part(item));
    }
    return lists;
}

bool delete_selected_paths(PathDeleteLists& lists, std::vector<int> selected) {
    const int count = static_cast<int>(std::min(lists.paths.size(), lists.names.size()));
    std::erase_if(selected, [count](int i) { return i < 0 || i >= count; });
    if (selected.empty()) return false;
    // From the highest index down, so the lower ones still name the same entries.
    std::sort(selected.begin(), selected.end());
    selected.erase(std::unique(selected.begin(), selected.end()), selected.end());
    for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
        lists.paths.erase(lists.paths.begin() + *it);
        lists.names.erase(lists.names.begin() + *it);
    }
    return true;
}

std::vector<std::wstring> keep_remaining_paths(const PathDeleteLists& lists, Settings& s) {
    std::vector<std::wstring> items;
    for (size_t i = 0; i < lists.names.size() && i < lists.paths.size(); ++i) {
        items.push_back(lists.paths[i]);
        if (i < s.recent_paths.size()) s.recent_paths[i] = lists.paths[i];
    }
    for (size_t i = items.size(); i < s.recent_paths.size(); ++i) s.recent_paths[i].clear();
    return items;
}

}  // namespace tindral
