// Pendrel loaded on its own with a host lookup of the test's making: what it asks for, in what order, and what it
// does when a service is missing.
#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <cstdint>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "support/PluginDriver.h"

namespace {

struct Record {
    void* (*function)();
    void (*secondEntry)();
    const char* declaration;
};

// Everything Pendrel did to the fake host, in order, and which services the fake host offers.
std::vector<std::string> events;
std::set<std::string> offered;
const Record* registered = nullptr;
std::string pathSeen;
int folderItemSentinel;

void FakeRegisterVersion(int32_t version)
{
    events.push_back("version " + std::to_string(version));
}

void FakeRegisterMethod(const Record* record)
{
    events.push_back("method");
    registered = record;
}

void* FakeFolderItemFromPath(const char* path)
{
    events.push_back("item");
    pathSeen = path;
    return &folderItemSentinel;
}

void* FakeLookup(const char* name)
{
    events.push_back(std::string("lookup ") + name);
    if (offered.count(name) == 0) {
        return nullptr;
    }
    const std::string service = name;
    return service == "RegisterPluginVersion" ? reinterpret_cast<void*>(&FakeRegisterVersion)
           : service == "PluginRegisterMethod" ? reinterpret_cast<void*>(&FakeRegisterMethod)
                                               : reinterpret_cast<void*>(&FakeFolderItemFromPath);
}

class PendrelAlone : public testing::Test {
protected:
    void SetUp() override
    {
        OleInitialize(nullptr);
        events.clear();
        registered = nullptr;
        offered = {"RegisterPluginVersion", "PluginRegisterMethod", "FolderItemFromPath"};
        // A fresh load each time, so that Pendrel's cached services start empty.
        library_ = LoadLibraryW(BesideThisProgram(L"Pendrel.dll").c_str());
        ASSERT_NE(library_, nullptr);
        entry_ = reinterpret_cast<void (*)(void* (*)(const char*))>(
            reinterpret_cast<void (*)()>(GetProcAddress(library_, "QUOXPluginMain")));
        ASSERT_NE(entry_, nullptr);
    }
    void TearDown() override
    {
        FreeLibrary(library_);
        OleUninitialize();
    }

    // Runs SelectFolder while the user answers its dialog with the button given.
    void* SelectFolderAnswered(int button)
    {
        std::thread user([button] {
            HWND dialog = WaitForDialog(GetCurrentProcessId(), L"Browse for Folder");
            if (dialog != nullptr) {
                Press(dialog, button);
            }
        });
        void* result = registered->function();
        user.join();
        return result;
    }

