// Count and Item reuse a folder's listing between calls: every answer must still be what a fresh listing gives.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "files/FolderItem.h"
#include "files/TextOutputStream.h"
#include "support/TempFolder.h"
#include "text/Unicode.h"

namespace {

// Changes from outside this program may take a while to be reported (a Linux process: about 20 ms under Wine, and
// far longer on a loaded machine). The deadline only runs out when a change is never seen, so it can be generous.
constexpr DWORD kReportDeadlineMs = 30000;

std::vector<std::wstring> NamesOf(const Ref<FolderItem>& folder)
{
    std::vector<std::wstring> names;
    for (int32_t i = 1; i <= folder->Count(); ++i) {
        const Ref<FolderItem> item = folder->Item(i);
        names.push_back(item ? Widen(item->Name()) : L"<nil>");
    }
    return names;
}

// Asks the folder until it gives what a fresh listing gives, or the deadline passes; returns its last answer.
std::vector<std::wstring> NamesOnceReported(const Ref<FolderItem>& folder, const std::wstring& path)
{
    const DWORD start = GetTickCount();
    std::vector<std::wstring> names = NamesOf(folder);
    while (names != ListNames(path) && GetTickCount() - start < kReportDeadlineMs) {
        Sleep(1);
        names = NamesOf(folder);
    }
    return names;
}

// Runs a command line in a second process (the system's command interpreter) and waits for it to end.
void RunElsewhere(const std::wstring& folder, const std::wstring& command)
{
    std::wstring line = L"cmd.exe /c " + command;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, folder.c_str(),
                               &startup, &process))
        << Narrow(command);
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

TEST(FolderListing, ChangesByAnotherProcessAreSeen)
{
    const struct {
        const wchar_t* command;
        const wchar_t* present;
        const wchar_t* absent;
    } cases[] = {
        {L"type nul > new.txt", L"new.txt", nullptr},
        {L"del b.txt", nullptr, L"b.txt"},
        {L"ren b.txt z.txt", L"z.txt", L"b.txt"},
        {L"mkdir sub", L"sub", nullptr},
        {L"ren c.txt A0.txt", L"A0.txt", L"c.txt"},
    };
    for (const auto& c : cases) {
        TempFolder temp;
        for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt"}) {
            temp.MakeFile(name);
        }
        const Ref<FolderItem> folder = GetFolderItem(temp.PathUtf8());
        ASSERT_EQ(NamesOf(folder), ListNames(temp.Path()));

        RunElsewhere(temp.Path(), c.command);
        const std::vector<std::wstring> after = ListNames(temp.Path());
        if (c.present != nullptr) {
            ASSERT_NE(std::find(after.begin(), after.end(), c.present), after.end()) << Narrow(c.command);
        }
        if (c.absent != nullptr) {
            ASSERT_EQ(std::find(after.begin(), after.end(), c.absent), after.end()) << Narrow(c.command);
        }
        EXPECT_EQ(NamesOnceReported(folder, temp.Path()), after) << Narrow(c.command);
    }
}

TEST(FolderListing, ChangesThroughTheProgramShowAtTheNextCall)
{
    TempFolder temp;
    for (const wchar_t* name : {L"a.dm_68", L"b.dm_68", L"c.dm_68", L"d.dm_68", L"e.dm_68"}) {
        temp.MakeFile(name);
    }
    const Ref<FolderItem> folder = GetFolderItem(temp.PathUtf8());
    ASSERT_EQ(folder->Count(), 5);

    // Deleting entry 2 moves the later entries down at once, through this item or another one.
    folder->Item(2)->Delete();
    EXPECT_EQ(NamesOf(folder), (std::vector<std::wstring>{L"a.dm_68", L"c.dm_68", L"d.dm_68", L"e.dm_68"}));
    GetFolderItem(temp.PathUtf8() + "\\d.dm_68")->Delete();
    EXPECT_EQ(folder->Count(), 3);
    EXPECT_EQ(folder->Item(3)->Name(), "e.dm_68");
    EXPECT_FALSE(folder->Item(4));

    // A created file shows at once, in the platform's order.
    ASSERT_TRUE(GetFolderItem(temp.PathUtf8() + "\\b2.txt")->CreateTextFile());
    EXPECT_EQ(NamesOf(folder), (std::vector<std::wstring>{L"a.dm_68", L"b2.txt", L"c.dm_68", L"e.dm_68"}));

    // A replaced file: the source's name goes, the target's stays.
    ASSERT_TRUE(GetFolderItem(temp.PathUtf8() + "\\a.dm_68")->ReplaceWith(*folder->Item(2)));
    EXPECT_EQ(NamesOf(folder), (std::vector<std::wstring>{L"a.dm_68", L"c.dm_68", L"e.dm_68"}));

    // Deleting every entry from the last while walking down, as a loop over Count would.
    for (int32_t i = folder->Count(); i >= 1; --i) {
        folder->Item(i)->Delete();
        EXPECT_EQ(folder->Count(), i - 1);
    }
}

