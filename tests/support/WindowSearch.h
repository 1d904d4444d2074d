// Finding a process's visible top-level windows, waiting until something shows, and pressing dialog buttons:
// the ground that every driver of real windows stands on. Uses nothing of the framework, so that the plug-in's
// own tests can use it too.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace gui {

// How long a wait lasts before it gives up. Generous, since it only bounds a failing test, and a loaded CI
// machine can take seconds to show a window or start a program.
constexpr DWORD kWaitMs = 30000;

// Polls until done() holds; false when it still does not after the wait.
template <class Predicate>
bool WaitUntil(Predicate done, DWORD timeoutMs = kWaitMs)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) {
            return false;
        }
        Sleep(10);
    }
    return true;
}

// The visible top-level windows of a process, in the system's Z order.
std::vector<HWND> TopWindows(DWORD processId);
// The first of them with that title (exact), and that class when given; null when none.
HWND FindTopWindow(DWORD processId, const std::wstring& title, const wchar_t* className = nullptr);

std::wstring WindowClass(HWND window);
// The window's title (or a control's text), as its own thread answers; empty when it does not answer within a
// second.
std::wstring WindowTitle(HWND window);

// Presses a dialog's button as a click would. Posted, so it returns at once even when the press opens a modal box.
void Press(HWND dialog, int buttonId);

} // namespace gui
