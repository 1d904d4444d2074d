// The hook that long loops call after every step. It never retrieves or dispatches a window message.
#pragma once

// Does its work at most once per tick of 1/60 s and otherwise returns at once.
void BackgroundTaskHook();
