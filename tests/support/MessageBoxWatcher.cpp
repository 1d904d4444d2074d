// The message-box watcher: finds this process's "#32770" windows titled "Message", reads them and presses OK.
#include "MessageBoxWatcher.h"

#include <windows.h>

#include "Unicode.h"

namespace {

struct Search {
    HWND found = nullptr;
};

BOOL CALLBACK FindMessageBox(HWND window, LPARAM param)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() || !IsWindowVisible(window)) {
        return TRUE;
    }
    wchar_t className[16] = {};
    wchar_t title[16] = {};
    GetClassNameW(window, className, 16);
    GetWindowTextW(window, title, 16);
    if (std::wstring(className) == L"#32770" && std::wstring(title) == L"Message") {
        reinterpret_cast<Search*>(param)->found = window;
        return FALSE;
    }
    return TRUE;
}

std::string TextOf(HWND window)
{
    const int length = GetWindowTextLengthW(window);
    std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
    wide.resize(static_cast<size_t>(GetWindowTextW(window, &wide[0], length + 1)));
    return Narrow(wide);
}

} // namespace

MessageBoxWatcher::MessageBoxWatcher() : thread_([this] { Watch(); }) {}

MessageBoxWatcher::~MessageBoxWatcher()
{
    stop_ = true;
    thread_.join();
}

std::vector<std::string> MessageBoxWatcher::Texts() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return texts_;
}

void MessageBoxWatcher::Clear()
{
    std::lock_guard<std::mutex> lock(mutex_);
    texts_.clear();
}

void MessageBoxWatcher::Watch()
{
    while (!stop_) {
        Search search;
        EnumWindows(FindMessageBox, reinterpret_cast<LPARAM>(&search));
        if (search.found == nullptr) {
            Sleep(5);
            continue;
        }
        const std::string text = TextOf(GetDlgItem(search.found, 0xFFFF));
        {
            std::lock_guard<std::mutex> lock(mutex_);
            texts_.push_back(text);
        }
        PostMessageW(search.found, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(search.found, IDOK)));
        // The same box must not be counted twice while it is closing.
        while (!stop_ && IsWindow(search.found) && IsWindowVisible(search.found)) {
            Sleep(1);
        }
    }
}
