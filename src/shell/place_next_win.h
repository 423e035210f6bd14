#pragma once
// Place and next: the current part is marked placed and the next row of the list becomes
// current, so a whole group is placed without the mouse (Enter in the list, a toolbar button).

#include <cstdint>

namespace tindral {

void place_and_next();

// Keeping the current part in view: when the setting is on and component's outline lies
// outside the visible part of the drawing area, the view moves to centre it and the area is
// drawn anew. True when it moved.
bool bring_into_view(uint32_t component);

}  // namespace tindral
