// The pruning run: validation, folder checks, the three modes and the pruning pass.
#include "PruneRun.h"

#include "BackgroundTask.h"
#include "DemoList.h"
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

constexpr int32_t kMaxFolderItems = 4999;

// A number of at least 1; a NaN compares false and so fails too.
bool AtLeastOne(double number)
{
    return number >= 1;
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
bool PrunePass(int32_t keep, const std::string& player)
{
    if (PruneDemos(keep, player)) {
        return true;
    }
    MsgBox(kEmptyPlayer);
    return false;
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

void PressGo(const MainWinSettings& settings)
{
    const double perChallenge = Val(settings.numPerChallenge);
    if (!AtLeastOne(perChallenge)) {
        MsgBox(kPerChallengeTooSmall);
        return;
    }
    const double perPlayer = Val(settings.numPerPlayer);
    if (!AtLeastOne(perPlayer)) {
        MsgBox(kPerPlayerTooSmall);
        return;
    }
    RunPrune(settings, Int(perChallenge), Int(perPlayer));
}

void RunPrune(const MainWinSettings& settings, int32_t perChallenge, int32_t perPlayer)
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

    if (!settings.onlyPlayer && !settings.limitPerPlayer) {
        if (!PrunePass(perChallenge, std::string())) {
            return;
        }
    } else if (settings.onlyPlayer) {
        if (!PrunePass(perChallenge, settings.playerName)) {
            return;
        }
    } else {
        // After a scan that found demos, entry 1 holds a name and an empty entry follows the last one.
        bool last = false;
        for (int32_t i = 1; !last; ++i) {
            if (!PrunePass(perPlayer, (*PlayerList)[i])) {
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
        if (!PrunePass(perChallenge, std::string())) {
            return;
        }
    }
    MsgBox(kDone);
}

bool PruneDemos(int32_t keep, const std::string& player)
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
                (*DemoList)[i]->Delete();
            } else {
                ++kept;
            }
        }
        BackgroundTaskHook();
    }
    return true;
}
