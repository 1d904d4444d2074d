// The background-task hook of long loops.
#include "BackgroundTask.h"

#include <windows.h>

namespace {
DWORD lastTick = 0;
uint32_t ticksWorked = 0;
}

void BackgroundTaskHook()
{
    // A tick is 1/60 s; within one tick the hook costs a clock read and nothing more.
    const DWORD tick = static_cast<DWORD>(GetTickCount() * 0.06);
    if (tick == lastTick) {
        return;
    }
    lastTick = tick;
    ++ticksWorked;
    // The framework runs no timers, Escape polls or cooperative threads of its own,
    // and never touches the message queue here.
}

uint32_t BackgroundTaskTicksWorked() { return ticksWorked; }
