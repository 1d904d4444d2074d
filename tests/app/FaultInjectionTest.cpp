// File-system faults during a pruning run: items that refuse to go, folders that move or grow under the run,
// paths beyond MAX_PATH and names the ANSI code page cannot hold.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "DemoList.h"
#include "files/FolderItem.h"
#include "plugins/PluginRegistry.h"
#include "PruneRun.h"
#include "support/MessageBoxWatcher.h"
#include "support/TempFolder.h"
#include "text/Unicode.h"

namespace {

std::wstring Number(int n, int width)
{
    std::wstring text = std::to_wstring(n);
    return std::wstring(static_cast<size_t>(width) - std::min(text.size(), static_cast<size_t>(width)), L'0') + text;
}

// A demo whose name sorts by challenge, then by its sequence number.
std::wstring Demo(int challenge, int sequence, const std::wstring& player)
{
    return L"c" + Number(challenge, 2) + L"]" + Number(sequence, 4) + L"(" + player + L".x).dm_68";
}

MainWinSettings Settings(const std::string& path, const char* perChallenge, const char* perPlayer, bool onlyPlayer,
                       bool limitPerPlayer)
{
    MainWinSettings settings;
    settings.demoPath = path;
    settings.numPerChallenge = perChallenge;
    settings.numPerPlayer = perPlayer;
    settings.playerName = "ann";
    settings.onlyPlayer = onlyPlayer;
    settings.limitPerPlayer = limitPerPlayer;
    return settings;
}

class FaultInjectionTest : public testing::Test {
protected:
    void SetUp() override { CreateDemoLists(); }
    void TearDown() override { ReleaseDemoLists(); }

