// File items over the wide Win32 file functions, with paths of any length.
#include "files/FolderItem.h"

#include <windows.h>
#include <winternl.h>

#include <climits>
#include <cstring>
#include <string_view>
#include <utility>
#include <vector>

#include "files/FolderListing.h"
#include "files/ProgramFolder.h"
#include "files/TextInputStream.h"
#include "files/TextOutputStream.h"
#include "text/Unicode.h"

namespace {

const std::wstring kLongPrefix = L"\\\\?\\";
const std::wstring kLongUncPrefix = L"\\\\?\\UNC\\";

bool IsDrivePath(const std::wstring& path)
{
    return path.size() >= 2 && path[1] == L':' &&
           ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z'));
}

bool IsUncPath(const std::wstring& path)
{
    return path.size() >= 2 && path[0] == L'\\' && path[1] == L'\\';
}

std::vector<std::wstring> SplitComponents(const std::wstring& text)
{
    std::vector<std::wstring> parts;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(L'\\', start);
        if (end == std::wstring::npos) {
            end = text.size();
        }
        if (end > start) {
            parts.push_back(text.substr(start, end - start));
        }
        start = end + 1;
    }
    return parts;
}

// An absolute path ("X:..." or "\\server\share...") in its one canonical form: separators single, "." dropped,
// ".." applied (never above the root), no trailing separator except after a drive letter.
std::wstring Canonical(const std::wstring& absolute)
{
    std::wstring root;
    std::vector<std::wstring> parts;
    if (IsDrivePath(absolute)) {
        // "C:demos" counts from the drive's root: the framework's paths never depend on a current directory.
        root = absolute.substr(0, 2) + L"\\";
        parts = SplitComponents(absolute.substr(2));
    } else {
        // Server and share form the root of a network path; ".." cannot climb above them.
        std::vector<std::wstring> all = SplitComponents(absolute);
        root = L"\\";
        size_t rootParts = 0;
        while (rootParts < 2 && rootParts < all.size()) {
            root += L"\\" + all[rootParts];
            ++rootParts;
        }
        parts.assign(all.begin() + static_cast<std::ptrdiff_t>(rootParts), all.end());
    }

    std::vector<std::wstring> kept;
    for (const std::wstring& part : parts) {
        if (part == L".") {
            continue;
        }
        if (part == L"..") {
            if (!kept.empty()) {
                kept.pop_back();
            }
            continue;
        }
        kept.push_back(part);
    }

    std::wstring result = root;
    for (size_t i = 0; i < kept.size(); ++i) {
        if (i > 0 || result.back() != L'\\') {
            result += L'\\';
        }
        result += kept[i];
    }
    return result;
}

// The root of the program's own path: "C:" or "\\server\share".
std::wstring ProgramRoot()
{
    const std::wstring folder = ProgramFolder();
    if (IsDrivePath(folder)) {
        return folder.substr(0, 2);
    }
    const std::vector<std::wstring> parts = SplitComponents(folder);
    std::wstring root;
    for (size_t i = 0; i < 2 && i < parts.size(); ++i) {
        root += L"\\" + parts[i];
    }
    return L"\\" + root;
}

// The last component, without a trailing separator; the stored path is canonical, so only a drive root has one.
std::wstring_view LastComponent(const std::wstring& path)
{
    std::wstring_view trimmed = path;
    if (trimmed.size() > 1 && trimmed.back() == L'\\') {
        trimmed.remove_suffix(1);
    }
    const size_t separator = trimmed.find_last_of(L'\\');
    return separator == std::wstring_view::npos ? trimmed : trimmed.substr(separator + 1);
}

// The "\\?\" form of a canonical full path, which the Win32 calls take without a length limit.
std::wstring LongPath(const std::wstring& path)
{
    if (IsUncPath(path)) {
        return kLongUncPrefix + path.substr(2);
    }
    return kLongPrefix + path;
}

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
        return kLongPrefix + name.substr(dosForm.size());
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

// Removes the entry at the canonical `path` (`win32Path` in the "\\?\" form) and nothing else. Windows opens a link
// itself here; Wine follows a link to a file or folder all the same, and removing what it opened (as DeleteFileW
// does there) would remove the target outside the folder. The handle's final path tells which object was opened.
bool DeleteEntry(const std::wstring& path, const std::wstring& win32Path)
{
    const size_t separator = path.find_last_of(L'\\');
    if (separator == std::wstring::npos || separator + 1 == path.size()) {
        return false; // a drive root is no entry of a folder
    }
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

} // namespace

FolderItem::FolderItem(std::wstring fullPath)
    : path_(std::move(fullPath)), name_(Narrow(LastComponent(path_))), listingOwner_(NewFolderListingOwner())
{
}

template <class Change>
auto FolderItem::ChangeFolder(std::initializer_list<const FolderItem*> leaving, Change change) const
{
    for (const FolderItem* item : leaving) {
        ForgetFolderListings(item->Win32Path());
    }
    struct Told {
        ~Told() { FolderChanged(); }
    } told;
    return change();
}

