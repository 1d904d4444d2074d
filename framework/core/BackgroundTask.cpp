// The background-task hook of long loops.
#include "core/BackgroundTask.h"

#include <windows.h>

namespace {
DWORD lastMillisecond = 0;
DWORD lastTick = 0;
uint32_t ticksWorked = 0;
}

void BackgroundTaskHook()
{
    // A tick is 1/60 s; within one tick the hook costs a clock read and nothing more. Loops call it for every
    // character and item, so the same millisecond is told apart before any arithmetic.
    const DWORD millisecond = GetTickCount();
    if (millisecond == lastMillisecond) {
        return;
    }
    lastMillisecond = millisecond;
    const DWORD tick = static_cast<DWORD>(millisecond * 0.06);
    if (tick == lastTick) {
        return;
    }
    lastTick = tick;
    ++ticksWorked;
    // The framework runs no timers, Escape polls or cooperative threads of its own,
    // and never touches the message queue here.
}

uint32_t BackgroundTaskTicksWorked() { return ticksWorked; }
