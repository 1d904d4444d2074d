// Driving the plug-in's dialogs and the host's boxes, and starting probe programs, for the plug-in tests.
#include "PluginDriver.h"

#include "files/ProgramFolder.h"
#include "WindowSearch.h"

HWND FindDialog(DWORD processId, const std::wstring& title)
{
    return gui::FindTopWindow(processId, title, L"#32770");
}

HWND WaitForDialog(DWORD processId, const std::wstring& title)
{
    HWND found = nullptr;
    gui::WaitUntil([&] { return (found = FindDialog(processId, title)) != nullptr; }, gui::kWaitMs);
    return found;
}

std::wstring ItemText(HWND dialog, int id)
{
    wchar_t text[1024] = {};
    GetDlgItemTextW(dialog, id, text, 1024);
    return text;
}

bool WaitForItemText(HWND dialog, int id, const std::wstring& text, DWORD patienceMs)
{
    return gui::WaitUntil([&] { return ItemText(dialog, id) == text; }, patienceMs);
}

std::wstring CurrentDirectory()
{
    wchar_t path[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, path);
    return path;
}

void ReadOnce(const std::wstring& folder)
{
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        FindClose(search);
    }
}

std::wstring BesideThisProgram(const std::wstring& fileName)
{
    const std::wstring path = ExecutablePath();
    return path.substr(0, path.find_last_of(L'\\') + 1) + fileName;
}

ProbeProcess::ProbeProcess(const std::wstring& commandLine, const std::wstring& environment)
{
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    HANDLE childInput = nullptr;
    HANDLE childOutput = nullptr;
    CreatePipe(&childInput, &input_, &inherit, 0);
    CreatePipe(&output_, &childOutput, &inherit, 0);
    SetHandleInformation(input_, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(output_, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = childInput;
    startup.hStdOutput = childOutput;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    std::wstring line = commandLine;
    std::wstring block = environment;
    CreateProcessW(nullptr, &line[0], nullptr, nullptr, TRUE, CREATE_UNICODE_ENVIRONMENT,
                   block.empty() ? nullptr : &block[0], nullptr, &startup, &info_);
    CloseHandle(childInput);
    CloseHandle(childOutput);
}

ProbeProcess::~ProbeProcess()
{
    CloseInput();
    if (info_.hProcess != nullptr) {
        if (WaitForSingleObject(info_.hProcess, gui::kWaitMs) != WAIT_OBJECT_0) {
            TerminateProcess(info_.hProcess, 99);
        }
        CloseHandle(info_.hProcess);
        CloseHandle(info_.hThread);
    }
    CloseHandle(output_);
}

std::string ProbeProcess::ReadLine()
{
    std::string line;
    char c = 0;
    DWORD read = 0;
    while (ReadFile(output_, &c, 1, &read, nullptr) && read == 1 && c != '\n') {
        if (c != '\r') {
            line += c;
        }
    }
    return line;
}

void ProbeProcess::CloseInput()
{
    if (input_ != nullptr) {
        CloseHandle(input_);
        input_ = nullptr;
    }
}

DWORD ProbeProcess::WaitForExit()
{
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(info_.hProcess, gui::kWaitMs) == WAIT_OBJECT_0) {
        GetExitCodeProcess(info_.hProcess, &code);
    }
    return code;
}
