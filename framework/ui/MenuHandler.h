// An object that answers a menu command registered under a menu item's name.
#pragma once

#include <cstdint>

#include "core/Object.h"

class MenuHandler : public Object {
public:
    // index: the chosen item's position in its menu, 0-based. True ends the command; false lets the
    // framework do its own handling of the item (for a QuitMenuItem, Quit).
    virtual bool Action(int32_t index) = 0;
};
