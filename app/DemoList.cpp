// The demo scan and sort, and the lists they fill.
#include "DemoList.h"

#include <utility>

#include "BackgroundTask.h"
#include "Strings.h"

Ref<FolderItem> DemoFolder;
Ref<Array<Ref<FolderItem>>> DemoList;
int32_t DemoCount = 0;
Ref<Array<std::string>> PlayerList;

void CreateDemoLists()
{
    DemoList = MakeRef<Array<Ref<FolderItem>>>(kDemoListUpperBound);
    PlayerList = MakeRef<Array<std::string>>(kDemoListUpperBound);
    DemoCount = 0;
}

void ReleaseDemoLists()
{
    DemoList = nullptr;
    PlayerList = nullptr;
    DemoFolder = nullptr;
    DemoCount = 0;
}

std::string ExtractField(const std::string& source, const std::string& startDelimiter,
                         const std::string& endDelimiter, bool waitForStart)
{
    std::string result;
    bool capturing = !waitForStart;
    for (int32_t position = 1; position <= Len(source); ++position) {
        const std::string character = Mid(source, position, 1);
        if (capturing) {
            result += character;
        } else if (StrEquals(character, startDelimiter)) {
            capturing = true;
        }
        if (capturing && StrEquals(character, endDelimiter)) {
            return Left(result, Len(result) - 1);
        }
        BackgroundTaskHook();
    }
    return result;
}

std::string ChallengeKey(const std::string& demoName)
{
    return ExtractField(demoName, std::string(), "]", false);
}

std::string PlayerField(const std::string& demoName)
{
    return ExtractField(demoName, "(", ".", true);
}

bool IsDemoName(const std::string& name)
{
    return StrEquals(Right(name, 5), "dm_68");
}

namespace {

// Index of the name in PlayerList (1 to nameCount), or 0 when it is not there yet.
int32_t FindPlayer(const std::string& player, int32_t nameCount)
{
    for (int32_t i = 1; i <= nameCount; ++i) {
        if (StrEquals((*PlayerList)[i], player)) {
            return i;
        }
        BackgroundTaskHook();
    }
    return 0;
}

} // namespace

bool ScanDemoFolder()
{
    // The run checked for fewer than 5000 items before the walk, but the folder can grow while it is walked
    // (and the per-player rescan checks nothing), so the lists' bounds are enforced here.
    const int32_t maxDemos = DemoList->UpperBound();
    const int32_t maxPlayers = PlayerList->UpperBound() - 1; // the end entry needs an index too
    DemoCount = 0;
    int32_t nameCount = 0;
    for (int32_t index = 1; index <= DemoFolder->Count(); ++index) {
        // An item deleted after Count was asked gives nil; it is no longer there to prune.
        const Ref<FolderItem> item = DemoFolder->Item(index);
        if (item && IsDemoName(item->Name())) {
            const std::string player = PlayerField(item->Name());
            const bool newPlayer = FindPlayer(player, nameCount) == 0;
            if (DemoCount >= maxDemos || (newPlayer && nameCount >= maxPlayers)) {
                return false;
            }
            if (newPlayer) {
                ++nameCount;
                (*PlayerList)[nameCount] = player;
                (*PlayerList)[nameCount + 1] = std::string();
            }
            ++DemoCount;
            (*DemoList)[DemoCount] = item;
        }
        BackgroundTaskHook();
    }
    return true;
}

void SortDemos()
{
    Array<Ref<FolderItem>>& list = *DemoList;
    bool exchanged = true;
    while (exchanged) {
        exchanged = false;
        for (int32_t j = 1; j <= DemoCount - 1; ++j) {
            if (StrCompare(list[j]->Name(), list[j + 1]->Name()) > 0) {
                std::swap(list[j], list[j + 1]);
                exchanged = true;
            }
            BackgroundTaskHook();
        }
        BackgroundTaskHook();
    }
}
