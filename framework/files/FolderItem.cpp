// File items over the wide Win32 file functions, with paths of any length.
#include "files/FolderItem.h"

#include <windows.h>

#include <climits>
#include <string_view>
#include <utility>
#include <vector>

#include "files/EntryRemoval.h"
#include "files/FolderListing.h"
#include "files/LongPath.h"
#include "files/ProgramFolder.h"
#include "files/TextInputStream.h"
#include "files/TextOutputStream.h"
#include "text/Unicode.h"

namespace {

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
    return ChangeFolder({this}, [this] { return RemoveEntry(path_); });
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
    text = WithoutLongPrefix(std::move(text));

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
