// The message-box watcher: finds this process's "#32770" windows titled "Message", reads them and presses OK.
#include "MessageBoxWatcher.h"

#include <windows.h>

#include "text/Unicode.h"
#include "WindowSearch.h"

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
        const HWND box = gui::FindTopWindow(GetCurrentProcessId(), L"Message", L"#32770");
        if (box == nullptr) {
            Sleep(5);
            continue;
        }
        const std::string text = Narrow(gui::WindowTitle(GetDlgItem(box, 0xFFFF)));
        {
            std::lock_guard<std::mutex> lock(mutex_);
            texts_.push_back(text);
        }
        gui::Press(box, IDOK);
        // The same box must not be counted twice while it is closing.
        while (!stop_ && IsWindow(box) && IsWindowVisible(box)) {
            Sleep(1);
        }
    }
}
