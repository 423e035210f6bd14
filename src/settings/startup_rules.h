#pragma once
// Start-up decisions that need no window: the first-start language, the clamping of the stored
// window rectangles, where each top-level window opens, and the toolbar's buttons.

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "settings/settings.h"
#include "text/lang.h"

namespace tindral {

// GetKeyboardLayout(0) of a German keyboard.
constexpr uint64_t kGermanKeyboardLayout = 0x04070407;

// On the first start (the setting is nonzero) clears the flag and picks German for a German
// keyboard layout, English for any other. Later starts keep the stored language. Returns
// true when this was the first start.
bool apply_first_start(Settings& s, uint64_t keyboard_layout);

struct WindowRect {
    int x, y, width, height;
};

// A monitor's work area in screen pixels; right and bottom are exclusive.
struct ScreenArea {
    int left, top, right, bottom;
};

// r moved wholly into the area, shrunk first where it is larger; an empty area changes nothing.
WindowRect fit_onto_screen(WindowRect r, const ScreenArea& area);

enum class TopWindow { main, board, found, bom };

// Puts the four stored rectangles back to usable values: a main or board window left of or
// above 0 starts at 0, a window narrower than 200 or lower than 100 pixels gets its default
// width or height, and then each rectangle is moved onto the work area that area_for gives
// for it (the monitor it is nearest to).
void clamp_window_rects(Settings& s, const std::function<ScreenArea(const WindowRect&)>& area_for);

WindowRect default_window_rect(TopWindow w);
// The rectangle held in the settings (values stored as DWORDs read back signed).
WindowRect stored_window_rect(const Settings& s, TopWindow w);
// Stored when "Remember window pos" is set, else the default.
WindowRect initial_window_rect(const Settings& s, TopWindow w);
// Records a window's screen rectangle (left, top, right - left, bottom - top) in the settings.
void record_window_rect(Settings& s, TopWindow w, int left, int top, int right, int bottom);

struct ToolButton {
    uint16_t command;
    uint16_t bitmap;
    TextKey label;
};

// The seven buttons of the board window's toolbar; the side buttons show the side's state.
std::array<ToolButton, 8> toolbar_buttons(const Settings& s);

// The board window's title before a board is loaded, "Tindral V2.00.1       No board loaded".
std::wstring board_title_no_board();

extern const wchar_t kProgramTitle[];  // "Tindral V2.00.1"

}  // namespace tindral
