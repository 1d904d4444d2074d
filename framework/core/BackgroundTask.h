// The hook that long loops call after every step. It never retrieves or dispatches a window message.
#pragma once

#include <cstdint>

// Does its work at most once per tick of 1/60 s and otherwise returns at once.
void BackgroundTaskHook();

// How many ticks the hook has done its work in since the program started.
uint32_t BackgroundTaskTicksWorked();
