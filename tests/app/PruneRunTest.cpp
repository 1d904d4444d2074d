// The pruning run over real demo folders, with its real message boxes read and dismissed.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "DemoList.h"
#include "PruneRun.h"
#include "support/MessageBoxWatcher.h"
#include "support/TempFolder.h"
#include "text/Unicode.h"

namespace {

const char kDone[] = "Done!";
const char kPerChallenge[] = "Number to keep per challenge must be 1 or more.";
const char kPerPlayer[] = "Number to keep per player must be 1 or more.";
const char kNoFolder[] = "Demo directory doesn't exist.";
const char kNoDemos[] = "No demos found in demo directory.";
const char kTooMany[] = "5000 or more files in demo directory... What the hell are you doing?!?";
const char kEmptyPlayer[] = "Zorazizadirer: unrecoverable error";

using Names = std::vector<std::wstring>;

// Four demos of challenge m in name order, d1 and d3 by ann, d2 by bob, d4 by cat, and two of challenge n.
const Names kWorkedExample = {
    L"m]1(ann.1).dm_68", L"m]2(bob.1).dm_68", L"m]3(ann.2).dm_68", L"m]4(cat.1).dm_68",
    L"n]1(ann.1).dm_68", L"n]2(ann.2).dm_68",
};

enum class Mode { AllPlayers, OnePlayer, PerPlayer, BothBoxes };

MainWinSettings Settings(const TempFolder& folder, Mode mode, const std::string& perChallenge,
                       const std::string& perPlayer = "1", const std::string& player = "")
{
    MainWinSettings settings;
    settings.demoPath = folder.PathUtf8();
    settings.numPerChallenge = perChallenge;
    settings.numPerPlayer = perPlayer;
    settings.playerName = player;
    settings.onlyPlayer = mode == Mode::OnePlayer || mode == Mode::BothBoxes;
    settings.limitPerPlayer = mode == Mode::PerPlayer || mode == Mode::BothBoxes;
    return settings;
}

class PruneRunTest : public testing::Test {
protected:
    void SetUp() override { CreateDemoLists(); }
    void TearDown() override { ReleaseDemoLists(); }

    void Fill(const Names& names)
    {
        for (const std::wstring& name : names) {
            folder_.MakeFile(name);
        }
    }
    // The names left in the folder, in ordinal order (the listing's own order folds case).
    Names Remaining() const { return Sorted(ListNames(folder_.Path())); }
    static Names Sorted(Names names)
    {
        std::sort(names.begin(), names.end());
        return names;
    }
    // Presses Go and gives back the texts of the message boxes it showed.
    std::vector<std::string> Press(const MainWinSettings& settings)
    {
        watcher_.Clear();
        PressGo(settings);
        return watcher_.Texts();
    }

