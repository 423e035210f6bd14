#pragma once
// The path-list delete dialog's two lists (full paths and their file-name parts, same order)
// and what its buttons do to them and to the recent-path list.

#include <string>
#include <vector>

#include "settings/settings.h"

namespace tindral {

// The file-name part of a combo entry: from the last backslash on (backslash included),
// looking no further left than the third character; without one, the text from its third
// character on.
std::wstring path_file_part(const std::wstring& text);

struct PathDeleteLists {
    std::vector<std::wstring> paths;  // list 1075
    std::vector<std::wstring> names;  // list 1077
};

PathDeleteLists path_delete_lists(const std::vector<std::wstring>& combo_items);

// Removes the entries at the selected indices from both lists. Returns false, changing nothing,
// when no valid index is selected (the caller tells the user there is nothing to delete).
bool delete_selected_paths(PathDeleteLists& lists, std::vector<int> selected);

// OK: the remaining paths become the combo box items and the first slots of the recent-path
// list; the slots after them are cleared.
std::vector<std::wstring> keep_remaining_paths(const PathDeleteLists& lists, Settings& s);

}  // namespace tindral
