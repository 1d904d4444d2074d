// Finds, reads and answers the dialogs that the plug-in and its host show, from outside the code that shows them.
#pragma once

#include <windows.h>

#include <string>

#include "WindowSearch.h"

// The folder dialog's status line.
const int kBrowseStatusText = 0x3743;

// The visible dialog with this title that belongs to the process, or null.
HWND FindDialog(DWORD processId, const std::wstring& title);
// The same, waiting for it; null when none appears within gui::kWaitMs.
HWND WaitForDialog(DWORD processId, const std::wstring& title);
std::wstring ItemText(HWND dialog, int id);
// Whether the item shows exactly this text within the patience given.
bool WaitForItemText(HWND dialog, int id, const std::wstring& text, DWORD patienceMs = gui::kWaitMs);
// Clicks a button of the dialog, as the user would.
using gui::Press;

std::wstring CurrentDirectory();

// Lists a new folder once. Wine's folder dialog finds a path by comparing item lists that carry each folder's times,
// so a folder on the way that changes or is first read while a dialog opens makes it ignore a selection: a test that
// selects works right under a drive root, with its folders read once before the dialog.
void ReadOnce(const std::wstring& folder);

// A test program started with pipes on its standard input and output, and ended when this object goes.
class ProbeProcess {
public:
    // environment: a block of "NAME=value\0" entries ending in another "\0", or empty to inherit this one's.
    ProbeProcess(const std::wstring& commandLine, const std::wstring& environment = std::wstring());
    ~ProbeProcess();
    ProbeProcess(const ProbeProcess&) = delete;
    ProbeProcess& operator=(const ProbeProcess&) = delete;

    DWORD Id() const noexcept { return info_.dwProcessId; }
    // One line of the program's output, without its end; empty at the end of the output.
    std::string ReadLine();
    // Closes the program's standard input, which a holding program takes as its cue to end.
    void CloseInput();
    // The exit code, once the program has ended; STILL_ACTIVE if it has not within gui::kWaitMs.
    DWORD WaitForExit();

private:
    PROCESS_INFORMATION info_ = {};
    HANDLE input_ = nullptr;
    HANDLE output_ = nullptr;
};

// The full path of a file beside the running test program.
std::wstring BesideThisProgram(const std::wstring& fileName);
