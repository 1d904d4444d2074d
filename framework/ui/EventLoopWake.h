// Wakes an event loop blocked in GetMessage, so that it looks at its end condition again.
#pragma once

void WakeEventLoop() noexcept;
