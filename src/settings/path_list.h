#pragma once
// The recent-path list (Settings::recent_paths) and the path combo box it feeds. The combo box
// is modelled as its items and selection: the Windows side mirrors a PathCombo into the control
// after each call, so every rule about the list lives here.

#include <functional>
#include <string>
#include <vector>

#include "board/header_check.h"
#include "settings/settings.h"

namespace tindral {

constexpr int kMaxListedPaths = 15;    // the 16th stored entry is never filled
constexpr size_t kComboTextLimit = 260;  // an item this long does not fit the path buffer

struct PathCombo {
    std::vector<std::wstring> items;
    int selection = -1;           // -1: no item selected
    std::wstring count_text;      // the path count box, "%d"
    bool list_controls_shown = false;  // the count box and the Delete button
};

// Case-insensitive path comparison as the file system sees names: ASCII and Latin-1 letters
// (and the Latin Extended-A pairs) fold to one case.
bool same_path_ignoring_case(const std::wstring& a, const std::wstring& b);

// Number of entries in use (they come first).
int listed_path_count(const Settings& settings);

// The item to select for path: the first item equal to it without regard to case; failing that
// the combo box's own prefix search (from item 1 on, then item 0). -1 when nothing fits.
int select_path_index(const std::vector<std::wstring>& items, const std::wstring& path);

// Start-up: fills the combo box from the list ("Use filelist" on) or with the current board
// path alone, and sets the current board path and "Last selected file index" as they follow.
void fill_path_combo(Settings& settings, PathCombo& combo);

// The file-open dialog: true with the chosen path, false when cancelled.
using BoardFileDialog = std::function<bool(std::wstring& chosen)>;

// The browse button. Returns 1 when a file was chosen and the list updated and stored (the caller
// then resets the crosshair and loads the board), 0 otherwise. A file new to the list has its
// header checked, read with read_start.
int choose_board_file(Settings& settings, PathCombo& combo, const BoardFileDialog& open_dialog,
                      FileStartReader read_start);

// After a failed load: the first entry equal to the current board path (exact comparison) leaves
// the list, and the combo box shows the remaining entries with nothing selected. Returns 1 when
// an entry was removed.
int drop_failed_path(Settings& settings, PathCombo& combo);

}  // namespace tindral
