// The program's one application object: its Activate event, its menu bar and its menu handlers.
#include "ui/Application.h"

#include "text/Strings.h"

namespace {

Ref<Application>& TheApplication()
{
    static Ref<Application> application;
    return application;
}

struct ActivationState {
    bool everActivated = false;
    bool active = false;
};

ActivationState& Activation()
{
    static ActivationState state;
    return state;
}

bool HasMenuHandler(const std::string& itemName)
{
    Ref<Application> app = GetApplication();
    return app && app->FindMenuHandler(itemName);
}

} // namespace

bool MenuNameLess::operator()(const std::string& a, const std::string& b) const
{
    return StrCompare(a, b) < 0;
}

void Application::AddMenuHandler(const std::string& itemName, Ref<MenuHandler> handler)
{
    if (!handler) {
        throw NilObjectException();
    }
    handlers_[itemName] = std::move(handler);
}

void Application::RemoveMenuHandler(const std::string& itemName)
{
    handlers_.erase(itemName);
}

Ref<MenuHandler> Application::FindMenuHandler(const std::string& itemName) const
{
    auto found = handlers_.find(itemName);
    return found == handlers_.end() ? nullptr : found->second;
}

void RegisterApplication(Ref<Application> application)
{
    if (!application) {
        throw NilObjectException();
    }
    TheApplication() = std::move(application);
    SetMenuHandlerLookup(&HasMenuHandler);
}

Ref<Application> GetApplication()
{
    return TheApplication();
}

void FireFirstActivate()
{
    Ref<Application> app = GetApplication();
    if (!app || Activation().everActivated) {
        return;
    }
    // Showing the window activates the program at once; that must not count as a second activation.
    Activation().everActivated = true;
    Activation().active = true;
    app->Activate();
}

void ApplicationActivated(bool active)
{
    // Every top-level window of the program hears WM_ACTIVATEAPP: act on the change, not on each copy.
    if (!active || Activation().active) {
        Activation().active = active;
        return;
    }
    Activation().active = true;
    if (Ref<Application> app = GetApplication()) {
        Activation().everActivated = true;
        app->Activate();
    }
}

void DispatchMenuCommand(uint16_t commandId)
{
    MenuItem* found = MenuItem::FromCommandId(commandId);
    if (found == nullptr) {
        return;
    }
    Ref<MenuItem> item = Ref<MenuItem>::Share(found);
    // A shortcut reaches here even while AutoEnable would grey the item.
    if (!item->IsActive()) {
        return;
    }
    Ref<Application> app = GetApplication();
    Ref<MenuHandler> handler = app ? app->FindMenuHandler(item->Name()) : nullptr;
    if (handler && handler->Action(item->Index())) {
        return;
    }
    item->DefaultAction();
}
