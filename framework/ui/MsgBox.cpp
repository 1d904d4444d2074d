// The framework's plain modal message box.
#include "ui/MsgBox.h"

#include <windows.h>

#include "text/Unicode.h"
#include "ui/ModalStack.h"
#include "ui/PendingException.h"

void ShowPlainMessage(const std::string& text)
{
    HWND owner = TopmostVisibleModalWindow();
    if (owner == nullptr) {
        owner = GetActiveWindow();
    }
    MessageBoxW(owner, Widen(text).c_str(), L"Message", MB_OK | MB_ICONINFORMATION);
}

void MsgBox(const std::string& text)
{
    ShowPlainMessage(text);
    // The box's own loop dispatched messages; what their handlers raised goes on from here.
    RethrowPendingException();
}
