// The menu item whose default handling is Quit.
#pragma once

#include "ui/MenuItem.h"

class QuitMenuItem : public MenuItem {
public:
    bool DefaultAction() override;
    bool HasDefaultAction() const override { return true; }
};
