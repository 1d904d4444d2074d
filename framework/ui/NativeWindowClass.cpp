// The native window class that every framework window is made of, registered at the first window.
#include "ui/NativeWindowClass.h"

#include "core/Exceptions.h"

void RegisterWindowClass(WNDPROC procedure)
{
    static bool registered = false;
    if (registered) {
        return;
    }
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kWindowClass;
    if (RegisterClassExW(&wc) == 0) {
        throw NilObjectException();
    }
    registered = true;
}
