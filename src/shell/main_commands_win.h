#pragma once
// The main window's menu commands and the buttons Clear selection and BOM; the dialogs, the path
// buttons and Exit are handled elsewhere.

#include <windows.h>
#include <shellapi.h>

namespace tindral {

// How Email and Homepage open their targets: ShellExecuteW, or a test's recorder.
using ShellOpenFn = HINSTANCE(WINAPI*)(HWND owner, const wchar_t* verb, const wchar_t* file,
                                       const wchar_t* parameters, const wchar_t* directory,
                                       int show);

// Puts fn in place of ShellExecuteW (nullptr: the real one again); returns the one before.
ShellOpenFn set_shell_open(ShellOpenFn fn);

// Runs a menu command of the main window; false for an id that is not one of these.
bool run_main_command(HWND main, unsigned command);

// Runs the effect of a main-window button; false when button is not one of these.
bool run_main_button(HWND button);

}  // namespace tindral
