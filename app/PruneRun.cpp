// The pruning run: validation, folder checks, the three modes and the pruning pass.
#include "PruneRun.h"

#include "BackgroundTask.h"
#include "DemoList.h"
#include "ItemsByName.h"
#include "MsgBox.h"
#include "Numbers.h"
#include "Strings.h"

namespace {

const char kPerChallengeTooSmall[] = "Number to keep per challenge must be 1 or more.";
const char kPerPlayerTooSmall[] = "Number to keep per player must be 1 or more.";
const char kNoFolder[] = "Demo directory doesn't exist.";
const char kNoDemos[] = "No demos found in demo directory.";
const char kTooManyItems[] = "5000 or more files in demo directory... What the hell are you doing?!?";
const char kEmptyPlayer[] = "Zorazizadirer: unrecoverable error";
const char kDone[] = "Done!";
const char kOneUndeleted[] = " demo could not be deleted.";
const char kUndeleted[] = " demos could not be deleted.";

constexpr int32_t kMaxFolderItems = 4999;

// True when the text reads as a number of at least 1; a NaN compares false and so fails too.
bool AtLeastOne(const std::string& text)
{
    return Val(text) >= 1;
}

// A demo with an empty player field would end PlayerList early and cannot be pruned per player, so a pass
// refuses the whole list before it deletes anything.
bool EveryDemoHasPlayer()
{
    for (int32_t i = 1; i <= DemoCount; ++i) {
        if (PlayerFieldOf(i).empty()) {
            return false;
        }
    }
    return true;
}

// A scan whose demos all fit the lists. A folder that grew past their capacity during the walk is reported as
// too full, before any deletion that the partial list would cause.
bool ScanWithinCapacity()
{
    if (ScanDemoFolder()) {
        return true;
    }
    MsgBox(kTooManyItems);
    return false;
}

// One pruning pass; a list holding a demo without a player field is reported instead, and the run ends.
bool PrunePass(int32_t keep, const std::string& player, std::vector<Ref<FolderItem>>& undeleted)
{
    if (PruneDemos(keep, player, &undeleted)) {
        return true;
    }
    MsgBox(kEmptyPlayer);
    return false;
}

// "Done!", and on a second line how many of the demos that the run could not delete are still there.
std::string DoneText(const std::vector<Ref<FolderItem>>& undeleted)
{
    // Both passes of the per-player mode may try the same demo, each time through an item of its own scan.
    ItemsByName counted;
    int32_t stillThere = 0;
    for (const Ref<FolderItem>& demo : undeleted) {
        if (counted.Insert(demo.Get()) && demo->Exists()) {
            ++stillThere;
        }
    }
    if (stillThere == 0) {
        return kDone;
    }
    return std::string(kDone) + "\r\n" + std::to_string(stillThere) + (stillThere == 1 ? kOneUndeleted : kUndeleted);
}

} // namespace

std::string DemoFolderProblem(const Ref<FolderItem>& folder)
{
    if (!folder || !folder->Exists()) {
        return kNoFolder;
    }
    const int32_t count = folder->Count();
    if (count == 0) {
        return kNoDemos;
    }
    if (count > kMaxFolderItems) {
        return kTooManyItems;
    }
    return std::string();
}

void PressGo(const PruneSettings& settings)
{
    if (!AtLeastOne(settings.numPerChallenge)) {
        MsgBox(kPerChallengeTooSmall);
        return;
    }
    if (!AtLeastOne(settings.numPerPlayer)) {
        MsgBox(kPerPlayerTooSmall);
        return;
    }
    RunPrune(settings);
}

void RunPrune(const PruneSettings& settings)
{
    DemoFolder = GetFolderItem(settings.demoPath);
    const std::string problem = DemoFolderProblem(DemoFolder);
    if (!problem.empty()) {
        MsgBox(problem);
        return;
    }
    if (!ScanWithinCapacity()) {
        return;
    }
    if (DemoCount == 0) {
        MsgBox(kNoDemos);
        return;
    }
    SortDemos();

    const int32_t perChallenge = Int(Val(settings.numPerChallenge));
    std::vector<Ref<FolderItem>> undeleted;
    if (!settings.onlyPlayer && !settings.limitPerPlayer) {
        if (!PrunePass(perChallenge, std::string(), undeleted)) {
            return;
        }
    } else if (settings.onlyPlayer) {
        if (!PrunePass(perChallenge, settings.playerName, undeleted)) {
            return;
        }
    } else {
        const int32_t perPlayer = Int(Val(settings.numPerPlayer));
        // After a scan that found demos, entry 1 holds a name and an empty entry follows the last one.
        bool last = false;
        for (int32_t i = 1; !last; ++i) {
            if (!PrunePass(perPlayer, (*PlayerList)[i], undeleted)) {
                return;
            }
            last = (*PlayerList)[i + 1].empty();
            BackgroundTaskHook();
        }
        // A rescan that finds no demo left ends the run without a message.
        if (!ScanWithinCapacity() || DemoCount == 0) {
            return;
        }
        SortDemos();
        if (!PrunePass(perChallenge, std::string(), undeleted)) {
            return;
        }
    }
    MsgBox(DoneText(undeleted));
}

bool PruneDemos(int32_t keep, const std::string& player, std::vector<Ref<FolderItem>>* undeleted)
{
    if (!EveryDemoHasPlayer()) {
        return false;
    }
    std::string currentKey = ChallengeKeyOf(1);
    int32_t kept = 0;
    for (int32_t i = 1; i <= DemoCount; ++i) {
        const std::string& key = ChallengeKeyOf(i);
        if (!StrEquals(key, currentKey)) {
            currentKey = key;
            kept = 0;
        }
        if (player.empty() || StrEquals(PlayerFieldOf(i), player)) {
            if (kept == keep) {
                // A demo that stays is passed over as if it had gone: the kept count does not change.
                if (!(*DemoList)[i]->Delete() && undeleted != nullptr) {
                    undeleted->push_back((*DemoList)[i]);
                }
            } else {
                ++kept;
            }
        }
        BackgroundTaskHook();
    }
    return true;
}
