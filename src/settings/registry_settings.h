#pragma once
// Reading and writing the settings through the installed store (settings_store.h).
//
// Start-up calls get_settings before the main window exists; the dialogs call it again when they
// open (replacing unsaved changes). put_settings, put_window_settings and put_path_list write
// their parts of the table where the program changes them. Every store failure is reported in a
// message box at once and the work goes on with the next value.

#include <cstdint>

#include "settings/settings.h"
#include "settings/settings_store.h"
#include "settings/settings_table.h"

namespace tindral {

// Capacity of a string variable in characters, terminator included.
constexpr uint32_t kStringCapacity = kMaxPathChars + 1;

// Opens the settings key, creating it when absent. On failure reports "open_reg_key %s" and
// returns 0. Close the key with close_reg_key.
StoreKey open_reg_key();
void close_reg_key(StoreKey key);

// Reads one value into row's field of s: size is 4 for a DWORD row, the field's capacity in
// characters (kStringCapacity) for a string row. A missing value is created with the row's
// default, which the field then takes. Returns 1, or 0 after a reported failure; the field then
// keeps its value.
int get_registry(StoreKey key, uint32_t size, const SettingDesc& row, Settings& s);

// Writes row's field of s; length is 4 for a DWORD row and 2 x characters for a string row (no
// terminator). Returns 1, or 0 after a reported failure.
int put_registry(StoreKey key, uint32_t length, const SettingDesc& row, const Settings& s);

// The length put_registry stores for row's current value in s.
uint32_t stored_length(const SettingDesc& row, const Settings& s);

// Reads every setting, then the recent-path list. Returns 0 when the key cannot be opened: then
// nothing is read and s keeps its values (the defaults at start-up).
int get_settings(Settings& s);

// Writes every setting except the window rectangles and the recent paths. Returns 0 when the
// key cannot be opened.
int put_settings(const Settings& s);

// Writes the 16 window-rectangle values; the caller copies the windows' rectangles in first.
void put_window_settings(const Settings& s);

// Writes the 16 recent-path values, then "Xml path file name".
void put_path_list(const Settings& s);

// get_settings, but what the user chose at run time and sees on screen stays in force: the
// sides switched on the toolbar, the layers picked in the board window and the language. The
// board, its lists and toolbar were drawn for these; taking the stored ones back would leave
// them disagreeing. Returns get_settings' result.
int reread_settings(Settings& s);

}  // namespace tindral
