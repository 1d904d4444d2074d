// The plug-in host with the real Pendrel carried in this program: installation, services, binding and the dialog.
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "files/FolderItem.h"
#include "plugins/PluginBinding.h"
#include "plugins/PluginHost.h"
#include "plugins/PluginRegistry.h"
#include "support/PluginDriver.h"
#include "text/Unicode.h"

namespace {

// BFFM_SETSELECTIONA: the shell header that defines it also declares a FolderItem of its own.
const UINT kSetSelectionA = WM_USER + 102;
const char* const kDeclaration = "SelectFolder as FolderItem";

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A folder that someone else made before start under a name the host could once be expected to use, with a library
// planted in it.
std::wstring PlantedFolder()
{
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    return std::wstring(temp) + L"plugin_host_test-plugins-" + std::to_wstring(GetCurrentProcessId());
}

class InstalledHost : public testing::Environment {
public:
    void SetUp() override
    {
        CreateDirectoryW(PlantedFolder().c_str(), nullptr);
        CopyFileW(BesideThisProgram(L"plugin_probe.exe").c_str(), (PlantedFolder() + L"\\Pendrel.dll").c_str(), FALSE);
        InstallPlugins();
    }
    void TearDown() override
    {
        UninstallPlugins();
        DeleteFileW((PlantedFolder() + L"\\Pendrel.dll").c_str());
        RemoveDirectoryW(PlantedFolder().c_str());
    }
};
const auto* const host = testing::AddGlobalTestEnvironment(new InstalledHost);

// Looks the declaration up while the user answers any failed-assertion box with OK; the box's text, or empty.
PluginEntrypoint LookupAnsweringOk(const std::string& declaration, std::wstring& boxText, bool& topmost)
{
    std::atomic<bool> returned{false};
    std::thread user([&] {
        while (!returned) {
            if (HWND box = FindDialog(GetCurrentProcessId(), L"Failed Assertion")) {
                boxText = ItemText(box, 0xFFFF);
                topmost = (GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
                Press(box, IDOK);
                return;
            }
            Sleep(20);
        }
    });
    const PluginEntrypoint entry = RuntimeLookupPluginEntrypoint(declaration);
    returned = true;
    user.join();
    return entry;
}

int32_t lateVersion = 5;
const PluginMethodRecord lateRecord = {nullptr, nullptr, "Late as Integer"};

void LateEntry(PluginLookupFunction lookup)
{
    reinterpret_cast<void (*)(int32_t)>(lookup("RegisterPluginVersion"))(lateVersion);
    reinterpret_cast<void (*)(const PluginMethodRecord*)>(lookup("PluginRegisterMethod"))(&lateRecord);
}

TEST(PluginHost, PendrelIsWrittenToAPrivateFolderAndRegistersUnderVersionFive)
{
    ASSERT_TRUE(Exists(PlantedFolder() + L"\\Pendrel.dll"));
    EXPECT_NE(PluginFolder(), PlantedFolder()) << "a folder made by someone else is never used";
    const std::wstring library = PluginFolder() + L"\\Pendrel.dll";
    EXPECT_TRUE(Exists(library));
    // Held since it was written: nobody can change, rename or delete it while it is installed.
    const DWORD shareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    for (const DWORD access : {DWORD{GENERIC_WRITE}, DWORD{DELETE}}) {
        const HANDLE other = CreateFileW(library.c_str(), access, shareAll, nullptr, OPEN_EXISTING, 0, nullptr);
        EXPECT_EQ(other, INVALID_HANDLE_VALUE) << std::hex << access;
        if (other != INVALID_HANDLE_VALUE) {
            CloseHandle(other);
        }
    }
    ASSERT_EQ(RegisteredPluginMethods().size(), 1u);
    const RegisteredPluginMethod& method = RegisteredPluginMethods()[0];
    // The version in force when the method arrived: Pendrel declared 5 first.
    EXPECT_EQ(method.pluginVersion, 5);
    EXPECT_STREQ(method.record->declaration, kDeclaration);
    EXPECT_EQ(method.record->secondEntry, nullptr);
}

TEST(PluginHost, ServicesAreFoundByWholeNameIgnoringCase)
{
    const struct {
        const char* name;
        bool found;
    } cases[] = {
        {"RegisterPluginVersion", true}, {"pluginregistermethod", true}, {"FOLDERITEMFROMPATH", true},
        {"FolderItemFromPath ", false},  {"FolderItem", false},          {"", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PluginServiceLookup(c.name) != nullptr, c.found) << c.name;
    }
    EXPECT_EQ(PluginServiceLookup(nullptr), nullptr);
}

TEST(PluginHost, FolderItemFromPathTakesAnsiBytesAndHandsOverItsReference)
{
    const auto service = reinterpret_cast<FolderItem* (*)(const char*)>(PluginServiceLookup("FolderItemFromPath"));
    const std::wstring folder = CurrentDirectory() + L"\\Caf\u00e9 " + std::to_wstring(GetCurrentProcessId());
    char ansi[MAX_PATH] = {};
    BOOL lossy = FALSE;
    WideCharToMultiByte(CP_ACP, 0, folder.c_str(), -1, ansi, MAX_PATH, nullptr, &lossy);
    ASSERT_FALSE(lossy) << "the ANSI code page cannot spell the test folder";
    CreateDirectoryW(folder.c_str(), nullptr);

    const Ref<FolderItem> item = Ref<FolderItem>::Adopt(service(ansi));
    ASSERT_TRUE(item);
    EXPECT_EQ(item->ReferenceCount(), 1);
    EXPECT_EQ(item->AbsolutePath(), Narrow(folder) + "\\");
    EXPECT_EQ(service(nullptr), nullptr);
    RemoveDirectoryW(folder.c_str());
}

TEST(PluginBinding, DeclarationMustMatchWholeWithCaseIgnored)
{
    const PluginEntrypoint selectFolder = RegisteredPluginMethods().at(0).record->entry;
    const struct {
        const char* declaration;
        bool binds;
    } cases[] = {
        {"SelectFolder as FolderItem", true},   {"selectfolder AS FOLDERITEM", true},
        {"SelectFolder  as FolderItem", false}, {"SelectFolder as FolderItem ", false},
        {"SelectFolder", false},                {"SelectFolder as String", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.declaration);
        std::wstring text;
        bool topmost = false;
        const PluginEntrypoint entry = LookupAnsweringOk(c.declaration, text, topmost);
        if (c.binds) {
            EXPECT_EQ(entry, selectFolder);
            EXPECT_TRUE(text.empty());
        } else {
            EXPECT_EQ(entry, nullptr);
            const std::wstring last = L"can't find plugin method " + Widen(c.declaration);
            EXPECT_EQ(text.substr(text.find_last_of(L'\n') + 1), last);
            EXPECT_TRUE(topmost) << "the box is system-modal";
        }
    }
}

TEST(PluginBinding, MethodsRegisteredAfterTheFirstLookupAreNotSeen)
{
    const auto table = RuntimeAllocatePluginEntrypointsTable(1);
    (*table)[0] = RuntimeLookupPluginEntrypoint(kDeclaration);
    EXPECT_NE((*table)[0], nullptr);
    EXPECT_THROW((*table)[1], OutOfBoundsException);

    // Versions 2 and below 1, and the default 1, register nothing; 3 and above do.
    for (const int32_t version : {1, 2, 0, -1, 3}) {
        lateVersion = version;
        RunPluginEntry(LateEntry);
    }
    ASSERT_EQ(RegisteredPluginMethods().size(), 2u);
    EXPECT_EQ(RegisteredPluginMethods()[1].pluginVersion, 3);
    std::wstring text;
    bool topmost = false;
    EXPECT_EQ(LookupAnsweringOk("Late as Integer", text, topmost), nullptr);
    EXPECT_FALSE(text.empty());
}

// The user's side of one SelectFolder: waits for the dialog to show the expected folder, may move the selection,
// then answers.
void AnswerDialog(const std::wstring& expectedFirst, const std::string& moveTo, int button, bool& sawExpected)
{
    HWND dialog = WaitForDialog(GetCurrentProcessId(), L"Browse for Folder");
    if (dialog == nullptr) {
        return;
    }
    sawExpected = WaitForItemText(dialog, kBrowseStatusText, expectedFirst);
    if (sawExpected && !moveTo.empty()) {
        SendMessageA(dialog, kSetSelectionA, TRUE, reinterpret_cast<LPARAM>(moveTo.c_str()));
        sawExpected = WaitForItemText(dialog, kBrowseStatusText, Widen(moveTo));
    }
    Press(dialog, button);
}

class SelectFolderDialog : public testing::Test {
protected:
    void SetUp() override
    {
        table_ = RuntimeAllocatePluginEntrypointsTable(1);
        (*table_)[0] = RuntimeLookupPluginEntrypoint(kDeclaration);
        // Right under a drive root, with its own folders read once, nothing on the way can move.
        wchar_t windows[MAX_PATH] = {};
        GetWindowsDirectoryW(windows, MAX_PATH);
        start_ = std::wstring(windows, 3) + L"halvard dialog " + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(start_.c_str(), nullptr);
        CreateDirectoryW((start_ + L"\\Chosen").c_str(), nullptr);
        ReadOnce(start_);
        ReadOnce(start_ + L"\\Chosen");
        SetCurrentDirectoryW(start_.c_str());
    }
    void TearDown() override
    {
        SetCurrentDirectoryW(BesideThisProgram(L"").c_str());
        RemoveDirectoryW((start_ + L"\\Chosen").c_str());
        RemoveDirectoryW(start_.c_str());
    }

    std::pair<Ref<FolderItem>, bool> Choose(const std::string& moveTo, int button)
    {
        bool sawStart = false;
        std::thread user(AnswerDialog, start_, moveTo, button, std::ref(sawStart));
        Ref<FolderItem> chosen = table_->CallObjectFunction<FolderItem>(0);
        user.join();
        return {chosen, sawStart};
    }

    Ref<PluginEntrypointsTable> table_;
    std::wstring start_;
};

TEST_F(SelectFolderDialog, OpensOnTheCurrentDirectoryEveryTimeAndReturnsTheChoice)
{
    const std::string chosenPath = Narrow(start_) + "\\Chosen";
    const auto moved = Choose(chosenPath, IDOK);
    EXPECT_TRUE(moved.second) << "the status line follows the selection";
    ASSERT_TRUE(moved.first);
    EXPECT_EQ(moved.first->AbsolutePath(), chosenPath + "\\");

    const auto again = Choose("", IDOK);
    EXPECT_TRUE(again.second) << "the second dialog opens on the current directory, not the last choice";
    ASSERT_TRUE(again.first);
    EXPECT_EQ(again.first->AbsolutePath(), Narrow(start_) + "\\");
    EXPECT_EQ(again.first->ReferenceCount(), 1);

    const auto cancelled = Choose("", IDCANCEL);
    EXPECT_TRUE(cancelled.second);
    EXPECT_FALSE(cancelled.first);
    EXPECT_EQ(CurrentDirectory(), start_);
}

std::wstring ProbeCommand(const std::wstring& arguments)
{
    return L"\"" + BesideThisProgram(L"plugin_probe.exe") + L"\" " + arguments;
}

TEST(PluginProbe, CancelOnTheFailedAssertionEndsTheProcess)
{
    ProbeProcess probe(ProbeCommand(L"lookup \"SelectFolder as Folder\""));
    HWND box = WaitForDialog(probe.Id(), L"Failed Assertion");
    ASSERT_NE(box, nullptr);
    Press(box, IDCANCEL);
    EXPECT_EQ(probe.ReadLine(), "") << "nothing after the lookup runs";
    const DWORD code = probe.WaitForExit();
    EXPECT_NE(code, 0u);
    EXPECT_NE(code, STILL_ACTIVE);
}

TEST(PluginProbe, TwoRunningCopiesKeepTheirOwnFilesAndDeleteThemAtExit)
{
    ProbeProcess first(ProbeCommand(L"hold"));
    ProbeProcess second(ProbeCommand(L"hold"));
    const std::wstring firstFolder = Widen(first.ReadLine());
    const std::wstring secondFolder = Widen(second.ReadLine());
    ASSERT_FALSE(firstFolder.empty());
    EXPECT_NE(firstFolder, secondFolder);
    EXPECT_TRUE(Exists(firstFolder + L"\\Pendrel.dll"));
    EXPECT_TRUE(Exists(secondFolder + L"\\Pendrel.dll"));

    first.CloseInput();
    EXPECT_EQ(first.WaitForExit(), 0u);
    EXPECT_FALSE(Exists(firstFolder));
    EXPECT_TRUE(Exists(secondFolder + L"\\Pendrel.dll"));
    second.CloseInput();
    EXPECT_EQ(second.WaitForExit(), 0u);
    EXPECT_FALSE(Exists(secondFolder));
}

TEST(PluginProbe, UnwritablePluginFolderStopsWithTheInstallMessage)
{
    std::wstring environment;
    for (const wchar_t* entry = GetEnvironmentStringsW(); *entry != L'\0'; entry += wcslen(entry) + 1) {
        if (_wcsnicmp(entry, L"TMP=", 4) != 0 && _wcsnicmp(entry, L"TEMP=", 5) != 0) {
            environment.append(entry).push_back(L'\0');
        }
    }
    const std::wstring nowhere = CurrentDirectory() + L"\\no such folder\\deeper";
    environment.append(L"TMP=" + nowhere).push_back(L'\0');
    environment.append(L"TEMP=" + nowhere).push_back(L'\0');

    ProbeProcess probe(ProbeCommand(L"hold"), environment);
    HWND box = WaitForDialog(probe.Id(), L"Error");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(ItemText(box, 0xFFFF), L"The application cannot continue because a needed file cannot be installed. "
                                     L"You don't have appropriate permission to install the file.");
    Press(box, IDOK);
    const DWORD code = probe.WaitForExit();
    EXPECT_NE(code, 0u);
    EXPECT_NE(code, STILL_ACTIVE);
}

} // namespace
