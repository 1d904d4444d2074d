// Temporary test folders and the plain Win32 file calls the tests check the framework against.
#include "TempFolder.h"

#include <windows.h>

#include <stdexcept>

#include "text/Unicode.h"

namespace {

void RemoveTree(const std::wstring& folder)
{
    for (const std::wstring& name : ListNames(folder)) {
        const std::wstring child = folder + L"\\" + name;
        const std::wstring longChild = LongForm(child);
        const DWORD attributes = GetFileAttributesW(longChild.c_str());
        SetFileAttributesW(longChild.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            RemoveTree(child);
        } else {
            DeleteFileW(longChild.c_str());
        }
    }
    RemoveDirectoryW(LongForm(folder).c_str());
}

// The Linux path of a Windows one under Wine, or empty elsewhere.
std::string UnixPath(const std::wstring& path)
{
    using UnixFileName = char*(CDECL*)(const wchar_t*);
    const FARPROC function = GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name");
    if (function == nullptr) {
        return std::string();
    }
    char* name = reinterpret_cast<UnixFileName>(reinterpret_cast<void*>(function))(LongForm(path).c_str());
    if (name == nullptr) {
        return std::string();
    }
    std::string result = name;
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

// Runs a Linux program with the given arguments and waits, as far as Wine lets a program see, until `done` holds;
// false when it could not be started or did not get there within 10 s.
template <class Done>
bool RunOnLinux(const std::wstring& program, const std::vector<std::string>& arguments, Done done)
{
    std::wstring commandLine = program.substr(program.find_last_of(L'\\') + 1);
    for (const std::string& argument : arguments) {
        commandLine += L" \"" + Widen(argument) + L"\"";
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    // The handle of a Linux process is signalled at once; its effect shows a little later.
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > 10000) {
            return false;
        }
        Sleep(5);
    }
    return true;
}

} // namespace

TempFolder::TempFolder()
{
    wchar_t base[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, base);
    wchar_t longBase[4096] = {};
    GetLongPathNameW(base, longBase, 4096);
    std::wstring root = longBase;
    if (!root.empty() && root.back() == L'\\') {
        root.pop_back();
    }
    static unsigned serial = 0;
    for (;;) {
        path_ = root + L"\\halvard-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++serial);
        if (CreateDirectoryW(path_.c_str(), nullptr)) {
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            throw std::runtime_error("cannot create a temporary folder");
        }
    }
}

TempFolder::~TempFolder()
{
    for (const std::wstring& link : links_) {
        const std::string unixLink = UnixPath(link);
        if (unixLink.empty()) {
            if (!DeleteFileW(LongForm(link).c_str())) {
                RemoveDirectoryW(LongForm(link).c_str());
            }
        } else {
            // A link whose target is gone is listed no more, and a removed one no longer shows its target.
            RunOnLinux(L"Z:\\bin\\rm", {"-f", "--", unixLink}, [&] { return !FileExists(link); });
        }
    }
    // A change notification still open on the folder (the framework keeps one for a few milliseconds after a
    // listing) holds back its removal under Wine; try again until it has closed rather than leave the folder behind.
    const DWORD start = GetTickCount();
    RemoveTree(path_);
    while (GetFileAttributesW(LongForm(path_).c_str()) != INVALID_FILE_ATTRIBUTES && GetTickCount() - start < 10000) {
        Sleep(10);
        RemoveTree(path_);
    }
}

std::string TempFolder::PathUtf8() const
{
    return Narrow(path_);
}

std::wstring TempFolder::PathOf(const std::wstring& name) const
{
    return path_ + L"\\" + name;
}

std::wstring TempFolder::MakeFile(const std::wstring& name, const std::string& bytes) const
{
    const std::wstring path = PathOf(name);
    HANDLE file = CreateFileW(LongForm(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        throw std::runtime_error("cannot create a test file");
    }
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return path;
}

std::wstring TempFolder::MakeFolder(const std::wstring& name) const
{
    const std::wstring path = PathOf(name);
    if (!CreateDirectoryW(LongForm(path).c_str(), nullptr)) {
        throw std::runtime_error("cannot create a test folder");
    }
    return path;
}

std::wstring TempFolder::MakeLink(const std::wstring& name, const std::wstring& target)
{
    const std::wstring link = PathOf(name);
    const std::string unixLink = UnixPath(link);
    if (unixLink.empty()) {
        const DWORD attributes = GetFileAttributesW(LongForm(target).c_str());
        const DWORD folder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0
                                 ? SYMBOLIC_LINK_FLAG_DIRECTORY
                                 : 0;
        if (!CreateSymbolicLinkW(LongForm(link).c_str(), LongForm(target).c_str(), folder)) {
            throw std::runtime_error("cannot create a test link");
        }
    } else if (!RunOnLinux(L"Z:\\bin\\ln", {"-s", "--", UnixPath(target), unixLink},
                           [&] { return FileExists(link); })) {
        throw std::runtime_error("cannot create a test link");
    }
    links_.push_back(link);
    return link;
}

std::wstring LongForm(const std::wstring& path)
{
    return L"\\\\?\\" + path;
}

bool FileExists(const std::wstring& path)
{
    return GetFileAttributesW(LongForm(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::wstring> ListNames(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(LongForm(folder + L"\\*.*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L"..") {
            names.push_back(name);
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return names;
}
