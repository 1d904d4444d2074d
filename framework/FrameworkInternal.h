// What the framework's own modules share and the application never sees.
#pragma once

#include <windows.h>

#include <exception>
#include <string>
#include <vector>

#include "Object.h"

class MenuItem;
class Window;

// MsgBox without handing on what handlers raised while the box was open, for the report that nothing may stop.
void ShowPlainMessage(const std::string& text);

// Lets a loop blocked in GetMessage look at its end condition again.
void WakeEventLoop() noexcept;

// Takes one message, gives it to accelerators, KeyDown and dialog navigation, dispatches it and rethrows what
// its handler raised. False once WM_QUIT arrives.
bool PumpMessage();

// The application's Activate: the first one while the first window is opened, later on coming back.
void FireFirstActivate();
void ApplicationActivated(bool active);

// Routes a menu command to the handler registered under the item's name, then to the item's own handling.
void DispatchMenuCommand(MenuItem& item);

// The name of an exception's class as the unhandled-exception report shows it.
std::string ExceptionClassName(const std::exception_ptr& exception);

class WindowAccess {
public:
    static bool CancelClose(Window& window);
    static void Destroy(Window& window) noexcept;
    static bool PreTranslate(MSG& msg);
};
