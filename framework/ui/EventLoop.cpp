// The event loop, Quit, modal windows and the report of an exception that nothing handled.
#include "ui/EventLoop.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "core/Exceptions.h"
#include "files/FolderListing.h"
#include "plugins/LibrarySearch.h"
#include "text/Unicode.h"
#include "ui/ModalStack.h"
#include "ui/MsgBox.h"
#include "ui/PendingException.h"
#include "ui/Window.h"
#include "ui/WindowList.h"

namespace {

bool& Quitting()
{
    static bool quitting = false;
    return quitting;
}

// The open windows, the most recently active first, each held while the caller goes through them.
std::vector<Ref<Window>> OpenWindows()
{
    std::vector<Ref<Window>> windows;
    for (Window* window : WindowList::Open()) {
        windows.push_back(Ref<Window>::Share(window));
    }
    return windows;
}

void CloseAllWindows() noexcept
{
    for (auto& window : OpenWindows()) {
        WindowAccess::Destroy(*window);
    }
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

// A key goes to the shortcuts of its top-level window's menu, then to the window's KeyDown, then to dialog
// navigation; what none of them takes is dispatched.
bool PreTranslate(MSG& msg)
{
    HWND top = msg.hwnd != nullptr ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    Window* window = WindowList::FromHandle(top);
    if (window == nullptr) {
        return false;
    }
    Ref<Window> keep = Ref<Window>::Share(window);
    HACCEL accelerators = WindowAccess::Accelerators(*window);
    if (accelerators != nullptr && TranslateAcceleratorW(top, accelerators, &msg) != 0) {
        return true;
    }
    if (msg.message == WM_CHAR &&
        WindowAccess::KeyDown(*window, Narrow(std::wstring(1, static_cast<wchar_t>(msg.wParam))))) {
        return true;
    }
    return window->IsOpen() && IsDialogMessageW(top, &msg) != 0;
}

// Takes one message, gives it to accelerators, KeyDown and dialog navigation, dispatches it and rethrows what
// its handler raised. False once WM_QUIT arrives.
bool PumpMessage()
{
    MSG msg{};
    if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
        // Leave WM_QUIT for any loop outside this one too.
        PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
    }
    if (!PreTranslate(msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    RethrowPendingException();
    return true;
}

std::string Demangle(const char* name)
{
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> readable(abi::__cxa_demangle(name, nullptr, nullptr, &status), std::free);
    return status == 0 && readable ? std::string(readable.get()) : std::string(name);
}

// The name of an exception's class as the unhandled-exception report shows it.
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

} // namespace

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
        WindowList::SetModalOwner(*window, hwnd, owner);
    }
    PushModalWindow(hwnd);
    struct Restore {
        Window& window;
        HWND hwnd;
        ~Restore()
        {
            PopModalWindow(hwnd);
            WindowList::ReleaseModalOwner(window);
        }
    } restore{*window, hwnd};
    window->SetVisible(true);
    SetActiveWindow(hwnd);
    while (window->IsOpen() && IsWindowVisible(hwnd) && PumpMessage()) {
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
    LimitLibrarySearch();
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
