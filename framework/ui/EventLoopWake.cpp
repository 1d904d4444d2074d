// Wakes an event loop blocked in GetMessage, so that it looks at its end condition again.
#include "ui/EventLoopWake.h"

#include <windows.h>

void WakeEventLoop() noexcept
{
    PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
}
