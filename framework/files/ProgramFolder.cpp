// The executable's folder, read from the module file name.
#include "files/ProgramFolder.h"

#include <windows.h>

#include <vector>

std::wstring ExecutablePath()
{
    // The buffer grows until the whole name fits: a program may run from a path longer than MAX_PATH.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return std::wstring();
        }
        if (length < buffer.size()) {
            return std::wstring(buffer.data(), length);
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::wstring ProgramFolder()
{
    std::wstring path = ExecutablePath();
    // A program started through a "\\?\" path reports its name with that prefix; the framework's paths carry none.
    const std::wstring longPrefix = L"\\\\?\\";
    if (path.compare(0, longPrefix.size(), longPrefix) == 0) {
        path.erase(0, longPrefix.size());
        if (path.compare(0, 4, L"UNC\\") == 0) {
            path.replace(0, 3, L"\\");
        }
    }
    const size_t lastSeparator = path.find_last_of(L'\\');
    if (lastSeparator == std::wstring::npos || lastSeparator == 0) {
        return path;
    }
    // A program in a drive's root keeps the separator, so that the folder is that root and not the drive's current directory.
    path.erase(path[lastSeparator - 1] == L':' ? lastSeparator + 1 : lastSeparator);
    return path;
}
