#pragma once
// The child controls of the four parent windows, created from static tables.

#include <windows.h>

#include "shell/app_windows_win.h"

namespace tindral {

struct ControlRow {
    HWND AppWindows::*slot;  // receives the created window
    DWORD ex_style;
    const wchar_t* class_name;
    const wchar_t* text;
    DWORD style;
    int x, y, width, height;
    HWND AppWindows::*parent;  // nullptr ends a table
    GdiOwner<HFONT> Fonts::*font;
};

extern const ControlRow kMainControls[];
extern const ControlRow kLayoutControls[];
extern const ControlRow kFoundControls[];
extern const ControlRow kBomControls[];

// Creates the rows of one table in order, each followed by WM_SETFONT. A failed creation is
// reported ("Tindral CreateWindowEx" and the system's text) and ends the table: returns 0.
int create_control_rows(const ControlRow* rows);

// Start-up step: every table, the toolbar, the drawing area and the control texts. Returns 0
// after a reported failure.
int create_child_controls();

}  // namespace tindral