TEST(FolderListing, FolderReplacedBetweenCallsIsListedAfresh)
{
    enum class How { DeletedAndMadeAgain, AnotherRenamedIntoItsPlace, DeletedByAnotherProcess };
    for (How how : {How::DeletedAndMadeAgain, How::AnotherRenamedIntoItsPlace, How::DeletedByAnotherProcess}) {
        TempFolder temp;
        const std::wstring demos = temp.MakeFolder(L"demos");
        const std::wstring other = temp.MakeFolder(L"other");
        temp.MakeFile(L"other\\x(ann.1).dm_68");
        temp.MakeFile(L"other\\y(bob.1).dm_68");
        // Another folder's times must differ from this one's, as they do unless both are made within a clock tick.
        Sleep(30);
        temp.MakeFile(L"demos\\a(cat.1).dm_68");
        const Ref<FolderItem> folder = GetFolderItem(Narrow(demos));
        ASSERT_EQ(NamesOf(folder), std::vector<std::wstring>{L"a(cat.1).dm_68"});

        switch (how) {
        case How::DeletedAndMadeAgain:
            // Through the program: its listing must not hold the folder back.
            folder->Item(1)->Delete();
            folder->Delete();
            ASSERT_TRUE(CreateDirectoryW(demos.c_str(), nullptr));
            temp.MakeFile(L"demos\\b(dan.2).dm_68");
            temp.MakeFile(L"demos\\c(eve.3).dm_68");
            break;
        case How::AnotherRenamedIntoItsPlace:
            ASSERT_TRUE(MoveFileW(demos.c_str(), temp.PathOf(L"old").c_str()));
            ASSERT_TRUE(MoveFileW(other.c_str(), demos.c_str()));
            break;
        case How::DeletedByAnotherProcess:
            RunElsewhere(temp.Path(), L"rd /s /q demos && mkdir demos && type nul > demos\\q(fay.1).dm_68");
            break;
        }
        ASSERT_NE(ListNames(demos), std::vector<std::wstring>{L"a(cat.1).dm_68"});
        EXPECT_EQ(NamesOnceReported(folder, demos), ListNames(demos)) << static_cast<int>(how);
    }
}

TEST(FolderListing, IdleListingLetsItsFolderGo)
{
    // A kept listing holds a change notification on its folder, which holds back the folder's removal by anything
    // but this program's own FolderItem calls; once nobody asks for it the listing is dropped, and the folder goes.
    TempFolder temp;
    const std::wstring demos = temp.MakeFolder(L"demos");
    const std::wstring demo = temp.MakeFile(L"demos\\a(ann.1).dm_68");
    ASSERT_EQ(GetFolderItem(Narrow(demos))->Count(), 1);
    ASSERT_TRUE(DeleteFileW(LongForm(demo).c_str()));
    const DWORD start = GetTickCount();
    RemoveDirectoryW(LongForm(demos).c_str());
    while (FileExists(demos) && GetTickCount() - start < kReportDeadlineMs) {
        Sleep(10);
        RemoveDirectoryW(LongForm(demos).c_str());
    }
    EXPECT_FALSE(FileExists(demos));
}

TEST(FolderListing, ManyFoldersInTurnAndFoldersThatCannotBeWatched)
{
    // More folders than are kept, asked in turn: each still answers with its own entries.
    std::vector<TempFolder> temps(6);
    std::vector<Ref<FolderItem>> folders;
    for (size_t f = 0; f < temps.size(); ++f) {
        for (size_t k = 0; k <= f; ++k) {
            temps[f].MakeFile(L"f" + std::to_wstring(k));
        }
        folders.push_back(GetFolderItem(temps[f].PathUtf8()));
    }
    for (size_t round = 0; round < 3; ++round) {
        for (size_t f = 0; f < folders.size(); ++f) {
            EXPECT_EQ(folders[f]->Count(), static_cast<int32_t>(f < round ? f : f + 1)) << f;
        }
        folders[round]->Item(1)->Delete();
        EXPECT_EQ(NamesOf(folders[round]), ListNames(temps[round].Path()));
    }

    // A missing folder, then the same path made into a folder with entries, then a file at that path.
    TempFolder temp;
    const Ref<FolderItem> later = GetFolderItem(temp.PathUtf8() + "\\later");
    EXPECT_EQ(later->Count(), 0);
    temp.MakeFolder(L"later");
    temp.MakeFile(L"later\\one");
    EXPECT_EQ(NamesOf(later), std::vector<std::wstring>{L"one"});
    later->Item(1)->Delete();
    later->Delete();
    temp.MakeFile(L"later");
    EXPECT_EQ(NamesOnceReported(later, temp.PathOf(L"later")), std::vector<std::wstring>{});
    EXPECT_EQ(later->Count(), 0);
}

} // namespace
