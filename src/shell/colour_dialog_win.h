#pragma once
// The colour dialog (template 144): fifteen swatches, the system colour chooser, defaults, and
// copying the board colours of the top side to the bottom side.

#include <windows.h>

#include <cstdint>

#include "shell/app_windows_win.h"

namespace tindral {

INT_PTR CALLBACK DlgColorSettings(HWND dialog, UINT msg, WPARAM wparam, LPARAM lparam);

// A new solid brush (and a pen of width 1 when pen is given) of colour in place of the old
// ones; the dialog is repainted.
void renew_swatch(HWND dialog, int swatch_id, GdiOwner<HBRUSH>& brush, GdiOwner<HPEN>* pen,
                  uint32_t colour);

}  // namespace tindral
