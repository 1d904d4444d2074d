// An exception caught at a window procedure's edge, kept until the loop that dispatched the message rethrows it.
#include "ui/PendingException.h"

#include <exception>
#include <utility>

namespace {

std::exception_ptr& Pending()
{
    static std::exception_ptr pending;
    return pending;
}

} // namespace

void KeepPendingException() noexcept
{
    if (!Pending()) {
        Pending() = std::current_exception();
    }
}

void RethrowPendingException()
{
    if (std::exception_ptr pending = std::exchange(Pending(), nullptr)) {
        std::rethrow_exception(pending);
    }
}

void DiscardPendingException() noexcept
{
    Pending() = nullptr;
}
