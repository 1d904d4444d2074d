// The windows currently shown modally, innermost last, so that message boxes can find their owner.
#pragma once

#include <windows.h>

void PushModalWindow(HWND window);
void PopModalWindow(HWND window);

// The innermost modal window that is still visible, or null when no modal window is shown.
HWND TopmostVisibleModalWindow();
