// The program's open windows, the current window of each window class, and the owners that modal windows disable.
#include "ui/WindowList.h"

#include <algorithm>
#include <map>

namespace {

struct OpenWindow {
    Window* window;
    HWND hwnd;
};

// The most recently active first.
std::vector<OpenWindow>& OpenList()
{
    static std::vector<OpenWindow> windows;
    return windows;
}

std::map<std::type_index, Window*>& CurrentWindows()
{
    static std::map<std::type_index, Window*> windows;
    return windows;
}

std::map<const Window*, HWND>& ModalOwners()
{
    static std::map<const Window*, HWND> owners;
    return owners;
}

} // namespace

void WindowList::Add(Window& window, HWND hwnd)
{
    OpenList().insert(OpenList().begin(), OpenWindow{&window, hwnd});
}

void WindowList::Remove(const Window& window) noexcept
{
    auto& list = OpenList();
    list.erase(std::remove_if(list.begin(), list.end(), [&](const OpenWindow& w) { return w.window == &window; }),
               list.end());
    auto& current = CurrentWindows();
    for (auto it = current.begin(); it != current.end();) {
        it = it->second == &window ? current.erase(it) : std::next(it);
    }
}

void WindowList::Activated(const Window& window)
{
    auto& list = OpenList();
    auto found = std::find_if(list.begin(), list.end(), [&](const OpenWindow& w) { return w.window == &window; });
    if (found != list.end()) {
        std::rotate(list.begin(), found, found + 1);
    }
}

std::vector<Window*> WindowList::Open()
{
    std::vector<Window*> windows;
    for (const auto& open : OpenList()) {
        windows.push_back(open.window);
    }
    return windows;
}

Window* WindowList::FromHandle(HWND hwnd) noexcept
{
    if (hwnd == nullptr) {
        return nullptr;
    }
    const auto& list = OpenList();
    auto found = std::find_if(list.begin(), list.end(), [&](const OpenWindow& w) { return w.hwnd == hwnd; });
    return found == list.end() ? nullptr : found->window;
}

Window* WindowList::Current(std::type_index kind) noexcept
{
    auto found = CurrentWindows().find(kind);
    return found == CurrentWindows().end() ? nullptr : found->second;
}

void WindowList::SetCurrent(std::type_index kind, Window* window) noexcept
{
    if (window == nullptr) {
        CurrentWindows().erase(kind);
    } else {
        CurrentWindows()[kind] = window;
    }
}

void WindowList::SetModalOwner(const Window& window, HWND hwnd, HWND owner)
{
    ModalOwners()[&window] = owner;
    SetWindowLongPtrW(hwnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    EnableWindow(owner, FALSE);
}

void WindowList::ReleaseModalOwner(const Window& window) noexcept
{
    auto found = ModalOwners().find(&window);
    if (found != ModalOwners().end()) {
        HWND owner = found->second;
        ModalOwners().erase(found);
        EnableWindow(owner, TRUE);
    }
}