    TempFolder folder_;
    MessageBoxWatcher watcher_;
};

TEST_F(PruneRunTest, WorkedExampleInEveryModeAndASecondPressDeletesNothing)
{
    const struct {
        const char* what;
        Mode mode;
        std::string perChallenge;
        std::string perPlayer;
        std::string player;
        Names remaining;
    } cases[] = {
        {"all players, keep 2", Mode::AllPlayers, "2", "1", "ann",
         {L"m]1(ann.1).dm_68", L"m]2(bob.1).dm_68", L"n]1(ann.1).dm_68", L"n]2(ann.2).dm_68"}},
        {"one player ann, keep 1", Mode::OnePlayer, "1", "1", "ann",
         {L"m]1(ann.1).dm_68", L"m]2(bob.1).dm_68", L"m]4(cat.1).dm_68", L"n]1(ann.1).dm_68"}},
        {"both boxes is one player, name in capitals", Mode::BothBoxes, "1", "5", "ANN",
         {L"m]1(ann.1).dm_68", L"m]2(bob.1).dm_68", L"m]4(cat.1).dm_68", L"n]1(ann.1).dm_68"}},
        {"per player 1, per challenge 2", Mode::PerPlayer, "2", "1", "",
         {L"m]1(ann.1).dm_68", L"m]2(bob.1).dm_68", L"n]1(ann.1).dm_68"}},
        {"one player, empty name prunes everyone", Mode::OnePlayer, "1", "1", "",
         {L"m]1(ann.1).dm_68", L"n]1(ann.1).dm_68"}},
        {"one player matching nobody", Mode::OnePlayer, "1", "1", "zed", kWorkedExample},
        {"name is not trimmed", Mode::OnePlayer, "1", "1", "ann ", kWorkedExample},
        {"3e9 keeps everything", Mode::AllPlayers, "3e9", "1", "", kWorkedExample},
        {"1.5 counts as 1, 2abc as 2", Mode::PerPlayer, "1.5", "2abc", "",
         {L"m]1(ann.1).dm_68", L"n]1(ann.1).dm_68"}},
        {"&h1F is 31", Mode::AllPlayers, "&h1F", "1", "", kWorkedExample},
    };
    for (const auto& c : cases) {
        Fill(kWorkedExample);
        const MainWinSettings settings = Settings(folder_, c.mode, c.perChallenge, c.perPlayer, c.player);
        EXPECT_EQ(Press(settings), std::vector<std::string>{kDone}) << c.what;
        EXPECT_EQ(Remaining(), Sorted(c.remaining)) << c.what;
        EXPECT_EQ(Press(settings), std::vector<std::string>{kDone}) << c.what << ", second press";
        EXPECT_EQ(Remaining(), Sorted(c.remaining)) << c.what << ", second press";
        for (const std::wstring& name : Remaining()) {
            DeleteFileW(folder_.PathOf(name).c_str());
        }
    }
}

TEST_F(PruneRunTest, ChallengeKeysDifferingInCaseFormOneChallenge)
{
    Fill({L"MAP]1(a.1).dm_68", L"map]2(b.1).DM_68", L"Map]3(c.1).dm_68", L"mapx]1(a.1).dm_68"});
    EXPECT_EQ(Press(Settings(folder_, Mode::AllPlayers, "2")), std::vector<std::string>{kDone});
    EXPECT_EQ(Remaining(), Sorted({L"MAP]1(a.1).dm_68", L"map]2(b.1).DM_68", L"mapx]1(a.1).dm_68"}));
}

TEST_F(PruneRunTest, ValidationShowsOneMessageAndTouchesNothing)
{
    Fill(kWorkedExample);
    const struct {
        std::string perChallenge;
        std::string perPlayer;
        Mode mode;
        const char* message;
    } cases[] = {
        {"", "1", Mode::AllPlayers, kPerChallenge},
        {"abc", "1", Mode::AllPlayers, kPerChallenge},
        {"0", "1", Mode::AllPlayers, kPerChallenge},
        {"-1", "1", Mode::AllPlayers, kPerChallenge},
        {"0.99", "1", Mode::AllPlayers, kPerChallenge},
        {" &h1F", "1", Mode::AllPlayers, kPerChallenge},
        {"nan", "1", Mode::AllPlayers, kPerChallenge},
        {"0", "0", Mode::PerPlayer, kPerChallenge},
        {"1", "0", Mode::AllPlayers, kPerPlayer},
        {"1", "0.5", Mode::OnePlayer, kPerPlayer},
        {"1", "", Mode::PerPlayer, kPerPlayer},
    };
    for (const auto& c : cases) {
        MainWinSettings settings = Settings(folder_, c.mode, c.perChallenge, c.perPlayer, "ann");
        EXPECT_EQ(Press(settings), std::vector<std::string>{c.message}) << c.perChallenge << " / " << c.perPlayer;
        // Validation comes before the folder is even looked at.
        settings.demoPath = folder_.PathUtf8() + "\\missing";
        EXPECT_EQ(Press(settings), std::vector<std::string>{c.message}) << c.perChallenge << " / " << c.perPlayer;
    }
    EXPECT_EQ(Remaining().size(), kWorkedExample.size());
}

TEST_F(PruneRunTest, FolderChecksEndTheRunWithTheirMessage)
{
    folder_.MakeFolder(L"empty");
    folder_.MakeFolder(L"nodemos");
    folder_.MakeFile(L"nodemos\\notes.txt");
    folder_.MakeFolder(L"nodemos\\sub.dm_6");
    folder_.MakeFile(L"file(a.1).dm_68");
    const std::string base = folder_.PathUtf8();
    const struct {
        std::string path;
        const char* message;
    } cases[] = {
        {base + "\\missing", kNoFolder},
        {base + "\\missing\\deeper\\", kNoFolder},
        {base + std::string("\\a\0b", 4), kNoFolder},
        {base + "\\file(a.1).dm_68", kNoDemos},
        {base + "\\empty", kNoDemos},
        {base + "\\nodemos", kNoDemos},
    };
    for (const auto& c : cases) {
        MainWinSettings settings = Settings(folder_, Mode::AllPlayers, "1");
        settings.demoPath = c.path;
        EXPECT_EQ(Press(settings), std::vector<std::string>{c.message}) << c.path;
    }
    EXPECT_TRUE(FileExists(folder_.PathOf(L"file(a.1).dm_68")));
}

TEST_F(PruneRunTest, FolderOfFiveThousandItemsIsRefusedAndOneLessPasses)
{
    // Items of any kind count; all but one are plain files, so that the refused run would delete plenty.
    folder_.MakeFile(L"m]1(ann.1).dm_68");
    for (int i = 0; i < 4998; ++i) {
        folder_.MakeFile(L"m]x(ann." + std::to_wstring(i) + L").dm_68");
    }
    const Ref<FolderItem> folder = GetFolderItem(folder_.PathUtf8());
    ASSERT_EQ(folder->Count(), 4999);
    EXPECT_EQ(DemoFolderProblem(folder), "");
    folder_.MakeFolder(L"sub");
    EXPECT_EQ(DemoFolderProblem(folder), kTooMany);
    EXPECT_EQ(Press(Settings(folder_, Mode::AllPlayers, "1")), std::vector<std::string>{kTooMany});
    EXPECT_EQ(folder->Count(), 5000);
}

TEST_F(PruneRunTest, ReadOnlyDemoStaysAndTheRunGoesOn)
{
    const Names demos = {L"m]1(ann.1).dm_68", L"m]2(ann.2).dm_68", L"m]3(bob.1).dm_68"};
    const std::wstring readOnly = folder_.PathOf(demos[1]);
    const struct {
        Mode mode;
        std::string perChallenge;
    } cases[] = {
        // The failed delete does not count as kept: m]3 is still deleted.
        {Mode::AllPlayers, "1"},
        // The per-player pass fails to delete m]2, so the rescan counts it and the final pass deletes bob's m]3.
        {Mode::PerPlayer, "2"},
    };
    for (const auto& c : cases) {
        Fill(demos);
        SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
        EXPECT_EQ(Press(Settings(folder_, c.mode, c.perChallenge, "1")),
                  std::vector<std::string>{"Done!\r\n1 demo could not be deleted."});
        EXPECT_EQ(Remaining(), (Names{demos[0], demos[1]}));
        SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
        for (const std::wstring& name : Remaining()) {
            DeleteFileW(folder_.PathOf(name).c_str());
        }
    }
}

TEST_F(PruneRunTest, DemoWithoutPlayerFieldStopsTheRunBeforeAnyDeletion)
{
    // "a]0.dm_68" sorts first and has no "("; "z]" sorts last, after demos that a pass would delete.
    for (const wchar_t* odd : {L"a]0.dm_68", L"z](.dm_68"}) {
        for (Mode mode : {Mode::AllPlayers, Mode::OnePlayer, Mode::PerPlayer}) {
            Fill(kWorkedExample);
            folder_.MakeFile(odd);
            EXPECT_EQ(Press(Settings(folder_, mode, "1", "1", "ann")), std::vector<std::string>{kEmptyPlayer});
            EXPECT_EQ(Remaining().size(), kWorkedExample.size() + 1);
            DeleteFileW(folder_.PathOf(odd).c_str());
        }
    }
}

TEST_F(PruneRunTest, DemosBeyondTheListsCapacityEndTheRunWithNothingDeleted)
{
    // Lists smaller than the folder stand in for a folder that grows past 5000 demos during the run.
    Fill(kWorkedExample);
    DemoList = MakeRef<Array<Ref<FolderItem>>>(3);
    EXPECT_EQ(Press(Settings(folder_, Mode::AllPlayers, "1")), std::vector<std::string>{kTooMany});
    EXPECT_EQ(Remaining(), kWorkedExample);

    CreateDemoLists();
    PlayerList = MakeRef<Array<std::string>>(2);
    EXPECT_EQ(Press(Settings(folder_, Mode::PerPlayer, "1")), std::vector<std::string>{kTooMany});
    EXPECT_EQ(Remaining(), kWorkedExample);
}

} // namespace
