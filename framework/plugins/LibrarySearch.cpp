// Where the program's libraries come from: System32, never a folder that a download or a document shares.
#include "plugins/LibrarySearch.h"

namespace {

typedef BOOL(WINAPI* SetDefaultDllDirectoriesFunction)(DWORD directoryFlags);

// Looked up at run time: the 32-bit program must still start on a Windows 7 without it, and there the
// LOAD_LIBRARY_SEARCH_ flags are missing too.
SetDefaultDllDirectoriesFunction FindSetDefaultDllDirectories() noexcept
{
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    const FARPROC found = kernel != nullptr ? GetProcAddress(kernel, "SetDefaultDllDirectories") : nullptr;
    // Through the generic function pointer type, which converts to any other without a warning.
    return reinterpret_cast<SetDefaultDllDirectoriesFunction>(reinterpret_cast<void (*)()>(found));
}

} // namespace

void LimitLibrarySearch() noexcept
{
    const SetDefaultDllDirectoriesFunction setDefault = FindSetDefaultDllDirectories();
    if (setDefault == nullptr || !setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        SetDllDirectoryW(L"");
    }
}

HMODULE LoadLibraryFromPath(const std::wstring& path) noexcept
{
    // Without the search flags, the library's own folder is searched for its imports before the program's.
    const DWORD flags =
        FindSetDefaultDllDirectories() != nullptr ? LOAD_LIBRARY_SEARCH_SYSTEM32 : LOAD_WITH_ALTERED_SEARCH_PATH;
    return LoadLibraryExW(path.c_str(), nullptr, flags);
}
