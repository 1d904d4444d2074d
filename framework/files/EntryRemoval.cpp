// Removing one entry of a folder by its handle, after checking that the handle holds that very entry.
#include "files/EntryRemoval.h"

#include <windows.h>
#include <winternl.h>

#include <cstring>
#include <vector>

#include "core/Handle.h"
#include "files/LongPath.h"

namespace {

// The object's name as the native layer holds it; empty when it cannot say.
std::wstring ObjectName(HANDLE handle)
{
    std::vector<unsigned char> buffer(sizeof(UNICODE_STRING) + 1024);
    for (;;) {
        ULONG size = 0;
        const NTSTATUS status = NtQueryObject(handle, ObjectNameInformation, buffer.data(),
                                              static_cast<ULONG>(buffer.size()), &size);
        if (status >= 0) {
            UNICODE_STRING name;
            std::memcpy(&name, buffer.data(), sizeof name);
            return std::wstring(name.Buffer, name.Length / sizeof(wchar_t));
        }
        if (size <= buffer.size()) {
            return std::wstring();
        }
        buffer.resize(size);
    }
}

// Where the system says an open file or folder is, in the "\\?\" form of LongPath; empty when it cannot say.
std::wstring FinalPath(HANDLE handle)
{
    // Wine names a file by its DOS path behind \??\ and makes GetFinalPathNameByHandleW's answer from that name, but
    // fails beyond MAX_PATH; the name itself serves at any length and for less. Windows names the volume device there.
    const std::wstring dosForm = L"\\??\\";
    const std::wstring name = ObjectName(handle);
    if (name.compare(0, dosForm.size(), dosForm) == 0) {
        return LongPath(name.substr(dosForm.size()));
    }
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD size = GetFinalPathNameByHandleW(handle, &path[0], static_cast<DWORD>(path.size()),
                                                     FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (size == 0) {
            return std::wstring();
        }
        if (size < path.size()) {
            path.resize(size);
            return path;
        }
        path.resize(size); // too small: size counts the terminating null
    }
}

// Whether the object at `finalPath` is the entry `name` of the folder at `folderPath`, which the call opens to learn
// where it really is. Names are compared exactly, as they are on disk: a case-sensitive folder may hold a "Demos"
// beside a "demos", or an "A.dm_68" beside an "a.dm_68".
bool IsEntryOf(const std::wstring& finalPath, const std::wstring& folderPath, const std::wstring& name)
{
    FileHandle folder(CreateFileW(LongPath(folderPath).c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!folder) {
        return false;
    }
    std::wstring expected = FinalPath(folder.Get());
    if (expected.empty()) {
        return false;
    }
    if (expected.back() != L'\\') {
        expected += L'\\';
    }
    return finalPath == expected + name;
}

} // namespace

bool RemoveEntry(const std::wstring& path)
{
    const size_t separator = path.find_last_of(L'\\');
    if (separator == std::wstring::npos || separator + 1 == path.size()) {
        return false; // a drive root is no entry of a folder
    }
    const std::wstring win32Path = LongPath(path);
    FileHandle entry(CreateFileW(win32Path.c_str(), DELETE | FILE_READ_ATTRIBUTES,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!entry) {
        return false;
    }
    const std::wstring finalPath = FinalPath(entry.Get());
    if (finalPath.empty()) {
        return false;
    }
    // Where the path leads without a link, a short name or another case on the way, the object is that entry; only
    // otherwise is the folder opened to learn where it really is.
    if (finalPath != win32Path) {
        const std::wstring folder = separator == 2 && IsDrivePath(path) ? path.substr(0, 3) : path.substr(0, separator);
        if (!IsEntryOf(finalPath, folder, path.substr(separator + 1))) {
            return false;
        }
    }
    FILE_DISPOSITION_INFO disposition{TRUE};
    return SetFileInformationByHandle(entry.Get(), FileDispositionInfo, &disposition, sizeof disposition) != FALSE;
}