    MessageBoxWatcher watcher_;
};

// Read-only, held open without sharing, or a folder with something in it: the item stays, the run goes on, and
// the per-player rescan counts it as still there.
TEST_F(FaultInjectionTest, ItemsThatRefuseToGoStayAndAreCountedByTheRescan)
{
    enum class Fault { kReadOnly, kHeldOpen, kFullFolder };
    for (const Fault fault : {Fault::kReadOnly, Fault::kHeldOpen, Fault::kFullFolder}) {
        SCOPED_TRACE(static_cast<int>(fault));
        TempFolder temp;
        const std::wstring stubborn = Demo(1, 2, L"ann");
        temp.MakeFile(Demo(1, 1, L"ann"));
        temp.MakeFile(Demo(1, 3, L"ann"));
        temp.MakeFile(Demo(1, 4, L"bob"));
        temp.MakeFile(Demo(1, 5, L"cat"));
        HANDLE held = INVALID_HANDLE_VALUE;
        switch (fault) {
        case Fault::kReadOnly:
            SetFileAttributesW(temp.MakeFile(stubborn, "keep me").c_str(), FILE_ATTRIBUTE_READONLY);
            break;
        case Fault::kHeldOpen:
            held = CreateFileW(temp.MakeFile(stubborn, "keep me").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
            ASSERT_NE(held, INVALID_HANDLE_VALUE);
            break;
        case Fault::kFullFolder:
            temp.MakeFolder(stubborn);
            temp.MakeFile(stubborn + L"\\inside.txt", "keep me");
            break;
        }
        // Per player 1: ann's 0002 and 0003 are surplus; 0002 cannot go. The rescan then sees 0001, 0002, 0004 and
        // 0005, and the per-challenge limit of 3 removes 0005 only.
        PressGo(Settings(temp.PathUtf8(), "3", "1", false, true));
        if (held != INVALID_HANDLE_VALUE) {
            CloseHandle(held);
        }
        EXPECT_EQ(watcher_.Texts(), std::vector<std::string>{"Done!\r\n1 demo could not be deleted."});
        watcher_.Clear();
        EXPECT_EQ(ListNames(temp.Path()),
                  (std::vector<std::wstring>{Demo(1, 1, L"ann"), stubborn, Demo(1, 4, L"bob")}));
        const std::wstring inside = fault == Fault::kFullFolder ? stubborn + L"\\inside.txt" : stubborn;
        HANDLE check = CreateFileW(temp.PathOf(inside).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(check, INVALID_HANDLE_VALUE);
        char bytes[16] = {};
        DWORD read = 0;
        ReadFile(check, bytes, sizeof bytes, &read, nullptr);
        CloseHandle(check);
        EXPECT_EQ(std::string(bytes, read), "keep me");
    }
}

// The run's own view of the folder may go stale under it; whatever another process does, the run must not crash
// and must never delete a demo that the rules keep.
TEST_F(FaultInjectionTest, FolderMovedOrDeletedDuringTheRunIsSurvived)
{
    enum class Race { kRename, kRenameAndBack, kDeleteTree };
    constexpr int kChallenges = 6;
    constexpr int kPerChallenge = 40;
    int round = 0;
    for (const Race race : {Race::kRename, Race::kRenameAndBack, Race::kDeleteTree, Race::kRename,
                            Race::kRenameAndBack}) {
        for (const bool perPlayer : {false, true}) {
            SCOPED_TRACE("race " + std::to_string(static_cast<int>(race)) + ", round " + std::to_string(round));
            TempFolder temp;
            const std::wstring folder = temp.MakeFolder(L"demos");
            const std::wstring moved = temp.PathOf(L"moved");
            std::vector<std::wstring> keepers;
            for (int c = 1; c <= kChallenges; ++c) {
                for (int s = 1; s <= kPerChallenge; ++s) {
                    const std::wstring name = Demo(c, s, s % 2 == 0 ? L"ann" : L"bob");
                    temp.MakeFile(L"demos\\" + name);
                    // Per challenge 2 and (per-player mode) per player 1: the first two of each challenge stay.
                    if (s <= 2) {
                        keepers.push_back(name);
                    }
                }
            }
            // The racer acts at a different point of the run each round: once the run has deleted something, or
            // part-way through the scan.
            std::atomic<bool> stop{false};
            const int waitPolls = 1 + 7 * round++;
            std::thread racer([&] {
                for (int poll = 0; poll < waitPolls && !stop; ++poll) {
                    Sleep(20);
                }
                if (race == Race::kDeleteTree) {
                    for (const std::wstring& name : ListNames(folder)) {
                        DeleteFileW(LongForm(folder + L"\\" + name).c_str());
                    }
                    RemoveDirectoryW(LongForm(folder).c_str());
                    return;
                }
                MoveFileW(folder.c_str(), moved.c_str());
                if (race == Race::kRenameAndBack) {
                    Sleep(30);
                    MoveFileW(moved.c_str(), folder.c_str());
                }
            });
            PressGo(Settings(Narrow(folder), "2", "1", false, perPlayer));
            stop = true;
            racer.join();
            const std::vector<std::string> texts = watcher_.Texts();
            watcher_.Clear();
            ASSERT_LE(texts.size(), 1u);
            if (!texts.empty()) {
                EXPECT_TRUE(texts[0] == "Done!" || texts[0] == "No demos found in demo directory." ||
                            texts[0] == "Demo directory doesn't exist.")
                    << texts[0];
            }
            if (race == Race::kDeleteTree) {
                continue;
            }
            const std::wstring where = FileExists(folder) ? folder : moved;
            for (const std::wstring& name : keepers) {
                EXPECT_TRUE(FileExists(where + L"\\" + name)) << Narrow(name) << " was deleted";
            }
        }
    }
}

// Another program adds or removes entries that sort before the walk's position while the run scans: the entries
// after it move, and the walk meets an item again or passes one over. Neither may cost a demo the rules keep; a demo
// passed over is not part of the run, and neither is an entry added where the walk had already been.
TEST_F(FaultInjectionTest, EntriesAddedOrRemovedBeforeTheWalksPositionCostNoKeptDemo)
{
    constexpr int kChallenges = 20;
    constexpr int kPerChallenge = 20;
    constexpr int kEntries = 400;
    for (const bool adding : {true, false}) {
        for (const bool perPlayer : {false, true}) {
            SCOPED_TRACE(std::string(adding ? "adding" : "removing") + (perPlayer ? ", per player" : ""));
            TempFolder temp;
            // "!" sorts before every demo name.
            std::vector<std::wstring> early;
            for (int n = 0; n < kEntries; ++n) {
                early.push_back(n % 2 == 0 ? L"!" + Number(n, 4) + L".txt" : L"!" + Number(n, 4) + L"](new.x).dm_68");
                if (!adding) {
                    temp.MakeFile(early.back());
                }
            }
            for (int c = 1; c <= kChallenges; ++c) {
                for (int s = 1; s <= kPerChallenge; ++s) {
                    temp.MakeFile(Demo(c, s, s % 2 == 0 ? L"ann" : L"bob"));
                }
            }
            std::atomic<bool> stop{false};
            std::vector<std::wstring> added;
            // Each entry added sorts before all others, and each one removed is the first: wherever the walk is,
            // the change lies behind it.
            std::thread writer([&] {
                for (int n = 0; n < kEntries && !stop; ++n) {
                    if (adding) {
                        added.push_back(early[static_cast<size_t>(kEntries - 1 - n)]);
                        temp.MakeFile(added.back());
                    } else {
                        DeleteFileW(temp.PathOf(early[static_cast<size_t>(n)]).c_str());
                    }
                }
            });
            // Per challenge 3 and (per-player mode) per player 2: the first three of each challenge stay.
            PressGo(Settings(temp.PathUtf8(), "3", "2", false, perPlayer));
            stop = true;
            writer.join();
            EXPECT_EQ(watcher_.Texts(), std::vector<std::string>{"Done!"});
            watcher_.Clear();
            for (int c = 1; c <= kChallenges; ++c) {
                for (int s = 1; s <= 3; ++s) {
                    const std::wstring name = Demo(c, s, s % 2 == 0 ? L"ann" : L"bob");
                    EXPECT_TRUE(FileExists(temp.PathOf(name))) << Narrow(name) << " was deleted";
                }
            }
            // Each added demo is alone in its challenge: whether the walk met it or not, it stays.
            for (const std::wstring& name : added) {
                EXPECT_TRUE(FileExists(temp.PathOf(name))) << Narrow(name) << " was deleted";
            }
            std::vector<std::string> scanned;
            for (int32_t i = 1; i <= DemoCount; ++i) {
                scanned.push_back((*DemoList)[i]->Name());
            }
            std::sort(scanned.begin(), scanned.end());
            EXPECT_EQ(std::adjacent_find(scanned.begin(), scanned.end()), scanned.end()) << "an item stored twice";
            if (perPlayer) {
                continue;
            }
            // The one pass worked on this scan: a demo that the walk passed over was not tried.
            for (int c = 1; c <= kChallenges; ++c) {
                for (int s = 1; s <= kPerChallenge; ++s) {
                    const std::wstring name = Demo(c, s, s % 2 == 0 ? L"ann" : L"bob");
                    if (!std::binary_search(scanned.begin(), scanned.end(), Narrow(name))) {
                        EXPECT_TRUE(FileExists(temp.PathOf(name))) << Narrow(name) << " was passed over and deleted";
                    }
                }
            }
        }
    }
}

// Smaller lists stand in for the 5000 entries, so that a folder that passed the item check can offer more demos or
// player names than the lists hold, both in the first scan and in the per-player rescan.
class SmallListsTest : public FaultInjectionTest {
protected:
    void UseLists(int32_t upperBound)
    {
        DemoList = MakeRef<Array<Ref<FolderItem>>>(upperBound);
        PlayerList = MakeRef<Array<std::string>>(upperBound);
    }
};

TEST_F(SmallListsTest, MoreDemosOrPlayersThanTheListsHoldStopTheRunBeforeAnyDeletion)
{
    const struct {
        int demos;
        int players;
    } cases[] = {{11, 1}, {30, 2}, {10, 10}, {12, 12}, {10, 9}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.demos) + " demos, " + std::to_string(c.players) + " players");
        UseLists(10);
        TempFolder temp;
        for (int i = 1; i <= c.demos; ++i) {
            temp.MakeFile(Demo(1, i, L"p" + std::to_wstring(i % c.players)));
        }
        for (const bool limitPerPlayer : {false, true}) {
            ASSERT_NO_THROW(PressGo(Settings(temp.PathUtf8(), "1", "1", false, limitPerPlayer)));
            const bool fits = c.demos <= 10 && c.players <= 9;
            EXPECT_EQ(watcher_.Texts(),
                      std::vector<std::string>{fits ? "Done!"
                                                    : "5000 or more files in demo directory... What the hell are you "
                                                      "doing?!?"});
            watcher_.Clear();
            EXPECT_EQ(ListNames(temp.Path()).size(), fits ? 1u : static_cast<size_t>(c.demos));
        }
    }
}

// A folder that keeps growing while the run scans and rescans it: the run ends with one of its messages, never
// past the lists' last entry, and neither the demos the rules keep nor anything added meanwhile is deleted.
TEST_F(SmallListsTest, FolderGrowingDuringScanAndRescanEndsSafely)
{
    for (int round = 0; round < 6; ++round) {
        SCOPED_TRACE(round);
        UseLists(40);
        TempFolder temp;
        std::vector<std::wstring> keepers;
        for (int c = 1; c <= 4; ++c) {
            for (int s = 1; s <= 8; ++s) {
                temp.MakeFile(Demo(c, s, s % 2 == 0 ? L"ann" : L"bob"));
                if (s <= 2) {
                    keepers.push_back(Demo(c, s, s % 2 == 0 ? L"ann" : L"bob"));
                }
            }
        }
        // Each added demo is alone in a challenge of its own, so the rules keep it whenever it is seen.
        std::atomic<bool> stop{false};
        std::vector<std::wstring> added;
        std::thread grower([&] {
            Sleep(static_cast<DWORD>(5 * round));
            for (int n = 0; n < 40 && !stop; ++n) {
                const std::wstring name = Demo(50 + n, 1, L"new" + std::to_wstring(n));
                temp.MakeFile(name);
                added.push_back(name);
                Sleep(1);
            }
        });
        ASSERT_NO_THROW(PressGo(Settings(temp.PathUtf8(), "2", "1", false, round % 2 == 0)));
        stop = true;
        grower.join();
        const std::vector<std::string> texts = watcher_.Texts();
        watcher_.Clear();
        ASSERT_LE(texts.size(), 1u);
        EXPECT_LE(DemoCount, 40);
        for (const std::wstring& name : keepers) {
            EXPECT_TRUE(FileExists(temp.PathOf(name))) << Narrow(name) << " was deleted";
        }
        for (const std::wstring& name : added) {
            EXPECT_TRUE(FileExists(temp.PathOf(name))) << Narrow(name) << " was deleted";
        }
    }
}

// Beyond MAX_PATH: a deep demo folder and long demo names are pruned like any other.
TEST_F(FaultInjectionTest, PathsLongerThanMaxPathArePruned)
{
    TempFolder temp;
    std::wstring relative;
    while (temp.Path().size() + relative.size() < 300) {
        relative += (relative.empty() ? L"" : L"\\") + std::wstring(40, L'd');
        temp.MakeFolder(relative);
    }
    const std::wstring longTail(150, L'x');
    for (int s = 1; s <= 4; ++s) {
        temp.MakeFile(relative + L"\\" + Demo(1, s, L"ann" + longTail));
    }
    PressGo(Settings(Narrow(temp.PathOf(relative)), "2", "1", false, false));
    EXPECT_EQ(watcher_.Texts(), std::vector<std::string>{"Done!"});
    EXPECT_EQ(ListNames(temp.PathOf(relative)),
              (std::vector<std::wstring>{Demo(1, 1, L"ann" + longTail), Demo(1, 2, L"ann" + longTail)}));
}

// Browse hands over the folder's path in the ANSI code page; letters it cannot hold come back as "?", which must
// name no folder at all, not match one as a wildcard.
TEST_F(FaultInjectionTest, FolderNameOutsideTheAnsiCodePageDoesNotExist)
{
    TempFolder temp;
    const std::wstring name = L"\x5730\x56F3";
    temp.MakeFolder(name);
    temp.MakeFile(name + L"\\" + Demo(1, 1, L"ann"));
    temp.MakeFile(name + L"\\" + Demo(1, 2, L"ann"));
    const std::wstring wide = temp.PathOf(name);
    const int size = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, &ansi[0], size, nullptr, nullptr);
    ansi.resize(static_cast<size_t>(size) - 1);
    if (ansi.find('?') == std::string::npos) {
        GTEST_SKIP() << "the ANSI code page holds these letters";
    }
    using FolderItemFromPathFunction = FolderItem* (*)(const char*);
    const auto fromPath = reinterpret_cast<FolderItemFromPathFunction>(PluginServiceLookup("FolderItemFromPath"));
    ASSERT_NE(fromPath, nullptr);
    const Ref<FolderItem> chosen = Ref<FolderItem>::Adopt(fromPath(ansi.c_str()));
    ASSERT_TRUE(chosen);
    EXPECT_FALSE(chosen->Exists());
    for (const bool limitPerPlayer : {false, true}) {
        PressGo(Settings(chosen->AbsolutePath(), "1", "1", false, limitPerPlayer));
        EXPECT_EQ(watcher_.Texts(), std::vector<std::string>{"Demo directory doesn't exist."});
        watcher_.Clear();
    }
    EXPECT_EQ(ListNames(wide).size(), 2u);
    // The same holds for wildcards typed into the path field.
    for (const char* typed : {"*", "?\xe5\x9b\xb3", "<", "\"*"}) {
        PressGo(Settings(temp.PathUtf8() + "\\" + typed, "1", "1", false, false));
        EXPECT_EQ(watcher_.Texts(), std::vector<std::string>{"Demo directory doesn't exist."}) << typed;
        watcher_.Clear();
    }
    EXPECT_EQ(ListNames(wide).size(), 2u);
}

} // namespace
