#pragma once
// The boxes of a board load, worded in the load's language: its failures and warnings, the
// question about an unknown name, and the two ways reading the file itself can fail. The GUI
// shows them, tindral-cli prints them; both say exactly the same.

#include <cstdint>
#include <optional>
#include <string>

#include "board/load_types.h"
#include "text/lang.h"

namespace tindral {

// The text of key in language (0 German, anything else English).
const wchar_t* text_in(uint32_t language, TextKey key);

// The box for a status, or none (a load that went through whole, or the user's own No).
std::optional<LoadMessage> status_box(const LoadStatus& status, uint32_t language);

// The question about an unknown name; format is the reader's own, filled with "Unexpected
// element", the name and "Continue?".
LoadMessage unexpected_question(const wchar_t* format, const std::wstring& name, uint32_t language);

// The board file is larger than any board.
LoadMessage file_too_large_box(uint32_t language);
// The board file cannot be opened: the system's text under the call and the path.
LoadMessage open_failed_box(const std::wstring& path, const std::wstring& system_text);
// It opened but cannot be read: the same box, under ReadFile.
LoadMessage read_failed_box(const std::wstring& path, const std::wstring& system_text);

}  // namespace tindral
