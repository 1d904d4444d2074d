// The program's one application object: its Activate event, its menu bar and its menu handlers.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "core/Object.h"
#include "ui/MenuHandler.h"
#include "ui/MenuItem.h"

// Orders menu item names with case ignored.
struct MenuNameLess {
    bool operator()(const std::string& a, const std::string& b) const;
};

class Application : public Object {
public:
    // Fires when the application becomes active: first while the first window is being opened, after its
    // controls exist and before it is shown; later each time the user comes back from another program.
    virtual void Activate() {}

    const Ref<::MenuBar>& MenuBar() const noexcept { return menuBar_; }
    void SetMenuBar(Ref<::MenuBar> menuBar) { menuBar_ = std::move(menuBar); }

    // Registers the handler under a menu item's Name (case ignored), replacing one registered before.
    void AddMenuHandler(const std::string& itemName, Ref<MenuHandler> handler);
    void RemoveMenuHandler(const std::string& itemName);
    // The handler registered under that name, or nil.
    Ref<MenuHandler> FindMenuHandler(const std::string& itemName) const;

private:
    Ref<::MenuBar> menuBar_;
    std::map<std::string, Ref<MenuHandler>, MenuNameLess> handlers_;
};

// Makes the object the program's application object, which the framework keeps.
void RegisterApplication(Ref<Application> application);
// The program's application object, or nil before one is registered.
Ref<Application> GetApplication();

// What the framework's windows tell the application object. Activate: the first one while the first window is
// opened, later on coming back from another program.
void FireFirstActivate();
void ApplicationActivated(bool active);
// Routes the command of a menu item to the handler registered under the item's name, then to the item's own
// handling. A command id that is no item's does nothing.
void DispatchMenuCommand(uint16_t commandId);
