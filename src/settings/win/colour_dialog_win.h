#pragma once
// The colour dialog (template 144): fifteen swatches, the system colour chooser, defaults, and
// copying the board colours of the top side to the bottom side.

#include <windows.h>

#include <cstdint>

namespace tindral {

INT_PTR CALLBACK DlgColorSettings(HWND dialog, UINT msg, WPARAM wparam, LPARAM lparam);

// ChooseColorW starting from colour; 1 with the chosen colour in colour, 0 when cancelled.
int choose_colour(HWND owner, uint32_t& colour);

// What a swatch click calls to pick a colour; tests put a scripted chooser here.
using ColourChooser = int (*)(HWND owner, uint32_t& colour);
extern ColourChooser g_colour_chooser;

// A new solid brush (and a pen of width 1 when pen is given) of colour in place of the old
// ones; the dialog is repainted.
void renew_swatch(HWND dialog, int swatch_id, HBRUSH& brush, HPEN* pen, uint32_t colour);

}  // namespace tindral
