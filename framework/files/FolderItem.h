// A reference to a file or folder by its full path; it keeps no handle open and may name nothing.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

#include "core/Object.h"

class TextInputStream;
class TextOutputStream;

class FolderItem : public Object {
public:
    // fullPath: an absolute native path without a trailing separator (except a drive root such as "C:\").
    explicit FolderItem(std::wstring fullPath);

    // The last component of the path, read without touching the disk.
    const std::string& Name() const noexcept { return name_; }
    // The full path, ending in "\" exactly when it names an existing folder.
    std::string AbsolutePath() const;
    bool Exists() const;
    // Entries of the folder other than "." and ".."; 0 for a file or a missing folder. Count and Item answer as a
    // fresh listing would, within the bound that FolderListing.h states, without listing the folder at every call.
    int32_t Count() const;
    // The index-th entry (1-based) in the order of the platform listing; nil outside 1..Count.
    Ref<FolderItem> Item(int32_t index) const;
    // Removes this entry of its folder, a file or an empty folder, never what a link here leads to: the entry is
    // opened without following links and removed through that handle only when the opened object is this very
    // entry of the folder. True when it went; a failure raises nothing.
    bool Delete() const;
    // Creates or empties the file; nil when it cannot.
    Ref<TextOutputStream> CreateTextFile() const;
    // Opens an existing file for reading; nil when it cannot.
    Ref<TextInputStream> OpenAsTextFile() const;
    // Puts the file `source` in this item's place in one step, replacing a file that is here: the source's data
    // reaches the disk first, so a failure or a crash leaves either the old file or the new one whole, never
    // neither. False when it cannot (this item is a folder, is read-only or held open, or the source is missing).
    bool ReplaceWith(const FolderItem& source) const;

    const std::wstring& NativePath() const noexcept { return path_; }

private:
    // The path in the "\\?\" form that the Win32 calls take, so that no length limit applies; made when first
    // needed, since most items a listing gives are never asked for more than their Name.
    const std::wstring& Win32Path() const;
    bool IsFolder() const;
    // Every operation that adds, removes or renames an entry makes its change inside `change` here, so that the
    // listings Count and Item reuse never miss one: the listings of the items in `leaving` (those the change may
    // remove or rename away) are dropped first, since their change notifications would hold those items back, and
    // every kept listing is made again afterwards, whether the change worked, failed or threw.
    template <class Change>
    auto ChangeFolder(std::initializer_list<const FolderItem*> leaving, Change change) const;

    std::wstring path_;
    mutable std::wstring win32Path_;
    std::string name_;
    // Whose listing of this folder Count and Item may reuse: this item's own, never another item's.
    uint64_t listingOwner_;
};

// Drive-letter paths are used as they are, a single leading "\" is taken on the executable's
// drive, and anything else (the empty path too) is relative to the executable's folder.
// A trailing "\" is ignored, "/" is read as "\", and "." and ".." components are resolved.
// Only a path holding a NUL character gives nil.
Ref<FolderItem> GetFolderItem(const std::string& path);
