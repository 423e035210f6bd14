#pragma once
// Which text of the language table each entry of the main menu shows. Pop-ups have no command
// identifier and are addressed by their position in the menu bar.

#include "text/lang.h"

namespace tindral {

struct MenuText {
    unsigned id;       // command identifier, or the pop-up's position
    bool by_position;  // true for the three pop-ups
    TextKey key;
};

constexpr int kMenuTextCount = 14;
extern const MenuText kMenuTexts[kMenuTextCount];

}  // namespace tindral
