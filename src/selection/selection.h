#pragma once
// Saving and loading the marks of the loaded board in the file beside it. The caller owns the
// selection-state array (one entry per component, model order) and redraws from it afterwards.

#include <cstdint>
#include <vector>

namespace tindral {

// Writes states for the current board path. 1 on success, 0 after a reported failure; a failed
// save leaves the previous file as it was.
int save_selection(const std::vector<uint32_t>& states);

// Reads the file for the current board path into states after the user agreed to overwrite
// them; every state that is not 0 then becomes 2. Returns 1 when loaded and when there is no
// data (the user was told), 0 when the user declined or after a reported failure.
int load_selection(std::vector<uint32_t>& states);

}  // namespace tindral
