// The demo test, the two name fields, the folder scan and the sort, over real folders.
#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "DemoList.h"
#include "support/TempFolder.h"
#include "text/Strings.h"
#include "text/Unicode.h"

namespace {

class DemoListTest : public testing::Test {
protected:
    void SetUp() override { CreateDemoLists(); }
    void TearDown() override { ReleaseDemoLists(); }

    std::vector<std::string> DemoNames() const
    {
        std::vector<std::string> names;
        for (int32_t i = 1; i <= DemoCount; ++i) {
            names.push_back((*DemoList)[i]->Name());
        }
        return names;
    }
    // PlayerList up to and including its empty end entry.
    std::vector<std::string> Players() const
    {
        std::vector<std::string> players;
        for (int32_t i = 1; i <= PlayerList->UpperBound(); ++i) {
            players.push_back((*PlayerList)[i]);
            if ((*PlayerList)[i].empty()) {
                break;
            }
        }
        return players;
    }
};

TEST(IsDemoName, OnlyTheLastFiveCharactersCountWithCaseIgnored)
{
    const struct {
        const char* name;
        bool demo;
    } cases[] = {
        {"x.dm_68", true},  {"X.DM_68", true},       {"xdm_68", true},   {"dm_68", true},
        {"a(b.c).Dm_68", true}, {"x.dm_6", false},   {"x.dm_68.txt", false}, {"m_68", false},
        {"", false},        {"x.dm-68", false},      {"x.dm_69", false}, {"\xc3\xa9.dm_68", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsDemoName(c.name), c.demo) << c.name;
    }
}

TEST(ExtractField, ChallengeKeyAndPlayerFieldOfTrickyNames)
{
    const struct {
        const char* name;
        const char* key;
        const char* player;
    } cases[] = {
        {"k7]a(b.c).dm_68", "k7", "b"},
        {"a]b]c(d.e).dm_68", "a", "d"},
        {"run(x)dm_68", "run(x)dm_68", "x)dm_68"},
        {"p.q(r.s)t.dm_68", "p.q(r.s)t.dm_68", "r"},
        {"a](b(c.dm_68", "a", "b(c"},
        {"a](.dm_68", "a", ""},
        {"a]b.dm_68", "a", ""},
        {"dm_68", "dm_68", ""},
        {"]x(y.dm_68", "", "y"},
        {"map(", "map(", ""},
        {"MAP]x(Bob.1).DM_68", "MAP", "Bob"},
        {"k\xc3\xa9]x(\xc3\xa5sa.1).dm_68", "k\xc3\xa9", "\xc3\xa5sa"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ChallengeKey(c.name), c.key) << c.name;
        EXPECT_EQ(PlayerField(c.name), c.player) << c.name;
    }
}

TEST(ExtractField, EmptyDelimitersNeverMatch)
{
    EXPECT_EQ(ExtractField("a(b.c", "", ".", true), "");
    EXPECT_EQ(ExtractField("a(b.c", "(", "", true), "b.c");
    EXPECT_EQ(ExtractField("a(b.c", "", "", false), "a(b.c");
    // A start delimiter that is also the end delimiter ends the field at once.
    EXPECT_EQ(ExtractField("a.b.c", ".", ".", true), "");
}

TEST_F(DemoListTest, ScanCollectsDemosAndDistinctPlayersInWalkOrder)
{
    TempFolder temp;
    for (const wchar_t* name : {L"a(Bob.1).dm_68", L"notes.txt", L"b(ann.2).dm_68", L"c(BOB.3).dm_68"}) {
        temp.MakeFile(name);
    }
    // Stale entries of an earlier scan must not leak into the names in use.
    (*PlayerList)[1] = "stale1";
    (*PlayerList)[2] = "stale2";
    (*PlayerList)[3] = "stale3";
    DemoFolder = GetFolderItem(temp.PathUtf8());
    ASSERT_TRUE(ScanDemoFolder());
    EXPECT_EQ(DemoCount, 3);
    EXPECT_EQ(DemoNames(), (std::vector<std::string>{"a(Bob.1).dm_68", "b(ann.2).dm_68", "c(BOB.3).dm_68"}));
    EXPECT_EQ(Players(), (std::vector<std::string>{"Bob", "ann", ""}));
}

TEST_F(DemoListTest, FoldersCountAsDemosAndEmptyPlayerFieldsAreEnteredOnce)
{
    TempFolder temp;
    temp.MakeFolder(L"old(Cat.1).dm_68");
    temp.MakeFile(L"x]y.dm_68");
    temp.MakeFile(L"z]w.dm_68");
    temp.MakeFile(L"dm_68");
    temp.MakeFile(L"x.dm_6");
    DemoFolder = GetFolderItem(temp.PathUtf8());
    ASSERT_TRUE(ScanDemoFolder());
    EXPECT_EQ(DemoCount, 4);
    std::vector<std::string> names;
    for (int32_t i = 1; i <= PlayerList->UpperBound() && names.size() < 3; ++i) {
        names.push_back((*PlayerList)[i]);
    }
    // In listing order "dm_68", "old(Cat.1).dm_68", ...: the empty field first, once, then Cat.
    EXPECT_EQ(names, (std::vector<std::string>{"", "Cat", ""}));
}

TEST_F(DemoListTest, FolderWithoutDemosLeavesPlayerListAsItWas)
{
    TempFolder temp;
    temp.MakeFile(L"notes.txt");
    temp.MakeFolder(L"sub.dm_67");
    (*PlayerList)[1] = "Bob";
    (*PlayerList)[2] = "";
    DemoCount = 7;
    DemoFolder = GetFolderItem(temp.PathUtf8());
    ASSERT_TRUE(ScanDemoFolder());
    EXPECT_EQ(DemoCount, 0);
    EXPECT_EQ(Players(), (std::vector<std::string>{"Bob", ""}));
}

TEST_F(DemoListTest, ScanStopsAtTheListsBoundsInsteadOfWritingPastThem)
{
    // Smaller lists stand in for a folder that grows past 5000 demos while it is walked.
    TempFolder temp;
    for (const wchar_t* name : {L"a(p.1).dm_68", L"b(p.1).dm_68", L"c(p.1).dm_68", L"d(q.1).dm_68"}) {
        temp.MakeFile(name);
    }
    DemoFolder = GetFolderItem(temp.PathUtf8());
    const struct {
        int32_t demoBound;
        int32_t playerBound;
        bool fits;
        int32_t demos;
        std::vector<std::string> players;
    } cases[] = {
        {4, 3, true, 4, {"p", "q", ""}},
        {3, 3, false, 3, {"p", ""}},
        {4, 2, false, 3, {"p", ""}}, // q would need index 2 and its end entry index 3
    };
    for (const auto& c : cases) {
        DemoList = MakeRef<Array<Ref<FolderItem>>>(c.demoBound);
        PlayerList = MakeRef<Array<std::string>>(c.playerBound);
        EXPECT_EQ(ScanDemoFolder(), c.fits) << c.demoBound << "/" << c.playerBound;
        EXPECT_EQ(DemoCount, c.demos) << c.demoBound << "/" << c.playerBound;
        EXPECT_EQ(Players(), c.players) << c.demoBound << "/" << c.playerBound;
    }
}

TEST_F(DemoListTest, SortIsAscendingWithCaseIgnoredAndStable)
{
    // The sort reads names only, so items need not exist; equal names come from different folders.
    const struct {
        std::vector<std::wstring> paths;
        std::vector<std::wstring> sorted;
    } cases[] = {
        {{L"C:\\d\\Gamma.dm_68", L"C:\\d\\Alpha.dm_68", L"C:\\d\\beta.dm_68"},
         {L"C:\\d\\Alpha.dm_68", L"C:\\d\\beta.dm_68", L"C:\\d\\Gamma.dm_68"}},
        {{L"C:\\1\\X.DM_68", L"C:\\2\\a.dm_68", L"C:\\3\\x.dm_68", L"C:\\4\\A.DM_68"},
         {L"C:\\2\\a.dm_68", L"C:\\4\\A.DM_68", L"C:\\1\\X.DM_68", L"C:\\3\\x.dm_68"}},
        {{L"C:\\d\\a_b.dm_68", L"C:\\d\\abc.dm_68", L"C:\\d\\ab.dm_68", L"C:\\d\\[x].dm_68", L"C:\\d\\1.dm_68"},
         {L"C:\\d\\1.dm_68", L"C:\\d\\ab.dm_68", L"C:\\d\\abc.dm_68", L"C:\\d\\a_b.dm_68", L"C:\\d\\[x].dm_68"}},
        {{L"C:\\d\\m]b(x.1).dm_68", L"C:\\d\\M]a(y.1).dm_68", L"C:\\d\\m2]a(x.1).dm_68", L"C:\\d\\m]c(z.1).dm_68"},
         {L"C:\\d\\m2]a(x.1).dm_68", L"C:\\d\\M]a(y.1).dm_68", L"C:\\d\\m]b(x.1).dm_68", L"C:\\d\\m]c(z.1).dm_68"}},
        {{L"C:\\d\\only.dm_68"}, {L"C:\\d\\only.dm_68"}},
        {{}, {}},
    };
    for (const auto& c : cases) {
        DemoCount = static_cast<int32_t>(c.paths.size());
        for (size_t i = 0; i < c.paths.size(); ++i) {
            (*DemoList)[static_cast<int32_t>(i) + 1] = MakeRef<FolderItem>(c.paths[i]);
        }
        SortDemos();
        std::vector<std::wstring> sorted;
        for (int32_t i = 1; i <= DemoCount; ++i) {
            sorted.push_back((*DemoList)[i]->NativePath());
        }
        EXPECT_EQ(sorted, c.sorted);
    }
}

TEST_F(DemoListTest, SortMatchesAStableSortOnAReversedList)
{
    std::vector<std::string> names;
    for (int i = 0; i < 300; ++i) {
        names.push_back("c" + std::to_string(i % 17) + "](P" + std::to_string(i % 5) + ".1)." +
                        (i % 2 ? "DM_68" : "dm_68"));
    }
    std::reverse(names.begin(), names.end());
    DemoCount = static_cast<int32_t>(names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        (*DemoList)[static_cast<int32_t>(i) + 1] = MakeRef<FolderItem>(L"C:\\d" + std::to_wstring(i) + L"\\" +
                                                                       Widen(names[i]));
    }
    std::vector<std::wstring> expected;
    for (int32_t i = 1; i <= DemoCount; ++i) {
        expected.push_back((*DemoList)[i]->NativePath());
    }
    std::stable_sort(expected.begin(), expected.end(), [](const std::wstring& a, const std::wstring& b) {
        return StrCompare(Narrow(a.substr(a.find_last_of(L'\\') + 1)), Narrow(b.substr(b.find_last_of(L'\\') + 1))) < 0;
    });
    SortDemos();
    std::vector<std::wstring> sorted;
    for (int32_t i = 1; i <= DemoCount; ++i) {
        sorted.push_back((*DemoList)[i]->NativePath());
    }
    EXPECT_EQ(sorted, expected);
}

} // namespace
