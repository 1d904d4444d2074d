// Menu items and the menu bar: a model from which each window builds its native menu.
#include "ui/MenuItem.h"

#include <map>

#include "text/Strings.h"

namespace {

// Menu command ids stay clear of the control ids and of IDOK/IDCANCEL.
constexpr uint16_t kFirstCommandId = 0x1000;

// Never destroyed: menu items held by the application object may outlive every other static at exit.
std::map<uint16_t, MenuItem*>& Commands()
{
    static auto* commands = new std::map<uint16_t, MenuItem*>;
    return *commands;
}

MenuHandlerLookup& Lookup()
{
    static MenuHandlerLookup lookup = nullptr;
    return lookup;
}

uint16_t NewCommandId()
{
    static uint16_t next = kFirstCommandId;
    while (Commands().count(next) != 0 || next < kFirstCommandId) {
        ++next;
    }
    return next++;
}

} // namespace

MenuItem::MenuItem() : commandId_(NewCommandId())
{
    Commands()[commandId_] = this;
}

MenuItem::~MenuItem()
{
    Commands().erase(commandId_);
    for (auto& item : items_) {
        item->parent_ = nullptr;
    }
}

MenuItem* MenuItem::FromCommandId(uint16_t id) noexcept
{
    auto found = Commands().find(id);
    return found == Commands().end() ? nullptr : found->second;
}

void MenuItem::Append(const Ref<MenuItem>& item)
{
    if (!item) {
        throw NilObjectException();
    }
    item->parent_ = this;
    items_.push_back(item);
}

Ref<MenuItem> MenuItem::Item(int32_t index) const
{
    return RefAt(items_, index);
}

Ref<MenuItem> MenuItem::Find(const std::string& name) const
{
    if (StrEquals(name_, name)) {
        return Ref<MenuItem>::Share(const_cast<MenuItem*>(this));
    }
    for (const auto& item : items_) {
        if (Ref<MenuItem> found = item->Find(name)) {
            return found;
        }
    }
    return nullptr;
}

int32_t MenuItem::Index() const noexcept
{
    if (parent_ == nullptr) {
        return -1;
    }
    for (size_t i = 0; i < parent_->items_.size(); ++i) {
        if (parent_->items_[i].Get() == this) {
            return static_cast<int32_t>(i);
        }
    }
    return -1;
}

bool MenuItem::IsActive() const
{
    if (!autoEnable_) {
        return enabled_;
    }
    // A menu is open to the user while any of its items is.
    if (!items_.empty()) {
        for (const auto& item : items_) {
            if (item->IsActive()) {
                return true;
            }
        }
        return false;
    }
    MenuHandlerLookup hasHandler = Lookup();
    return HasDefaultAction() || (hasHandler != nullptr && hasHandler(name_));
}

void SetMenuHandlerLookup(MenuHandlerLookup hasHandler) noexcept
{
    Lookup() = hasHandler;
}
