// The native window class that every framework window is made of, registered at the first window.
#pragma once

#include <windows.h>

inline constexpr wchar_t kWindowClass[] = L"HalvardFrameworkWindow";

// Registers the class with that window procedure, once; later calls do nothing.
void RegisterWindowClass(WNDPROC procedure);
