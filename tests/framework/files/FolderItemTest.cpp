// FolderItem and GetFolderItem over real files and folders in a temporary folder.
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "files/FolderItem.h"
#include "files/ProgramFolder.h"
#include "files/TextInputStream.h"
#include "files/TextOutputStream.h"
#include "support/TempFolder.h"
#include "support/TestText.h"
#include "text/Unicode.h"

namespace {

std::wstring ExecutableFolder()
{
    const std::wstring path = ExecutablePath();
    return path.substr(0, path.find_last_of(L'\\'));
}

std::wstring ParentOf(const std::wstring& path)
{
    return path.substr(0, path.find_last_of(L'\\'));
}

// Restores the current directory that a test changes.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const std::wstring& path)
    {
        GetCurrentDirectoryW(MAX_PATH, saved_);
        SetCurrentDirectoryW(path.c_str());
    }
    ~CurrentDirectory() { SetCurrentDirectoryW(saved_); }

private:
    wchar_t saved_[MAX_PATH] = {};
};

TEST(GetFolderItem, ResolvesPathsAgainstTheExecutableNotTheCurrentDirectory)
{
    TempFolder temp;
    // Relative paths must ignore the current directory, so the whole table runs from somewhere else.
    CurrentDirectory elsewhere(temp.Path());
    const std::wstring exe = ExecutableFolder();
    const std::wstring drive = exe.substr(0, 2);
    const struct {
        std::string path;
        std::wstring expected;
    } cases[] = {
        {"", exe},
        {"ZuvPrefs.txt", exe + L"\\ZuvPrefs.txt"},
        {"sub\\x.txt", exe + L"\\sub\\x.txt"},
        {"sub/x.txt", exe + L"\\sub\\x.txt"},
        {".\\sub\\.\\x.txt", exe + L"\\sub\\x.txt"},
        {"sub\\..\\x.txt", exe + L"\\x.txt"},
        {"..\\x.txt", ParentOf(exe) + L"\\x.txt"},
        {"sub\\\\x.txt\\", exe + L"\\sub\\x.txt"},
        {"\\demos\\runs", drive + L"\\demos\\runs"},
        {"\\", drive + L"\\"},
        {"C:\\demos\\runs", L"C:\\demos\\runs"},
        {"c:\\demos\\runs\\", L"c:\\demos\\runs"},
        {"C:\\demos\\..\\..\\x", L"C:\\x"},
        {"C:\\", L"C:\\"},
        {"C:", L"C:\\"},
        {"\\\\?\\C:\\demos", L"C:\\demos"},
        {"C:\\d\xc3\xa9mos", L"C:\\d\u00e9mos"},
    };
    for (const auto& c : cases) {
        const Ref<FolderItem> item = GetFolderItem(c.path);
        ASSERT_TRUE(item) << c.path;
        EXPECT_EQ(item->NativePath(), c.expected) << c.path;
    }
}

TEST(GetFolderItem, PathWithNulGivesNil)
{
    EXPECT_FALSE(GetFolderItem(std::string("C:\\a\0b", 6)));
    EXPECT_FALSE(GetFolderItem(std::string(1, '\0')));
}

TEST(FolderItem, NameIsTheLastComponentAndSurvivesDeletion)
{
    TempFolder temp;
    temp.MakeFile(L"a(Bob.1).dm_68");
    temp.MakeFile(L"\u00e9t\u00e9.txt");
    const Ref<FolderItem> demo = GetFolderItem(temp.PathUtf8() + "\\a(Bob.1).dm_68");
    const Ref<FolderItem> accented = GetFolderItem(temp.PathUtf8() + "\\\xc3\xa9t\xc3\xa9.txt");
    EXPECT_EQ(accented->Name(), "\xc3\xa9t\xc3\xa9.txt");
    EXPECT_TRUE(accented->Exists());
    demo->Delete();
    EXPECT_FALSE(demo->Exists());
    EXPECT_EQ(demo->Name(), "a(Bob.1).dm_68");
    EXPECT_EQ(GetFolderItem(temp.PathUtf8() + "\\sub\\")->Name(), "sub");
}

TEST(FolderItem, AbsolutePathEndsInSeparatorExactlyForAnExistingFolder)
{
    TempFolder temp;
    temp.MakeFile(L"file.dm_68");
    temp.MakeFolder(L"old.dm_68");
    const std::string base = temp.PathUtf8();
    const struct {
        std::string path;
        std::string expected;
    } cases[] = {
        {base, base + "\\"},
        {base + "\\", base + "\\"},
        {base + "\\old.dm_68", base + "\\old.dm_68\\"},
        {base + "\\file.dm_68", base + "\\file.dm_68"},
        {base + "\\missing", base + "\\missing"},
        {base + "\\missing\\", base + "\\missing"},
    };
    for (const auto& c : cases) {
        const Ref<FolderItem> item = GetFolderItem(c.path);
        EXPECT_EQ(item->AbsolutePath(), c.expected) << c.path;
        // A folder's AbsolutePath given back names the same item.
        EXPECT_EQ(GetFolderItem(item->AbsolutePath())->NativePath(), item->NativePath()) << c.path;
    }
}

