// The event loop, Quit, modal windows and the report of an exception that nothing handled.
#include "EventLoop.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>

#include "Exceptions.h"
#include "FolderListing.h"
#include "FrameworkInternal.h"
#include "ModalStack.h"
#include "Window.h"

namespace {

std::exception_ptr& Pending()
{
    static std::exception_ptr pending;
    return pending;
}

bool& Quitting()
{
    static bool quitting = false;
    return quitting;
}

bool AnyWindowOpen()
{
    for (const auto& window : OpenWindows()) {
        if (window->IsOpen()) {
            return true;
        }
    }
    return false;
}

// The window a modal one is shown over: the innermost modal window, otherwise the most recently active other
// window that can still take input.
HWND ModalOwnerFor(const Window& modal)
{
    if (HWND top = TopmostVisibleModalWindow(); top != nullptr && top != modal.Handle()) {
        return top;
    }
    for (const auto& window : OpenWindows()) {
        HWND hwnd = window->Handle();
        if (window.Get() != &modal && hwnd != nullptr && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
            return hwnd;
        }
    }
    return nullptr;
}

std::string Demangle(const char* name)
{
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> readable(abi::__cxa_demangle(name, nullptr, nullptr, &status), std::free);
    return status == 0 && readable ? std::string(readable.get()) : std::string(name);
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

void WakeEventLoop() noexcept
{
    PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
}

bool PumpMessage()
{
    MSG msg{};
    if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
        // Leave WM_QUIT for any loop outside this one too.
        PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
    }
    if (!WindowAccess::PreTranslate(msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    RethrowPendingException();
    return true;
}

void RuntimeRun()
{
    try {
        while (AnyWindowOpen() && PumpMessage()) {
        }
    } catch (const EndException&) {
        // Quit has closed the windows; the loop is over.
    }
}

void Quit()
{
    if (Quitting()) {
        return;
    }
    Quitting() = true;
    struct Reset {
        ~Reset() { Quitting() = false; }
    } reset;
    for (const auto& window : OpenWindows()) {
        if (window->IsOpen() && WindowAccess::CancelClose(*window)) {
            return;
        }
    }
    CloseAllWindows();
    DiscardPendingException();
    throw EndException();
}

void ShowModal(const Ref<Window>& window)
{
    if (!window) {
        throw NilObjectException();
    }
    HWND hwnd = window->Handle();
    if (hwnd == nullptr) {
        return;
    }
    if (HWND owner = ModalOwnerFor(*window)) {
        WindowAccess::SetModalOwner(*window, owner);
    }
    PushModalWindow(hwnd);
    struct Restore {
        Window& window;
        HWND hwnd;
        ~Restore()
        {
            PopModalWindow(hwnd);
            WindowAccess::ReleaseModalOwner(window);
        }
    } restore{*window, hwnd};
    window->SetVisible(true);
    SetActiveWindow(hwnd);
    while (window->IsOpen() && IsWindowVisible(hwnd) && PumpMessage()) {
    }
}

std::string ExceptionClassName(const std::exception_ptr& exception)
{
    try {
        std::rethrow_exception(exception);
    } catch (const RuntimeException& e) {
        return e.ClassName();
    } catch (...) {
        const std::type_info* type = abi::__cxa_current_exception_type();
        return type != nullptr ? Demangle(type->name()) : std::string("UnknownException");
    }
}

std::string UnhandledExceptionText(const std::exception_ptr& exception)
{
    return "An exception of class " + ExceptionClassName(exception) + " was not handled.\r\n"
           "The application must shut down.";
}

void ReportUnhandledException(const std::exception_ptr& exception)
{
    ShowPlainMessage(UnhandledExceptionText(exception));
    CloseAllWindows();
    DiscardPendingException();
}

int RunProgram(const std::function<void()>& mainRoutine)
{
    // Folder listings are reused between calls while the program runs, and dropped before it ends.
    const FolderListingKeeper listings;
    try {
        mainRoutine();
        return 0;
    } catch (const EndException&) {
        return 0;
    } catch (...) {
        ReportUnhandledException(std::current_exception());
        return 1;
    }
}
