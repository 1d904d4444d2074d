// The program's open windows, the current window of each window class, and the owners that modal windows disable.
#pragma once

#include <windows.h>

#include <typeindex>
#include <vector>

class Window;

// The list only points at windows: an open window keeps itself alive until its native window is gone.
namespace WindowList {

void Add(Window& window, HWND hwnd);
// Takes the window out of the open windows and out of the current ones.
void Remove(const Window& window) noexcept;
void Activated(const Window& window);
// The open windows, the most recently active first.
std::vector<Window*> Open();
// The open window whose native window that is, or null.
Window* FromHandle(HWND hwnd) noexcept;

// The one current window of a window class, or null.
Window* Current(std::type_index kind) noexcept;
void SetCurrent(std::type_index kind, Window* window) noexcept;

// The owner stays disabled while the window is shown modally over it, until it is released.
void SetModalOwner(const Window& window, HWND hwnd, HWND owner);
void ReleaseModalOwner(const Window& window) noexcept;

} // namespace WindowList
