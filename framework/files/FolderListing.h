// Folder listings kept between calls while change notifications vouch that the folder has not changed.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One listing: names other than "." and "..", in the order FindFirstFileW and FindNextFileW give them.
using FolderEntries = std::shared_ptr<const std::vector<std::wstring>>;

// Listings are kept between calls only while a keeper lives: the program's run holds one (RunProgram), and so does a
// test program that uses FolderItem outside that run. The first keeper starts a thread that drops the listings nobody
// asked for lately; the last one stops that thread and drops every kept listing. Without a keeper every call lists
// afresh.
class FolderListingKeeper {
public:
    FolderListingKeeper();
    ~FolderListingKeeper();
    FolderListingKeeper(const FolderListingKeeper&) = delete;
    FolderListingKeeper& operator=(const FolderListingKeeper&) = delete;
};

// The entries of the folder at win32Path (a "\\?\" path), as a fresh listing would give them, within this bound:
//  - A change made through any FolderItem of this program (each goes through FolderItem::ChangeFolder) shows at
//    the very next call, for every folder.
//  - Any other change (another process, or a direct Win32 call in this one) shows at the first call that comes
//    after Windows has signalled the folder's change notification and at least 1 ms after the previous poll of
//    that notification or at least 50 us after the end of the previous call for that folder. So a dense loop of
//    calls polls about once a millisecond, and a call after any pause polls at once.
// A listing is kept only while a change notification is open on the folder and the folder's identity (attributes,
// creation and last-write time) read before and after the listing agree; every poll checks that identity again,
// so a folder replaced or renamed away is listed afresh. A call from a different owner (another FolderItem for the
// same path) lists afresh. At most four folders are kept, the least recently used going first, and none longer than
// 20 ms after its last call; a file, a missing folder or one that cannot be watched is listed afresh at every call.
// While a listing is kept its folder has a change notification open on it, which under Wine (and on Windows without
// POSIX delete semantics) holds back the folder's own removal until the handle closes.
FolderEntries ListFolder(const std::wstring& win32Path, uint64_t owner);

// A fresh owner identity for ListFolder, never given out twice.
uint64_t NewFolderListingOwner();

// FolderItem::ChangeFolder tells the cache of this program's own changes through these two, and nothing else does.
// After an entry is added, removed or renamed in any folder: every kept listing is made again at its next call.
void FolderChanged();
// Before an item that may be a folder is removed or renamed: drops the listings of that folder and of any folder
// inside it, closing their notification handles, so that they do not hold the folder back.
void ForgetFolderListings(const std::wstring& win32Path);
