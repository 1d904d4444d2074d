// The native menu bar and the shortcut table that a window builds from its menu model.
#include "ui/NativeMenu.h"

#include <algorithm>
#include <cctype>
#include <cwctype>
#include <string>
#include <utility>
#include <vector>

#include "text/Strings.h"
#include "text/Unicode.h"
#include "ui/MenuItem.h"

namespace {

std::wstring MenuText(const MenuItem& item)
{
    std::wstring text = Widen(item.Text());
    if (item.CommandKey().size() == 1) {
        text += L"\tCtrl+" + Widen(Right(item.CommandKey(), 1));
        std::transform(text.end() - 1, text.end(), text.end() - 1, [](wchar_t c) { return static_cast<wchar_t>(towupper(c)); });
    }
    return text;
}

// A submenu belongs to its menu once appended, and goes with it.
MenuHandle BuildMenu(const MenuItem& model, bool popup, std::vector<ACCEL>& accelerators)
{
    MenuHandle menu(popup ? CreatePopupMenu() : CreateMenu());
    for (int32_t i = 0; i < model.Count(); ++i) {
        Ref<MenuItem> item = model.Item(i);
        UINT state = item->IsActive() ? MF_ENABLED : MF_GRAYED;
        if (item->Count() > 0) {
            MenuHandle sub = BuildMenu(*item, true, accelerators);
            const UINT_PTR subId = reinterpret_cast<UINT_PTR>(sub.Get());
            if (AppendMenuW(menu.Get(), MF_POPUP | state, subId, MenuText(*item).c_str())) {
                sub.Release();
            }
            continue;
        }
        AppendMenuW(menu.Get(), MF_STRING | state, item->CommandId(), MenuText(*item).c_str());
        const std::string& key = item->CommandKey();
        if (key.size() == 1 && std::isalnum(static_cast<unsigned char>(key[0]))) {
            ACCEL accel{};
            accel.fVirt = FVIRTKEY | FCONTROL;
            accel.key = static_cast<WORD>(std::toupper(static_cast<unsigned char>(key[0])));
            accel.cmd = item->CommandId();
            accelerators.push_back(accel);
        }
    }
    return menu;
}

void RefreshMenu(HMENU menu, const MenuItem& model)
{
    for (int32_t i = 0; i < model.Count(); ++i) {
        Ref<MenuItem> item = model.Item(i);
        EnableMenuItem(menu, static_cast<UINT>(i), MF_BYPOSITION | (item->IsActive() ? MF_ENABLED : MF_GRAYED));
        if (HMENU sub = GetSubMenu(menu, i)) {
            RefreshMenu(sub, *item);
        }
    }
}

} // namespace

void NativeMenu::Apply(HWND window, const MenuItem* model, bool visible)
{
    std::vector<ACCEL> accelerators;
    MenuHandle menu;
    if (model != nullptr) {
        menu = BuildMenu(*model, false, accelerators);
    }
    // The window owns the menu it shows and destroys it with itself; the one it showed before goes here.
    const MenuHandle old(std::exchange(shown_, visible ? menu.Release() : nullptr));
    SetMenu(window, shown_);
    // The shortcuts work whether or not the menu is shown.
    accelerators_.Reset(accelerators.empty()
                            ? nullptr
                            : CreateAcceleratorTableW(accelerators.data(), static_cast<int>(accelerators.size())));
}

void NativeMenu::Refresh(const MenuItem& model) const
{
    if (shown_ != nullptr) {
        RefreshMenu(shown_, model);
    }
}

void NativeMenu::WindowGone() noexcept
{
    // The system destroys the menu of a window with the window.
    shown_ = nullptr;
    accelerators_.Reset();
}
