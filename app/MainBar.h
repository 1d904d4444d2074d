// The program's menu bar: one File menu with Quit and About.
#pragma once

#include "ui/MenuItem.h"

class MainBar : public MenuBar {
public:
    MainBar();
};

// The one MainBar of the run, made the first time it is asked for; the application object and the main window
// share it.
Ref<MainBar> MainBarInstance();
