// Finding a process's visible top-level windows and pressing dialog buttons.
#include "WindowSearch.h"

namespace gui {

namespace {

struct TopWindowSearch {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopWindow(HWND hwnd, LPARAM param)
{
    auto* search = reinterpret_cast<TopWindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == search->processId && IsWindowVisible(hwnd)) {
        search->found.push_back(hwnd);
    }
    return TRUE;
}

} // namespace

std::vector<HWND> TopWindows(DWORD processId)
{
    TopWindowSearch search{processId, {}};
    EnumWindows(CollectTopWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindTopWindow(DWORD processId, const std::wstring& title, const wchar_t* className)
{
    for (HWND hwnd : TopWindows(processId)) {
        if (WindowTitle(hwnd) == title && (className == nullptr || WindowClass(hwnd) == className)) {
            return hwnd;
        }
    }
    return nullptr;
}

std::wstring WindowClass(HWND window)
{
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

std::wstring WindowTitle(HWND window)
{
    // Asked of the window's own thread rather than read from the system's copy: a window found this way has been
    // through its thread's message loop, so whatever its program did before it waits for messages (disable the
    // owner of a modal window, say) is done. Bounded, so a busy program reads as "not there yet".
    const UINT answerMs = 1000;
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, answerMs, &length)) {
        return std::wstring();
    }
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]), SMTO_NORMAL,
                             answerMs, &copied)) {
        return std::wstring();
    }
    text.resize(static_cast<size_t>(copied) < text.size() ? static_cast<size_t>(copied) : text.size() - 1);
    return text;
}

void Press(HWND dialog, int buttonId)
{
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)));
}

} // namespace gui
