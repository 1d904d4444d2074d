// Temporary test folders and the plain Win32 file calls the tests check the framework against.
#include "TempFolder.h"

#include <windows.h>

#include <stdexcept>

#include "Unicode.h"

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
