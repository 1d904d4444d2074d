// The framework's plain modal message box.
#include "MsgBox.h"

#include <windows.h>

#include "FrameworkInternal.h"
#include "ModalStack.h"
#include "Unicode.h"

namespace {

HWND MessageOwner()
{
    if (HWND modal = TopmostVisibleModalWindow()) {
        return modal;
    }
    return GetActiveWindow();
}

} // namespace

void MsgBox(const std::string& text)
{
    MessageBoxW(MessageOwner(), Widen(text).c_str(), L"Message", MB_OK | MB_ICONINFORMATION);
    // The box's own loop dispatched messages; what their handlers raised goes on from here.
    RethrowPendingException();
}
