// The pruning run: validation, folder checks, the three modes and the pruning pass.
#include "PruneRun.h"

#include <vector>

#include "core/BackgroundTask.h"
#include "DemoList.h"
#include "ItemsByName.h"
#include "text/Numbers.h"
#include "text/Strings.h"
#include "ui/MsgBox.h"

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

// A pruning pass refuses a list that holds a demo without a player field; that is reported, and the run ends.
bool Pruned(bool passDone)
{
    if (!passDone) {
        MsgBox(kEmptyPlayer);
    }
    return passDone;
}

// Every deletion of the run: a demo that stays is kept in `undeleted`, when that is given, for the last message.
void DeleteDemo(int32_t index, std::vector<Ref<FolderItem>>* undeleted)
{
    if (!(*DemoList)[index]->Delete() && undeleted != nullptr) {
        undeleted->push_back((*DemoList)[index]);
    }
}

// One walk over DemoList in its order: in each run of equal challenge keys, the first `keep` demos of each group
// stay and the later ones of that group are deleted. groupOf(i) gives entry i's group, 0 to groups - 1, or -1 for
// a demo that the walk neither counts nor deletes.
template <class GroupOf>
void PruneByGroup(int32_t keep, size_t groups, GroupOf groupOf, std::vector<Ref<FolderItem>>* undeleted)
{
    // A group's count belongs to the challenge run in which it was last counted, and starts at 0 in a new one.
    std::vector<int32_t> kept(groups, 0);
    std::vector<int32_t> countedIn(groups, 0);
    int32_t run = 1;
    std::string currentKey = ChallengeKeyOf(1);
    for (int32_t i = 1; i <= DemoCount; ++i) {
        const std::string& key = ChallengeKeyOf(i);
        if (!StrEquals(key, currentKey)) {
            currentKey = key;
            ++run;
        }
        const int32_t group = groupOf(i);
        if (group >= 0) {
            const size_t g = static_cast<size_t>(group);
            if (countedIn[g] != run) {
                countedIn[g] = run;
                kept[g] = 0;
            }
            if (kept[g] == keep) {
                DeleteDemo(i, undeleted);
            } else {
                ++kept[g];
            }
        }
        // After every demo, as in every pass. The passes that one walk stands for would call it once more per
        // demo and pass with nothing done in between, and the hook works at most once per tick anyway.
        BackgroundTaskHook();
    }
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

    std::vector<Ref<FolderItem>> undeleted;
    if (!settings.onlyPlayer && !settings.limitPerPlayer) {
        if (!Pruned(PruneDemos(perChallenge, std::string(), &undeleted))) {
            return;
        }
    } else if (settings.onlyPlayer) {
        if (!Pruned(PruneDemos(perChallenge, settings.playerName, &undeleted))) {
            return;
        }
    } else {
        if (!Pruned(PruneEachPlayer(perPlayer, &undeleted))) {
            return;
        }
        // A rescan that finds no demo left ends the run without a message.
        if (!ScanWithinCapacity() || DemoCount == 0) {
            return;
        }
        SortDemos();
        if (!Pruned(PruneDemos(perChallenge, std::string(), &undeleted))) {
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
    PruneByGroup(keep, 1, [&](int32_t i) { return player.empty() || StrEquals(PlayerFieldOf(i), player) ? 0 : -1; },
                 undeleted);
    return true;
}

bool PruneEachPlayer(int32_t keep, std::vector<Ref<FolderItem>>* undeleted)
{
    if (!EveryDemoHasPlayer()) {
        return false;
    }
    // After a scan that found demos, entry 1 holds a name and an empty entry follows the last one.
    PlayerIndex players;
    int32_t count = 0;
    do {
        ++count;
        players.Add(count);
    } while (!(*PlayerList)[count + 1].empty());
    PruneByGroup(keep, static_cast<size_t>(count), [&](int32_t i) { return players.Find(PlayerFieldOf(i)) - 1; },
                 undeleted);
    return true;
}
