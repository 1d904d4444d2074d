// The folder chooser: the shell's folder dialog opened on the current directory, its path shown in the status line.
#include "HostServices.h"

#include <windows.h>
#include <shlobj.h>

#include <cwchar>

namespace {

// The shell's task allocator, released once.
class ShellAllocator {
public:
    ShellAllocator() noexcept
    {
        if (FAILED(SHGetMalloc(&malloc_))) {
            malloc_ = nullptr;
        }
    }
    ~ShellAllocator()
    {
        if (malloc_ != nullptr) {
            malloc_->Release();
        }
    }
    ShellAllocator(const ShellAllocator&) = delete;
    ShellAllocator& operator=(const ShellAllocator&) = delete;

    IMalloc* Get() const noexcept { return malloc_; }

private:
    IMalloc* malloc_ = nullptr;
};

// An item list that the shell allocated and the caller must free through the same allocator.
class ItemList {
public:
    ItemList(IMalloc* malloc, PIDLIST_ABSOLUTE list) noexcept : malloc_(malloc), list_(list) {}
    ~ItemList()
    {
        if (list_ != nullptr) {
            malloc_->Free(list_);
        }
    }
    ItemList(const ItemList&) = delete;
    ItemList& operator=(const ItemList&) = delete;

    PIDLIST_ABSOLUTE Get() const noexcept { return list_; }

private:
    IMalloc* malloc_;
    PIDLIST_ABSOLUTE list_;
};

int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM lParam, LPARAM) noexcept
{
    char path[MAX_PATH];
    if (message == BFFM_INITIALIZED) {
        // A directory longer than the buffer comes back as the size it needs and no path: then select nothing,
        // and the shell's default selection stands.
        const DWORD length = GetCurrentDirectoryA(MAX_PATH, path);
        if (length != 0 && length < MAX_PATH) {
            SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(path));
        }
    } else if (message == BFFM_SELCHANGED) {
        if (SHGetPathFromIDListA(reinterpret_cast<PCIDLIST_ABSOLUTE>(lParam), path)) {
            SendMessageA(dialog, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(path));
        }
    }
    return 0;
}

// The ANSI form of a path, only when the host reads it back as exactly that path: the shell's own ANSI path swaps
// characters the code page lacks for look-alikes (a full-width full stop for ".", a full-width backslash for "\"),
// which name another folder. Read back rather than converted without best fit, a flag a UTF-8 code page refuses.
bool ExactAnsiPath(const wchar_t* wide, char (&path)[MAX_PATH]) noexcept
{
    if (WideCharToMultiByte(CP_ACP, 0, wide, -1, path, MAX_PATH, nullptr, nullptr) == 0) {
        return false;
    }
    wchar_t readBack[MAX_PATH];
    return MultiByteToWideChar(CP_ACP, 0, path, -1, readBack, MAX_PATH) != 0 && std::wcscmp(readBack, wide) == 0;
}

// Runs the dialog and reads the chosen folder's path. The item list and the allocator are given back before it
// returns, whatever happened.
bool BrowseForPath(char (&path)[MAX_PATH]) noexcept
{
    ShellAllocator allocator;
    if (allocator.Get() == nullptr) {
        return false;
    }
    BROWSEINFOA info = {};
    info.hwndOwner = GetForegroundWindow();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
    info.lpfn = BrowseCallback;
    const ItemList chosen(allocator.Get(), SHBrowseForFolderA(&info));
    if (chosen.Get() == nullptr) {
        return false;
    }
    wchar_t wide[MAX_PATH];
    return SHGetPathFromIDListW(chosen.Get(), wide) && ExactAnsiPath(wide, path);
}

} // namespace

extern "C" FolderItem* SelectFolder() noexcept
{
    char path[MAX_PATH];
    if (!BrowseForPath(path)) {
        return nullptr;
    }
    return FolderItemFromPath(path);
}
