// The windows currently shown modally, innermost last.
#include "ui/ModalStack.h"

#include <algorithm>
#include <vector>

namespace {

std::vector<HWND>& Stack()
{
    static std::vector<HWND> stack;
    return stack;
}

} // namespace

void PushModalWindow(HWND window)
{
    Stack().push_back(window);
}

void PopModalWindow(HWND window)
{
    auto& stack = Stack();
    auto found = std::find(stack.rbegin(), stack.rend(), window);
    if (found != stack.rend()) {
        stack.erase(std::next(found).base());
    }
}

HWND TopmostVisibleModalWindow()
{
    const auto& stack = Stack();
    auto found = std::find_if(stack.rbegin(), stack.rend(),
                              [](HWND window) { return IsWindow(window) && IsWindowVisible(window); });
    return found == stack.rend() ? nullptr : *found;
}
