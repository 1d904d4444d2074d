// The background-task hook works at most once per 1/60 s tick.
#include <windows.h>

#include <gtest/gtest.h>

#include "core/BackgroundTask.h"

namespace {

DWORD Tick() { return static_cast<DWORD>(GetTickCount() * 0.06); }

TEST(BackgroundTaskHook, WorksOncePerTickAtMost)
{
    // Calls within one tick may add one worked tick between them, never more; the loop ends once the hook
    // has been seen to work in two ticks.
    const uint32_t start = BackgroundTaskTicksWorked();
    while (BackgroundTaskTicksWorked() - start < 2) {
        const DWORD before = Tick();
        const uint32_t worked = BackgroundTaskTicksWorked();
        for (int i = 0; i < 100; ++i) {
            BackgroundTaskHook();
        }
        if (Tick() == before) {
            ASSERT_LE(BackgroundTaskTicksWorked() - worked, 1u);
        }
    }
}

} // namespace