    HMODULE library_ = nullptr;
    void (*entry_)(void* (*)(const char*)) = nullptr;
};

TEST_F(PendrelAlone, DeclaresVersionFiveThenRegistersItsStaticRecord)
{
    entry_(FakeLookup);
    EXPECT_EQ(events, (std::vector<std::string>{"lookup RegisterPluginVersion", "version 5",
                                                "lookup PluginRegisterMethod", "method"}));
    ASSERT_NE(registered, nullptr);
    EXPECT_NE(registered->function, nullptr);
    EXPECT_EQ(registered->secondEntry, nullptr);
    EXPECT_STREQ(registered->declaration, "SelectFolder as FolderItem");
    // Kept by pointer, so the record must lie in the library's image, not on a stack or heap.
    MEMORY_BASIC_INFORMATION memory = {};
    VirtualQuery(registered, &memory, sizeof(memory));
    EXPECT_EQ(memory.AllocationBase, library_);
}

TEST_F(PendrelAlone, MissingRegistrationServicesCallNothing)
{
    struct Case {
        const char* missing;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        // Without the version the host would misread the record, so it is not registered.
        {"RegisterPluginVersion", {"lookup RegisterPluginVersion"}},
        {"PluginRegisterMethod", {"lookup RegisterPluginVersion", "version 5", "lookup PluginRegisterMethod"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.missing);
        events.clear();
        offered.erase(c.missing);
        entry_(FakeLookup);
        EXPECT_EQ(events, c.expected);
        offered.insert(c.missing);
    }
}

TEST_F(PendrelAlone, FolderItemServiceIsLookedUpUntilFoundThenKept)
{
    offered.erase("FolderItemFromPath");
    entry_(FakeLookup);
    ASSERT_NE(registered, nullptr);
    events.clear();

    EXPECT_EQ(SelectFolderAnswered(IDCANCEL), nullptr);
    EXPECT_TRUE(events.empty()) << "a cancelled dialog has no path to ask about";
    EXPECT_EQ(SelectFolderAnswered(IDOK), nullptr);
    EXPECT_EQ(SelectFolderAnswered(IDOK), nullptr);
    EXPECT_EQ(events, (std::vector<std::string>{"lookup FolderItemFromPath", "lookup FolderItemFromPath"}));

    offered.insert("FolderItemFromPath");
    events.clear();
    EXPECT_EQ(SelectFolderAnswered(IDOK), &folderItemSentinel);
    EXPECT_EQ(SelectFolderAnswered(IDOK), &folderItemSentinel);
    EXPECT_EQ(events, (std::vector<std::string>{"lookup FolderItemFromPath", "item", "item"}));
    EXPECT_FALSE(pathSeen.empty());
}

// Folders whose names the ANSI code page can only imitate: the shell's ANSI path for them names another folder
// ("\uFF0E\uFF0E" reads "..", the grandparent), so no path may come back. A name the code page spells exactly does.
class LookAlikeFolders : public PendrelAlone {
protected:
    struct Case {
        std::wstring name;
        bool comesBack;
    };

    void SetUp() override
    {
        PendrelAlone::SetUp();
        wchar_t windows[MAX_PATH] = {};
        GetWindowsDirectoryW(windows, MAX_PATH);
        start_ = std::wstring(windows, 3) + L"halvard look-alikes " + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(start_.c_str(), nullptr);
        for (const Case& c : cases_) {
            CreateDirectoryW(Path(c).c_str(), nullptr);
            ReadOnce(Path(c));
        }
        ReadOnce(start_);
        SetCurrentDirectoryW(start_.c_str());
    }
    void TearDown() override
    {
        SetCurrentDirectoryW(BesideThisProgram(L"").c_str());
        for (const Case& c : cases_) {
            RemoveDirectoryW(Path(c).c_str());
        }
        RemoveDirectoryW(start_.c_str());
        PendrelAlone::TearDown();
    }

    std::wstring Path(const Case& c) const { return start_ + L"\\" + c.name; }

    // Runs SelectFolder while the user moves the selection from the start folder to this one and presses OK.
    void* SelectFolderChoosing(const std::wstring& folder)
    {
        std::thread user([&] {
            if (HWND dialog = WaitForDialog(GetCurrentProcessId(), L"Browse for Folder")) {
                if (WaitForItemText(dialog, kBrowseStatusText, start_)) {
                    SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
                }
                Press(dialog, IDOK);
            }
        });
        void* const result = registered->function();
        user.join();
        return result;
    }

    const std::vector<Case> cases_ = {
        {L"\uFF0E\uFF0E", false}, {L"x\uFF3C..\uFF3C..\uFF3Cvictim", false}, {L"a\u2215b", false},
        {L"a\uFF0Fb", false},     {L"Caf\u00e9 d\u00e9mos", true},
    };
    std::wstring start_;
};

TEST_F(LookAlikeFolders, OnlyAPathThatNamesExactlyTheChosenFolderComesBack)
{
    entry_(FakeLookup);
    ASSERT_NE(registered, nullptr);
    for (const Case& c : cases_) {
        SCOPED_TRACE(testing::PrintToString(Path(c)));
        pathSeen.clear();
        void* const result = SelectFolderChoosing(Path(c));
        char ansi[MAX_PATH] = {};
        WideCharToMultiByte(CP_ACP, 0, Path(c).c_str(), -1, ansi, MAX_PATH, nullptr, nullptr);
        EXPECT_EQ(result, c.comesBack ? &folderItemSentinel : nullptr);
        EXPECT_EQ(pathSeen, c.comesBack ? ansi : "") << "the host must be handed the chosen folder or nothing";
    }
}

} // namespace