TEST(FolderItem, ExistsForFilesFoldersAndFilesHeldOpenExclusively)
{
    TempFolder temp;
    const std::wstring held = temp.MakeFile(L"held.txt", "x");
    temp.MakeFolder(L"sub");
    HANDLE exclusive = CreateFileW(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(exclusive, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(GetFolderItem(temp.PathUtf8() + "\\held.txt")->Exists());
    EXPECT_TRUE(GetFolderItem(temp.PathUtf8() + "\\sub")->Exists());
    EXPECT_FALSE(GetFolderItem(temp.PathUtf8() + "\\missing")->Exists());
    EXPECT_FALSE(GetFolderItem(temp.PathUtf8() + "\\missing\\deeper")->Exists());
    // Wildcards name no entry, even in a folder whose entries they would match.
    EXPECT_FALSE(GetFolderItem(temp.PathUtf8() + "\\*")->Exists());
    EXPECT_FALSE(GetFolderItem(temp.PathUtf8() + "\\su?")->Exists());
    CloseHandle(exclusive);
}

TEST(FolderItem, CountAndItemFollowThePlatformListing)
{
    TempFolder temp;
    temp.MakeFile(L"b.dm_68");
    temp.MakeFile(L"A.txt");
    temp.MakeFile(L"_x.txt");
    temp.MakeFolder(L"old.dm_68");
    temp.MakeFolder(L"empty");
    SetFileAttributesW(temp.MakeFile(L"hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
    temp.MakeFile(L"old.dm_68\\inside.txt");

    const Ref<FolderItem> folder = GetFolderItem(temp.PathUtf8());
    const std::vector<std::wstring> expected = ListNames(temp.Path());
    ASSERT_EQ(folder->Count(), 6);
    ASSERT_EQ(expected.size(), 6u);
    for (int32_t i = 1; i <= folder->Count(); ++i) {
        const Ref<FolderItem> item = folder->Item(i);
        ASSERT_TRUE(item) << i;
        EXPECT_EQ(item->NativePath(), temp.PathOf(expected[static_cast<size_t>(i) - 1]));
    }
    EXPECT_FALSE(folder->Item(0));
    EXPECT_FALSE(folder->Item(-1));
    EXPECT_FALSE(folder->Item(7));

    // Each call lists afresh: deleting the first entry moves the others down by one.
    folder->Item(1)->Delete();
    EXPECT_EQ(folder->Count(), 5);
    EXPECT_EQ(folder->Item(1)->Name(), Narrow(expected[1]));
    EXPECT_FALSE(folder->Item(6));
}

TEST(FolderItem, CountIsZeroForFilesMissingAndEmptyFolders)
{
    TempFolder temp;
    temp.MakeFile(L"file.dm_68", "data");
    temp.MakeFolder(L"empty");
    for (const char* name : {"file.dm_68", "empty", "missing"}) {
        const Ref<FolderItem> item = GetFolderItem(temp.PathUtf8() + "\\" + name);
        EXPECT_EQ(item->Count(), 0) << name;
        EXPECT_FALSE(item->Item(1)) << name;
    }
}

TEST(FolderItem, DeleteRemovesFilesAndEmptyFoldersOnlyAndStaysSilent)
{
    TempFolder temp;
    temp.MakeFile(L"file.dm_68");
    temp.MakeFolder(L"empty.dm_68");
    temp.MakeFolder(L"full");
    temp.MakeFile(L"full\\keep.txt");
    SetFileAttributesW(temp.MakeFile(L"readonly.dm_68").c_str(), FILE_ATTRIBUTE_READONLY);
    const struct {
        const wchar_t* name;
        bool deleted;
    } cases[] = {
        {L"file.dm_68", true}, {L"empty.dm_68", true}, {L"full", false}, {L"readonly.dm_68", false}, {L"missing", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GetFolderItem(Narrow(temp.PathOf(c.name)))->Delete(), c.deleted) << Narrow(c.name);
        EXPECT_EQ(FileExists(temp.PathOf(c.name)), c.name != std::wstring(L"missing") && !c.deleted) << Narrow(c.name);
    }
    EXPECT_TRUE(FileExists(temp.PathOf(L"full\\keep.txt")));
}

// A link goes as itself or stays (Wine opens what it leads to); what it leads to stays either way, outside the
// folder or beside the link. The folder itself may be reached through a link or typed in another case.
TEST(FolderItem, DeleteNeverRemovesWhatALinkLeadsTo)
{
    TempFolder outside;
    const std::wstring file = outside.MakeFile(L"target.dm_68", "outside");
    const std::wstring folder = outside.MakeFolder(L"empty target");
    TempFolder temp;
    const std::wstring sibling = temp.MakeFile(L"sibling.dm_68", "sibling");
    const std::wstring links[] = {temp.MakeLink(L"file link.dm_68", file), temp.MakeLink(L"folder link.dm_68", folder),
                                  temp.MakeLink(L"sibling link.dm_68", sibling)};
    temp.MakeFile(L"plain 1.dm_68");
    temp.MakeFile(L"plain 2.dm_68");
    outside.MakeLink(L"linked demos", temp.Path());
    std::wstring otherCase = temp.Path();
    CharUpperW(&otherCase[0]);
    ASSERT_NE(otherCase, temp.Path());

    for (const std::wstring& through : {temp.Path(), otherCase, outside.PathOf(L"linked demos")}) {
        SCOPED_TRACE(Narrow(through));
        for (const std::wstring& link : links) {
            const std::wstring name = link.substr(link.find_last_of(L'\\') + 1);
            const bool there = FileExists(link);
            EXPECT_EQ(GetFolderItem(Narrow(through + L"\\" + name))->Delete(), there && !FileExists(link))
                << Narrow(name);
        }
        EXPECT_EQ("outside", text::ReadFileBytes(file));
        EXPECT_TRUE(FileExists(folder));
        EXPECT_EQ("sibling", text::ReadFileBytes(sibling));
    }
    // Ordinary entries still go through a linked folder or a path typed in another case.
    EXPECT_TRUE(GetFolderItem(Narrow(otherCase + L"\\plain 1.dm_68"))->Delete());
    EXPECT_TRUE(GetFolderItem(Narrow(outside.PathOf(L"linked demos\\plain 2.dm_68")))->Delete());
    EXPECT_FALSE(FileExists(temp.PathOf(L"plain 1.dm_68")));
    EXPECT_FALSE(FileExists(temp.PathOf(L"plain 2.dm_68")));
}

TEST(FolderItem, TextFilesAreCreatedEmptiedAndOpened)
{
    TempFolder temp;
    temp.MakeFile(L"prefs.txt", "old contents that must go\r\n");
    const Ref<FolderItem> prefs = GetFolderItem(temp.PathUtf8() + "\\prefs.txt");
    const Ref<TextOutputStream> out = prefs->CreateTextFile();
    ASSERT_TRUE(out);
    out->WriteLine("new");
    out->Close();
    const Ref<TextInputStream> in = prefs->OpenAsTextFile();
    ASSERT_TRUE(in);
    EXPECT_EQ(in->ReadLine(), "new");
    EXPECT_EQ(in->ReadLine(), "");
    in->Close();

    EXPECT_FALSE(GetFolderItem(temp.PathUtf8() + "\\missing\\prefs.txt")->CreateTextFile());
    EXPECT_FALSE(GetFolderItem(temp.PathUtf8() + "\\missing.txt")->OpenAsTextFile());
    EXPECT_FALSE(GetFolderItem(temp.PathUtf8())->OpenAsTextFile());
}

TEST(FolderItem, FileHeldOpenWithoutSharingCannotBeOpened)
{
    TempFolder temp;
    const std::wstring path = temp.MakeFile(L"held.txt", "x\r\n");
    HANDLE exclusive = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(exclusive, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(GetFolderItem(Narrow(path))->OpenAsTextFile());
    EXPECT_FALSE(GetFolderItem(Narrow(path))->CreateTextFile());
    CloseHandle(exclusive);
    EXPECT_TRUE(GetFolderItem(Narrow(path))->OpenAsTextFile());
}

TEST(FolderItem, PathsLongerThanMaxPathWorkLikeShortOnes)
{
    TempFolder temp;
    std::wstring relative;
    const std::wstring segment(60, L'd');
    while (temp.PathOf(relative).size() < 300) {
        relative += (relative.empty() ? L"" : L"\\") + segment;
        temp.MakeFolder(relative);
    }
    temp.MakeFile(relative + L"\\a(Bob.1).dm_68", "line\r\n");
    temp.MakeFolder(relative + L"\\old.dm_68");
    const std::wstring deep = temp.PathOf(relative);
    ASSERT_GT(deep.size(), 300u);

    const Ref<FolderItem> folder = GetFolderItem(Narrow(deep) + "\\.\\");
    EXPECT_EQ(folder->NativePath(), deep);
    EXPECT_TRUE(folder->Exists());
    EXPECT_EQ(folder->AbsolutePath(), Narrow(deep) + "\\");
    ASSERT_EQ(folder->Count(), 2);
    const Ref<FolderItem> demo = GetFolderItem(Narrow(deep) + "\\a(Bob.1).dm_68");
    const Ref<TextInputStream> in = demo->OpenAsTextFile();
    ASSERT_TRUE(in);
    EXPECT_EQ(in->ReadLine(), "line");
    in->Close();
    ASSERT_TRUE(GetFolderItem(Narrow(deep) + "\\new.txt")->CreateTextFile());

    for (int32_t i = folder->Count(); i >= 1; --i) {
        folder->Item(i)->Delete();
    }
    EXPECT_EQ(folder->Count(), 0);
    folder->Delete();
    EXPECT_FALSE(FileExists(deep));
}

} // namespace
