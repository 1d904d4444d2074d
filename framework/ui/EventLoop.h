// The event loop, Quit, modal windows and the report of an exception that nothing handled.
#pragma once

#include <exception>
#include <functional>
#include <string>

#include "core/Object.h"

class Window;

// Runs the program's main routine, first limiting the library search to System32 (LimitLibrarySearch). An exception
// that escapes it, other than EndException, is shown in the unhandled-exception report, every window closes and the
// result is 1; otherwise 0. Folder listings are kept between calls (files/FolderListing.h) while it runs.
int RunProgram(const std::function<void()>& mainRoutine);

// Runs the event loop until Quit or until the last window has closed. An exception that a handler raised,
// other than EndException, leaves RuntimeRun for the caller (RunProgram reports it).
void RuntimeRun();

// Asks every window whether it may close; if one refuses, returns. Otherwise closes every window and raises
// EndException, so the handler that called Quit is unwound up to the event loop. Inside a running Quit it
// returns at once.
void Quit();

// Shows the window and runs a nested event loop until it is closed or hidden; the window that was active
// is disabled meanwhile. An exception raised by a handler inside the nested loop leaves ShowModal.
void ShowModal(const Ref<Window>& window);

// "An exception of class %1 was not handled." CR LF "The application must shut down.", with the class name.
std::string UnhandledExceptionText(const std::exception_ptr& exception);
// Shows that text in a message box and closes every window.
void ReportUnhandledException(const std::exception_ptr& exception);
