// Folder listings kept between calls, with a change notification per kept folder and a cheap clock between polls.
#include "files/FolderListing.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "core/Handle.h"

namespace {

constexpr size_t kMaxKeptFolders = 4;
constexpr int kMaxRearms = 4;
// A poll costs tens of microseconds under Wine; a dense walk of a folder makes a call every few microseconds.
constexpr double kPollIntervalSeconds = 0.001;
constexpr double kPauseSeconds = 0.00005;
// Under Wine, as on Windows without POSIX delete semantics, a folder with an open notification handle is not removed
// until the handle closes, so a listing is kept only while its folder is in use.
constexpr std::chrono::milliseconds kIdleLife(20);

std::atomic<uint64_t> ownChanges{0};
std::atomic<uint64_t> lastOwner{0};

int64_t Ticks()
{
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return counter.QuadPart;
}

int64_t TicksFor(double seconds)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<int64_t>(static_cast<double>(frequency.QuadPart) * seconds);
}

// What tells one folder from another at the same path, read without opening it.
struct Identity {
    DWORD attributes = 0;
    FILETIME created{};
    FILETIME written{};

    bool operator==(const Identity& other) const
    {
        return attributes == other.attributes && CompareFileTime(&created, &other.created) == 0 &&
               CompareFileTime(&written, &other.written) == 0;
    }
    bool operator!=(const Identity& other) const { return !(*this == other); }
};

// False when the path names no folder.
bool ReadIdentity(const std::wstring& path, Identity& identity)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        return false;
    }
    identity.attributes = data.dwFileAttributes;
    identity.created = data.ftCreationTime;
    identity.written = data.ftLastWriteTime;
    return true;
}

// False when the folder could not be listed (the names are then empty).
bool ListNow(const std::wstring& path, std::vector<std::wstring>& names)
{
    std::wstring pattern = path;
    if (pattern.back() != L'\\') {
        pattern += L'\\';
    }
    pattern += L"*.*";
    WIN32_FIND_DATAW data;
    FindHandle find(FindFirstFileW(pattern.c_str(), &data));
    if (!find) {
        return false;
    }
    do {
        if (wcscmp(data.cFileName, L".") != 0 && wcscmp(data.cFileName, L"..") != 0) {
            names.emplace_back(data.cFileName);
        }
    } while (FindNextFileW(find.Get(), &data));
    return true;
}

bool Signalled(const ChangeNotification& notification)
{
    return WaitForSingleObject(notification.Get(), 0) != WAIT_TIMEOUT;
}

// Asks for the next change, so that any change from now on signals. Changes that came while nobody asked can
// signal again at once; those are already covered by the listing that follows, so they are taken off too.
bool Rearm(const ChangeNotification& notification)
{
    for (int i = 0; i < kMaxRearms; ++i) {
        if (!FindNextChangeNotification(notification.Get())) {
            return false;
        }
        if (!Signalled(notification)) {
            return true;
        }
    }
    // Still signalled: the next poll lists again, which is never wrong.
    return true;
}

struct KeptFolder {
    std::wstring path;
    uint64_t owner = 0;
    ChangeNotification notification;
    Identity identity;
    FolderEntries entries;
    uint64_t ownChangesSeen = 0;
    int64_t lastPoll = 0;
    int64_t lastCall = 0;
};

// True when path is folder or lies inside it, case ignored as Windows ignores it.
bool IsSameOrInside(const std::wstring& path, const std::wstring& folder)
{
    if (path.size() < folder.size() ||
        CompareStringOrdinal(path.c_str(), static_cast<int>(folder.size()), folder.c_str(),
                             static_cast<int>(folder.size()), TRUE) != CSTR_EQUAL) {
        return false;
    }
    return path.size() == folder.size() || path[folder.size()] == L'\\' || folder.back() == L'\\';
}

class KeptFolders {
public:
    KeptFolders() = default;
    KeptFolders(const KeptFolders&) = delete;
    KeptFolders& operator=(const KeptFolders&) = delete;

    void Start()
    {
        std::lock_guard<std::mutex> lifecycle(lifecycle_);
        if (keepers_++ > 0) {
            return;
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            keeping_ = true;
        }
        closer_ = std::thread([this] { CloseIdle(); });
    }

    void Stop()
    {
        std::lock_guard<std::mutex> lifecycle(lifecycle_);
        if (--keepers_ > 0) {
            return;
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            keeping_ = false;
        }
        wake_.notify_all();
        closer_.join();
        std::lock_guard<std::mutex> lock(mutex_);
        kept_.clear();
    }

