// Measures the pruning run on a big demo folder against plain listings of the same folder.
//   halvard_bench names <count> [<players>]   prints the demo names, one a line, for the folders that bench/run.sh
//                                             makes (36 players unless given)
//   halvard_bench run <work> <runs>           measures over <work>\demos and its copies <work>\prune-<r>,
//                                             <work>\loop-<r> and <work>\safe-<r>, and over <work>\players-50 and
//                                             <work>\players-all,
//                                             the same number of demos by 50 players and by one player each
// The run calls the scan, sort and pruning passes below the message layer, in RunPrune's order, so that no
// message box enters the times and no display is needed.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "core/BackgroundTask.h"
#include "core/Handle.h"
#include "DemoList.h"
#include "DemoNames.h"
#include "files/EntryRemoval.h"
#include "files/FolderItem.h"
#include "files/FolderListing.h"
#include "PruneRun.h"
#include "text/Unicode.h"

namespace {

// A second press with nothing left to delete: no challenge of the generated folders holds this many demos.
constexpr int32_t kKeepEverything = 1000;
// A first press in the per-player mode.
constexpr int32_t kPerPlayer = 2;
constexpr int32_t kPerChallenge = 5;

double Now()
{
    static const double ticksPerMs = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / ticksPerMs;
}

double Median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    const size_t middle = times.size() / 2;
    return times.size() % 2 == 1 ? times[middle] : (times[middle - 1] + times[middle]) / 2;
}

std::vector<std::wstring> ListFolder(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    FindHandle find(FindFirstFileW((folder + L"\\*.*").c_str(), &data));
    if (!find) {
        return names;
    }
    do {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L"..") {
            names.push_back(name);
        }
    } while (FindNextFileW(find.Get(), &data));
    return names;
}

[[noreturn]] void Fail(const std::string& what)
{
    std::fprintf(stderr, "halvard_bench: %s\n", what.c_str());
    std::exit(1);
}

void Report(const char* what, int demos, const std::vector<double>& times, double listing, const std::string& extra = "")
{
    const double median = Median(times);
    std::printf("BENCH %-26s demos=%d runs=%zu median_ms=%.2f listings=%.2f%s\n", what, demos, times.size(), median,
                median / listing, extra.c_str());
    std::fflush(stdout);
}

void ScanOrFail()
{
    if (!ScanDemoFolder() || DemoCount == 0) {
        Fail("the scan found no demos or too many");
    }
}

void PruneOrFail(int32_t keep, const std::string& player)
{
    if (!PruneDemos(keep, player)) {
        Fail("a demo without a player field");
    }
}

// What a press of "Go!" does after validation, up to the "Done!" box.
void PressAllPlayers(const std::wstring& folder, int32_t keep)
{
    DemoFolder = GetFolderItem(Narrow(folder));
    if (!DemoFolderProblem(DemoFolder).empty()) {
        Fail("the demo folder fails the run's checks");
    }
    ScanOrFail();
    SortDemos();
    PruneOrFail(keep, std::string());
}

void PressPerPlayer(const std::wstring& folder, int32_t perPlayer, int32_t perChallenge)
{
    DemoFolder = GetFolderItem(Narrow(folder));
    if (!DemoFolderProblem(DemoFolder).empty()) {
        Fail("the demo folder fails the run's checks");
    }
    ScanOrFail();
    SortDemos();
    if (!PruneEachPlayer(perPlayer)) {
        Fail("a demo without a player field");
    }
    if (!ScanDemoFolder()) {
        Fail("the rescan found too many demos");
    }
    if (DemoCount == 0) {
        return;
    }
    SortDemos();
    PruneOrFail(perChallenge, std::string());
}

// A press in the per-player mode that keeps every demo, over a folder of `count` demos.
std::vector<double> KeepEveryPlayer(const std::wstring& folder, int count, int runs)
{
    std::vector<double> times;
    for (int r = 0; r < runs; ++r) {
        const double start = Now();
        PressPerPlayer(folder, kKeepEverything, kKeepEverything);
        times.push_back(Now() - start);
    }
    if (static_cast<int>(ListFolder(folder).size()) != count) {
        Fail("a press that keeps everything deleted demos");
    }
    return times;
}

int PrintNames(int count, int players)
{
    for (const std::string& name : MakeDemoNames(count, players, 1)) {
        std::printf("%s\n", name.c_str());
    }
    return 0;
}

