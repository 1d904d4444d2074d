// Drives real windows as a user would: finds them, reads and types text, clicks, presses shortcuts, answers
// message boxes, waits for programs and saves screenshots. Works on another process or, from a second
// thread, on windows of this one.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "WindowSearch.h"

namespace gui {

class Process {
public:
    // Starts the program with the arguments (already quoted as needed) in the working folder.
    // Throws std::runtime_error when it cannot be started.
    Process(const std::wstring& program, const std::wstring& arguments, const std::wstring& workingFolder);
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    DWORD Id() const noexcept { return id_; }
    // Waits for the program to end; false when it is still running after the wait.
    bool WaitForExit(DWORD timeoutMs = kWaitMs);
    // The exit code once it has ended, STILL_ACTIVE before.
    DWORD ExitCode() const;
    void Kill();

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// Waits for a visible top-level window of the process with that title (and that class, when given).
HWND WaitForWindow(DWORD processId, const std::string& title, const wchar_t* className = nullptr,
                   DWORD timeoutMs = kWaitMs);
// Waits until the window no longer exists.
bool WaitForWindowGone(HWND window, DWORD timeoutMs = kWaitMs);

// The direct children in creation order (the order GetWindow lists them).
std::vector<HWND> Children(HWND parent);
// The first child with that text (exact), and that class when given; null when none.
HWND FindChild(HWND parent, const std::string& text, const wchar_t* className = nullptr);
// The n-th child (0-based) of that class in creation order; null when none.
HWND ChildOfClass(HWND parent, const wchar_t* className, size_t index);

std::string ClassName(HWND window);
std::string ReadText(HWND window);
// The client rectangle of a child in its parent's client coordinates.
RECT ChildRect(HWND child);
SIZE ClientSize(HWND window);
bool IsEnabled(HWND window);
bool IsChecked(HWND checkBox);

// Replaces the text of an edit field as typing would: select all, then one WM_CHAR per UTF-16 unit.
void TypeText(HWND edit, const std::string& text);
// Presses a button or check box. Posted, so it returns at once even when the press opens a modal box.
void Click(HWND button);
// Asks a window to close, as its close box does (posted).
void RequestClose(HWND window);
// Brings the window to the front and presses Ctrl plus the key through SendInput, so that it reaches the
// program's accelerators as a real key press does.
void PressCtrlKey(HWND window, char key);
// Chooses an item of the window's menu bar by keyboard, as a user would: Alt with the menu's access letter opens
// the menu on its first item, Down moves on (itemIndex times), Enter chooses.
void ChooseMenuItem(HWND window, char menuLetter, int itemIndex);

struct MessageBoxInfo {
    HWND window = nullptr;
    std::string caption;
    std::string text;
    HWND owner = nullptr;
    bool hasCancel = false;
};
// Waits for a message box (#32770) of the process; window is null when none appeared.
MessageBoxInfo WaitForMessageBox(DWORD processId, DWORD timeoutMs = kWaitMs);
// Presses a button of the box (IDOK, IDCANCEL) and waits until it has gone.
bool DismissMessageBox(const MessageBoxInfo& box, int buttonId = IDOK);

// Runs `loop` on this thread while `drive` works this process's windows from a second thread. Whatever the
// driver managed, it then asks every window and box that is left to close, so a failing test ends instead of
// hanging.
void DriveWhile(const std::function<void()>& loop, const std::function<void()>& drive);

// What a window shows on the screen, frame included, as 24-bit rows from the bottom up; empty when it could not be
// captured.
struct Screenshot {
    int width = 0;
    int height = 0;
    // Where the client area starts inside the picture.
    int clientLeft = 0;
    int clientTop = 0;
    std::vector<unsigned char> bits;

    size_t Stride() const { return (static_cast<size_t>(width) * 3 + 3) & ~size_t{3}; }
    // The colour at a point of the client area; CLR_INVALID outside the picture.
    COLORREF AtClient(int x, int y) const;
    // How many pixels of a client-area rectangle have that colour.
    int CountAtClient(const RECT& area, COLORREF colour) const;
    // As a BMP file; false when empty or not written.
    bool Save(const std::wstring& path) const;
};
Screenshot Capture(HWND window);
// Saves what the window shows as a 24-bit BMP file; false when it could not be captured or written.
bool SaveScreenshot(HWND window, const std::wstring& path);

} // namespace gui