    void Forget(const std::wstring& path)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        kept_.erase(std::remove_if(kept_.begin(), kept_.end(),
                                   [&](const KeptFolder& folder) { return IsSameOrInside(folder.path, path); }),
                    kept_.end());
    }

    FolderEntries List(const std::wstring& path, uint64_t owner)
    {
        const int64_t now = Ticks();
        std::unique_lock<std::mutex> lock(mutex_);
        if (!keeping_) {
            lock.unlock();
            std::vector<std::wstring> names;
            ListNow(path, names);
            return std::make_shared<const std::vector<std::wstring>>(std::move(names));
        }
        // A walk asks the same item again and again: its listing is then the most recent one.
        const size_t found = !kept_.empty() && kept_.front().owner == owner ? 0 : Find(path);
        if (found < kept_.size() && Current(kept_[found], owner, now)) {
            std::rotate(kept_.begin(), kept_.begin() + static_cast<std::ptrdiff_t>(found),
                        kept_.begin() + static_cast<std::ptrdiff_t>(found) + 1);
            return kept_.front().entries;
        }
        KeptFolder folder;
        if (found < kept_.size()) {
            folder = std::move(kept_[found]);
            kept_.erase(kept_.begin() + static_cast<std::ptrdiff_t>(found));
        } else {
            folder.path = path;
        }
        folder.owner = owner;
        const bool keep = Relist(folder);
        FolderEntries entries = folder.entries;
        if (keep) {
            if (kept_.size() == kMaxKeptFolders) {
                kept_.pop_back();
            }
            kept_.insert(kept_.begin(), std::move(folder));
            wake_.notify_all();
        }
        return entries;
    }

private:
    size_t Find(const std::wstring& path) const
    {
        size_t i = 0;
        while (i < kept_.size() && kept_[i].path != path) {
            ++i;
        }
        return i;
    }

    // True when the kept listing is still what a fresh one would give, as far as the rules above can tell.
    bool Current(KeptFolder& folder, uint64_t owner, int64_t now)
    {
        if (folder.owner != owner || folder.ownChangesSeen != ownChanges.load()) {
            return false;
        }
        const bool poll = now - folder.lastPoll >= pollInterval_ || now - folder.lastCall >= pause_;
        folder.lastCall = now;
        if (!poll) {
            return true;
        }
        folder.lastPoll = now;
        if (Signalled(folder.notification)) {
            return false;
        }
        Identity identity;
        if (!ReadIdentity(folder.path, identity) || identity != folder.identity) {
            // Another folder may stand at the path now; the notification watches the old one.
            folder.notification.Reset();
            return false;
        }
        // The pause counts from the end of this poll: a poll slower than the pause (a busy machine makes it so)
        // would otherwise make every following call of a dense loop poll too.
        folder.lastCall = Ticks();
        return true;
    }

    // Lists the folder afresh; true when the listing may be kept.
    static bool Relist(KeptFolder& folder)
    {
        const uint64_t changesBefore = ownChanges.load();
        Identity before;
        const bool isFolder = ReadIdentity(folder.path, before);
        if (isFolder && before != folder.identity) {
            // Perhaps not the folder the notification watches any more.
            folder.notification.Reset();
        }
        if (isFolder && folder.notification) {
            if (!Rearm(folder.notification)) {
                folder.notification.Reset();
            }
        }
        if (isFolder && !folder.notification) {
            folder.notification.Reset(FindFirstChangeNotificationW(
                folder.path.c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME));
        }
        std::vector<std::wstring> names;
        const bool listed = ListNow(folder.path, names);
        folder.entries = std::make_shared<const std::vector<std::wstring>>(std::move(names));
        Identity after;
        const bool unchanged = isFolder && listed && ReadIdentity(folder.path, after) && after == before;
        folder.identity = before;
        folder.ownChangesSeen = changesBefore;
        folder.lastPoll = folder.lastCall = Ticks();
        return unchanged && folder.notification;
    }

    // Runs on a thread of its own while a keeper lives: drops every listing that nobody asked for within kIdleLife.
    void CloseIdle()
    {
        std::unique_lock<std::mutex> lock(mutex_);
        while (keeping_) {
            if (kept_.empty()) {
                wake_.wait(lock);
                continue;
            }
            wake_.wait_for(lock, kIdleLife);
            const int64_t now = Ticks();
            kept_.erase(std::remove_if(kept_.begin(), kept_.end(),
                                       [&](const KeptFolder& folder) { return now - folder.lastCall >= idleLife_; }),
                        kept_.end());
        }
    }

    // Serialises the keepers' starts and stops; taken before mutex_, never while holding it.
    std::mutex lifecycle_;
    int keepers_ = 0;
    std::thread closer_;

    std::mutex mutex_;
    std::condition_variable wake_;
    bool keeping_ = false;
    // Most recently used first.
    std::vector<KeptFolder> kept_;
    const int64_t pollInterval_ = TicksFor(kPollIntervalSeconds);
    const int64_t pause_ = TicksFor(kPauseSeconds);
    const int64_t idleLife_ = TicksFor(std::chrono::duration<double>(kIdleLife).count());
};

KeptFolders& Kept()
{
    static KeptFolders kept;
    return kept;
}

} // namespace

FolderListingKeeper::FolderListingKeeper()
{
    Kept().Start();
}

FolderListingKeeper::~FolderListingKeeper()
{
    Kept().Stop();
}

FolderEntries ListFolder(const std::wstring& win32Path, uint64_t owner)
{
    return Kept().List(win32Path, owner);
}

uint64_t NewFolderListingOwner()
{
    return ++lastOwner;
}

void FolderChanged()
{
    ++ownChanges;
}

void ForgetFolderListings(const std::wstring& win32Path)
{
    Kept().Forget(win32Path);
}