const std::wstring& FolderItem::Win32Path() const
{
    // The "\\?\" form lifts the MAX_PATH limit; the stored path is already canonical, as that form requires.
    if (win32Path_.empty()) {
        win32Path_ = LongPath(path_);
    }
    return win32Path_;
}

bool FolderItem::IsFolder() const
{
    const DWORD attributes = GetFileAttributesW(Win32Path().c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string FolderItem::AbsolutePath() const
{
    std::string path = Narrow(path_);
    if (path.back() != '\\' && IsFolder()) {
        path += '\\';
    }
    return path;
}

bool FolderItem::Exists() const
{
    const std::wstring& win32Path = Win32Path();
    if (GetFileAttributesW(win32Path.c_str()) != INVALID_FILE_ATTRIBUTES) {
        return true;
    }
    // A file that another program holds open exclusively refuses its attributes but is still listed by its folder.
    // The listing reads "*", "?", "<", ">" and '"' as wildcards, which no name can hold: such a path names nothing
    // (an ANSI path from the folder dialog carries "?" for every letter its code page lacks).
    if (path_.find_first_of(L"*?<>\"") != std::wstring::npos) {
        return false;
    }
    WIN32_FIND_DATAW data;
    FindHandle find(FindFirstFileW(win32Path.c_str(), &data));
    return static_cast<bool>(find);
}

int32_t FolderItem::Count() const
{
    const size_t count = ListFolder(Win32Path(), listingOwner_)->size();
    return count > INT32_MAX ? INT32_MAX : static_cast<int32_t>(count);
}

Ref<FolderItem> FolderItem::Item(int32_t index) const
{
    if (index < 1) {
        return nullptr;
    }
    const FolderEntries entries = ListFolder(Win32Path(), listingOwner_);
    const std::vector<std::wstring>& names = *entries;
    if (static_cast<size_t>(index) > names.size()) {
        return nullptr;
    }
    const std::wstring& name = names[static_cast<size_t>(index) - 1];
    std::wstring child;
    child.reserve(path_.size() + 1 + name.size());
    child = path_;
    if (child.back() != L'\\') {
        child += L'\\';
    }
    child += name;
    return MakeRef<FolderItem>(std::move(child));
}

bool FolderItem::Delete() const
{
    const std::wstring& win32Path = Win32Path();
    return ChangeFolder({this}, [&] { return DeleteEntry(path_, win32Path); });
}

Ref<TextOutputStream> FolderItem::CreateTextFile() const
{
    FileHandle file = ChangeFolder({}, [this] {
        return FileHandle(CreateFileW(Win32Path().c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    });
    if (!file) {
        return nullptr;
    }
    return MakeRef<TextOutputStream>(std::move(file));
}

Ref<TextInputStream> FolderItem::OpenAsTextFile() const
{
    // Opening a folder without FILE_FLAG_BACKUP_SEMANTICS fails on Windows; the explicit test keeps that true everywhere.
    if (IsFolder()) {
        return nullptr;
    }
    FileHandle file(CreateFileW(Win32Path().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return nullptr;
    }
    return MakeRef<TextInputStream>(std::move(file));
}

bool FolderItem::ReplaceWith(const FolderItem& source) const
{
    const std::wstring& from = source.Win32Path();
    const std::wstring& to = Win32Path();
    // Windows refuses to replace a read-only file; Wine's MoveFileExW does not, so the rule is kept here.
    const DWORD attributes = GetFileAttributesW(to.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return false;
    }
    {
        // MOVEFILE_WRITE_THROUGH makes only the rename durable; the data it points at is flushed here.
        FileHandle file(CreateFileW(from.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file || !FlushFileBuffers(file.Get())) {
            return false;
        }
    }
    return ChangeFolder({&source, this}, [&] {
        return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    });
}

Ref<FolderItem> GetFolderItem(const std::string& path)
{
    if (path.find('\0') != std::string::npos) {
        return nullptr;
    }
    std::wstring text = Widen(path);
    for (wchar_t& c : text) {
        if (c == L'/') {
            c = L'\\';
        }
    }
    // A path typed in its long form names the same item as without the prefix.
    if (text.compare(0, kLongUncPrefix.size(), kLongUncPrefix) == 0) {
        text.replace(0, kLongUncPrefix.size(), L"\\\\");
    } else if (text.compare(0, kLongPrefix.size(), kLongPrefix) == 0) {
        text.erase(0, kLongPrefix.size());
    }

    std::wstring absolute;
    if (IsDrivePath(text) || IsUncPath(text)) {
        absolute = text;
    } else if (!text.empty() && text[0] == L'\\') {
        absolute = ProgramRoot() + text;
    } else {
        absolute = ProgramFolder() + L"\\" + text;
    }
    return MakeRef<FolderItem>(Canonical(absolute));
}