int Run(const std::wstring& work, int runs)
{
    const FolderListingKeeper listings;
    CreateDemoLists();
    const std::wstring demos = work + L"\\demos";
    const std::vector<std::wstring> all = ListFolder(demos);
    const int count = static_cast<int>(all.size());
    if (count == 0) {
        Fail("no demos in " + Narrow(demos));
    }

    std::vector<double> listing;
    for (int r = 0; r < std::max(runs, 7); ++r) {
        const double start = Now();
        ListFolder(demos);
        listing.push_back(Now() - start);
    }
    const double oneListing = Median(listing);
    Report("listing", count, listing, oneListing);

    std::vector<double> hook;
    {
        constexpr int kCalls = 1000000;
        const double start = Now();
        for (int i = 0; i < kCalls; ++i) {
            BackgroundTaskHook();
        }
        hook.push_back((Now() - start) * 1e6 / kCalls);
    }
    std::printf("BENCH %-26s ns_per_call=%.1f\n", "background_hook", hook[0]);

    std::vector<double> scan;
    std::vector<double> sort;
    for (int r = 0; r < runs; ++r) {
        DemoFolder = GetFolderItem(Narrow(demos));
        const double start = Now();
        ScanOrFail();
        const double scanned = Now();
        SortDemos();
        sort.push_back(Now() - scanned);
        scan.push_back(scanned - start);
    }
    Report("scan", count, scan, oneListing);
    Report("sort_listing_order", count, sort, oneListing);

    // Wine and NTFS both list a folder in the order the sort gives, so the sort's worst case, a listing order
    // unrelated to the names (as other file systems give), is made by shuffling the scanned list.
    std::vector<double> shuffledSort;
    std::mt19937 random(7);
    for (int r = 0; r < std::min(runs, 3); ++r) {
        std::vector<Ref<FolderItem>> items;
        for (int32_t i = 1; i <= DemoCount; ++i) {
            items.push_back((*DemoList)[i]);
        }
        std::shuffle(items.begin(), items.end(), random);
        for (int32_t i = 1; i <= DemoCount; ++i) {
            (*DemoList)[i] = items[static_cast<size_t>(i) - 1];
        }
        const double start = Now();
        SortDemos();
        shuffledSort.push_back(Now() - start);
    }
    Report("sort_shuffled_order", count, shuffledSort, oneListing);

    std::vector<double> secondPress;
    for (int r = 0; r < runs; ++r) {
        const double start = Now();
        PressAllPlayers(demos, kKeepEverything);
        secondPress.push_back(Now() - start);
    }
    if (static_cast<int>(ListFolder(demos).size()) != count) {
        Fail("the second press deleted demos");
    }
    Report("run_all_players_no_delete", count, secondPress, oneListing);

    std::vector<double> perPlayer;
    std::vector<double> loop;
    std::vector<double> safeLoop;
    size_t deleted = 0;
    for (int r = 1; r <= runs; ++r) {
        const std::wstring pruneFolder = work + L"\\prune-" + std::to_wstring(r);
        const std::wstring loopFolder = work + L"\\loop-" + std::to_wstring(r);
        const std::wstring safeFolder = work + L"\\safe-" + std::to_wstring(r);
        if (static_cast<int>(ListFolder(pruneFolder).size()) != count ||
            static_cast<int>(ListFolder(loopFolder).size()) != count ||
            static_cast<int>(ListFolder(safeFolder).size()) != count) {
            Fail("the copies of the demo folder are not whole");
        }
        const double start = Now();
        PressPerPlayer(pruneFolder, kPerPlayer, kPerChallenge);
        perPlayer.push_back(Now() - start);

        const std::vector<std::wstring> left = ListFolder(pruneFolder);
        const std::set<std::wstring> kept(left.begin(), left.end());
        std::vector<std::wstring> gone;
        for (const std::wstring& name : all) {
            if (kept.count(name) == 0) {
                gone.push_back(loopFolder + L"\\" + name);
            }
        }
        deleted = gone.size();

        // The plain loop: DeleteFileW, which under Wine removes what a link leads to, so the run cannot delete
        // this way; it shows what the check before each removal costs.
        const double loopStart = Now();
        ListFolder(loopFolder);
        for (const std::wstring& path : gone) {
            DeleteFileW(path.c_str());
        }
        const size_t remaining = ListFolder(loopFolder).size();
        loop.push_back(Now() - loopStart);
        if (remaining != kept.size()) {
            Fail("the plain loop left a different folder");
        }

        // The same loop removing each demo as the run must, the entry itself and never what a link leads to: the
        // floor of the run's work.
        const double safeStart = Now();
        ListFolder(safeFolder);
        for (const std::wstring& path : gone) {
            RemoveEntry(safeFolder + path.substr(loopFolder.size()));
        }
        const size_t safeRemaining = ListFolder(safeFolder).size();
        safeLoop.push_back(Now() - safeStart);
        if (safeRemaining != kept.size()) {
            Fail("the loop removing entries left a different folder");
        }
    }
    const std::string deletedText = " deleted=" + std::to_string(deleted);
    Report("loop_list_delete_list", count, loop, oneListing, deletedText);
    Report("loop_list_remove_list", count, safeLoop, oneListing, deletedText);
    char ratio[96];
    std::snprintf(ratio, sizeof ratio, " loop_ratio=%.2f plain_delete_loop_ratio=%.2f",
                  Median(perPlayer) / Median(safeLoop), Median(perPlayer) / Median(loop));
    Report("run_per_player_delete", count, perPlayer, oneListing, deletedText + ratio);

    const std::vector<double> fewPlayers = KeepEveryPlayer(work + L"\\players-50", count, runs);
    Report("run_per_player_keep_50", count, fewPlayers, oneListing, " players=50");
    const std::vector<double> everyPlayer = KeepEveryPlayer(work + L"\\players-all", count, runs);
    std::snprintf(ratio, sizeof ratio, " players=%d ratio_to_50=%.2f", count, Median(everyPlayer) / Median(fewPlayers));
    Report("run_per_player_keep_all", count, everyPlayer, oneListing, ratio);
    ReleaseDemoLists();
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"names" && (argc == 3 || argc == 4)) {
        return PrintNames(std::max(1, _wtoi(argv[2])), argc == 4 ? std::max(1, _wtoi(argv[3])) : kPlayersOfAFolder);
    }
    if (command == L"run" && argc == 4) {
        return Run(argv[2], std::max(1, _wtoi(argv[3])));
    }
    std::fprintf(stderr, "usage: halvard_bench names <count> [<players>] | halvard_bench run <work folder> <runs>\n");
    return 2;
}
