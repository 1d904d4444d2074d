// An exception caught at a window procedure's edge, kept until the loop that dispatched the message rethrows it.
#pragma once

// The first one wins: later ones arise while the first is unwinding.
void KeepPendingException() noexcept;
void RethrowPendingException();
void DiscardPendingException() noexcept;
