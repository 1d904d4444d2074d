// Menu items and the menu bar: a model from which each window builds its native menu.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/Object.h"

class MenuItem : public Object {
public:
    MenuItem();
    ~MenuItem() override;

    // The name under which menu handlers are registered.
    const std::string& Name() const noexcept { return name_; }
    void SetName(const std::string& name) { name_ = name; }
    // "&" marks the access letter.
    const std::string& Text() const noexcept { return text_; }
    void SetText(const std::string& text) { text_ = text; }
    // One letter: the shortcut Ctrl plus that letter, shown in the menu as "\tCtrl+Q". Empty: no shortcut.
    const std::string& CommandKey() const noexcept { return commandKey_; }
    void SetCommandKey(const std::string& key) { commandKey_ = key; }
    // While on, the item is enabled exactly while a handler for its Name is registered (or the item has a
    // handling of its own, as the Quit item has).
    bool AutoEnable() const noexcept { return autoEnable_; }
    void SetAutoEnable(bool autoEnable) { autoEnable_ = autoEnable; }
    bool Enabled() const noexcept { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }
    bool Bold() const noexcept { return bold_; }
    void SetBold(bool bold) { bold_ = bold; }
    bool Italic() const noexcept { return italic_; }
    void SetItalic(bool italic) { italic_ = italic; }
    bool Underline() const noexcept { return underline_; }
    void SetUnderline(bool underline) { underline_ = underline; }

    void Append(const Ref<MenuItem>& item);
    int32_t Count() const noexcept { return static_cast<int32_t>(items_.size()); }
    // 0-based; nil when out of range.
    Ref<MenuItem> Item(int32_t index) const;
    // This item or one below it with that name (case ignored), or nil.
    Ref<MenuItem> Find(const std::string& name) const;

    // Whether a command of this item would be taken now: by AutoEnable's rule, or by Enabled.
    bool IsActive() const;
    // The framework's own handling when no handler ends the command. True when it did something.
    virtual bool DefaultAction() { return false; }
    virtual bool HasDefaultAction() const { return false; }

    // The command id of this item in every native menu built from it.
    uint16_t CommandId() const noexcept { return commandId_; }
    // The item with that command id, or null.
    static MenuItem* FromCommandId(uint16_t id) noexcept;
    // Its position in the menu that holds it, 0-based, or -1 when it is in none.
    int32_t Index() const noexcept;

private:
    std::string name_;
    std::string text_;
    std::string commandKey_;
    bool autoEnable_ = true;
    bool enabled_ = true;
    bool bold_ = false;
    bool italic_ = false;
    bool underline_ = false;
    std::vector<Ref<MenuItem>> items_;
    MenuItem* parent_ = nullptr;
    uint16_t commandId_ = 0;
};

// Under AutoEnable an item is active while a handler is registered under its name. The handlers belong to the
// application object, above the model, which gives the model this way to ask when it is registered; until then
// no name has one.
using MenuHandlerLookup = bool (*)(const std::string& itemName);
void SetMenuHandlerLookup(MenuHandlerLookup hasHandler) noexcept;

// The top of a menu: its items are the menus shown across the window.
class MenuBar : public MenuItem {
};
