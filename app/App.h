// The application object and the two menu handlers that connect File > About and File > Quit to it.
#pragma once

#include <cstdint>
#include <utility>

#include "ui/Application.h"
#include "ui/MenuHandler.h"

class App : public Application {
public:
    // The first activation loads the preferences into the main window, or writes the defaults; later ones do
    // nothing.
    void Activate() override;
    // Shows a new About window modally; false once it has been closed.
    bool AboutItem_Action();
    // Saves the preferences, then quits; false only if Quit came back.
    bool FileQuit_Action();
};

class App_AboutItem : public MenuHandler {
public:
    explicit App_AboutItem(Ref<App> app) : owner(std::move(app)) {}
    // The item's index is of no use here.
    bool Action(int32_t index) override;

    Ref<App> owner;
};

class App_FileQuit : public MenuHandler {
public:
    explicit App_FileQuit(Ref<App> app) : owner(std::move(app)) {}
    bool Action(int32_t index) override;

    Ref<App> owner;
};
