// The real main window on this thread, driven from a second one: layout, enable rules, Go, Browse, keys, close box.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "DemoList.h"
#include "logo/LogoResource.h"
#include "LogoPicture.h"
#include "MainWin.h"
#include "PluginMethods.h"
#include "support/GuiDriver.h"
#include "support/TempFolder.h"
#include "text/Unicode.h"
#include "ui/Application.h"
#include "ui/EventLoop.h"

namespace {

const char kTitle[] = "Tarnwick 1.9 Demo Pruner";
const char kDone[] = "Done!";

// The native windows of one MainWin, taken on the GUI thread before the driver starts.
struct MainWinHandles {
    HWND window = nullptr;
    HWND demoPath = nullptr;
    HWND playerName = nullptr;
    HWND onlyPlayer = nullptr;
    HWND numPerPlayer = nullptr;
    HWND limitPerPlayer = nullptr;
    HWND numPerChallenge = nullptr;
    HWND browse = nullptr;
    HWND go = nullptr;
    HWND quit = nullptr;
    HWND demoPathLabel = nullptr;
    HWND numPerChallengeLabel = nullptr;
    HWND canvas = nullptr;
    HWND playerNameLabel = nullptr;
    HWND numPerPlayerLabel = nullptr;
};

// A check box click that returns once its Action has run (no check box handler opens a box).
void ClickNow(HWND box)
{
    SendMessageW(box, BM_CLICK, 0, 0);
}

bool MessageBoxOpen()
{
    for (HWND hwnd : gui::TopWindows(GetCurrentProcessId())) {
        if (gui::ClassName(hwnd) == "#32770") {
            return true;
        }
    }
    return false;
}

// Presses a button whose handler shows one message box, reads the box and answers OK.
std::string PressAndAnswer(HWND button)
{
    gui::Click(button);
    gui::MessageBoxInfo box = gui::WaitForMessageBox(GetCurrentProcessId());
    if (box.window == nullptr) {
        return "(no message box)";
    }
    EXPECT_EQ("Message", box.caption);
    gui::DismissMessageBox(box);
    return box.text;
}

// Waits, without a deadline that could pass for success, until a posted click has been handled: the check box
// only flips once every message posted before it has been dispatched.
void WaitForPostedQueue(HWND box)
{
    const bool before = gui::IsChecked(box);
    gui::Click(box);
    gui::WaitUntil([&] { return gui::IsChecked(box) != before; });
}

std::vector<std::string> Names(const TempFolder& folder)
{
    std::vector<std::string> names;
    for (const std::wstring& name : ListNames(folder.Path())) {
        names.push_back(Narrow(name));
    }
    std::sort(names.begin(), names.end());
    return names;
}

class MainWinTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        CreateDemoLists();
        // The window takes the application object's menu bar; this one mirrors the program's File menu. It is
        // made before the application object is registered, as start-up does, so that it outlives its items.
        Ref<MenuBar> bar = MakeRef<MenuBar>();
        Ref<MenuItem> file = MakeRef<MenuItem>();
        file->SetName("FileMenu");
        file->SetText("&File");
        Ref<MenuItem> quit = MakeRef<QuitMenuItem>();
        quit->SetName("FileQuit");
        quit->SetText("Quit");
        quit->SetCommandKey("Q");
        file->Append(quit);
        Ref<MenuItem> about = MakeRef<MenuItem>();
        about->SetName("AboutItem");
        about->SetText("About");
        about->SetCommandKey("A");
        file->Append(about);
        bar->Append(file);
        Ref<Application> app = MakeRef<Application>();
        app->SetMenuBar(bar);
        RegisterApplication(app);
    }

    void SetUp() override
    {
        PluginMethods = nullptr;
        window_ = CurrentWindow<MainWin>();
        h_.window = window_->Handle();
        h_.demoPath = window_->DemoPathBox()->Handle();
        h_.playerName = window_->PlayerNameBox()->Handle();
        h_.onlyPlayer = window_->OnlyPlayerChek()->Handle();
        h_.numPerPlayer = window_->NumPerPlayerBox()->Handle();
        h_.limitPerPlayer = window_->NumPlayerChek()->Handle();
        h_.numPerChallenge = window_->NumPerChallengeBox()->Handle();
        h_.browse = window_->BrowseButton()->Handle();
        h_.go = window_->GoButton()->Handle();
        h_.quit = window_->QuitButton()->Handle();
        h_.demoPathLabel = window_->StaticText1()->Handle();
        h_.numPerChallengeLabel = window_->NumPerChallengeLabel()->Handle();
        h_.canvas = window_->KestrinCanvas()->Handle();
        h_.playerNameLabel = window_->PlayerNameLabel()->Handle();
        h_.numPerPlayerLabel = window_->NumPerPlayerLabel()->Handle();
    }

    void TearDown() override
    {
        window_ = nullptr;
        PluginMethods = nullptr;
    }

    static void TearDownTestSuite()
    {
        ReleaseDemoLists();
    }

    // Runs the event loop here while `drive` works the window; whatever is left open is closed afterwards.
    void Drive(const std::function<void()>& drive)
    {
        std::string escaped;
        gui::DriveWhile(
            [&] {
                try {
                    RuntimeRun();
                } catch (const std::exception& e) {
                    escaped = e.what();
                    // The driver may still be talking to the window; once it is gone, its calls return.
                    window_->Close();
                }
            },
            drive);
        EXPECT_EQ("", escaped) << "a handler raised an exception";
    }

    // Fills in the six settings as a user would.
    void Settings(const std::string& path, const std::string& perChallenge, const std::string& perPlayer,
                  const std::string& player, bool onlyPlayer, bool limitPerPlayer)
    {
        gui::TypeText(h_.demoPath, path);
        gui::TypeText(h_.numPerChallenge, perChallenge);
        gui::TypeText(h_.numPerPlayer, perPlayer);
        gui::TypeText(h_.playerName, player);
        if (gui::IsChecked(h_.limitPerPlayer) != limitPerPlayer) {
            ClickNow(h_.limitPerPlayer);
        }
        if (gui::IsChecked(h_.onlyPlayer) != onlyPlayer) {
            ClickNow(h_.onlyPlayer);
        }
    }

    Ref<MainWin> window_;
    MainWinHandles h_;
};

TEST_F(MainWinTest, LayoutMatchesTheFourRowsInCreationOrder)
{
    struct Expected {
        const char* className;
        RECT rect; // left, top, right, bottom
        const char* text;
    };
    const Expected expected[] = {
        {"Edit", {101, 14, 586, 35}, ""},
        {"Edit", {210, 54, 395, 76}, ""},
        {"Button", {417, 56, 589, 76}, "Only process this player"},
        {"Edit", {210, 127, 247, 149}, ""},
        {"Button", {417, 127, 536, 148}, "Limit per player"},
        {"Edit", {210, 95, 247, 117}, ""},
        {"Button", {606, 14, 688, 34}, "Browse..."},
        {"Button", {606, 55, 688, 75}, "Go!"},
        {"Button", {606, 96, 688, 116}, "Quit"},
        {"Static", {16, 15, 116, 35}, "Demo Path:"},
        {"Static", {16, 95, 201, 115}, "Number to keep per challenge:"},
        {"Static", {20, 163, 60, 213}, ""},
        {"Static", {16, 55, 175, 75}, "Player Name:"},
        {"Static", {16, 127, 175, 147}, "Number to keep per player:"},
    };
    Drive([&] {
        EXPECT_EQ(kTitle, gui::ReadText(h_.window));
        const SIZE client = gui::ClientSize(h_.window);
        EXPECT_EQ(705, client.cx);
        EXPECT_EQ(242, client.cy);
        EXPECT_NE(nullptr, GetMenu(h_.window));
        const std::vector<HWND> children = gui::Children(h_.window);
        ASSERT_EQ(std::size(expected), children.size());
        for (size_t i = 0; i < children.size(); ++i) {
            SCOPED_TRACE(expected[i].text);
            EXPECT_EQ(expected[i].className, gui::ClassName(children[i]));
            const RECT rect = gui::ChildRect(children[i]);
            EXPECT_EQ(expected[i].rect.left, rect.left);
            EXPECT_EQ(expected[i].rect.top, rect.top);
            EXPECT_EQ(expected[i].rect.right, rect.right);
            EXPECT_EQ(expected[i].rect.bottom, rect.bottom);
            EXPECT_EQ(expected[i].text, gui::ReadText(children[i]));
            EXPECT_TRUE(gui::IsEnabled(children[i]));
            EXPECT_TRUE(IsWindowVisible(children[i]));
        }
        EXPECT_FALSE(gui::IsChecked(h_.onlyPlayer));
        EXPECT_FALSE(gui::IsChecked(h_.limitPerPlayer));
    });
    // The model behind the native windows: fonts, the shared logo, and the menu items by name.
    EXPECT_EQ("System", window_->DemoPathBox()->TextFont());
    EXPECT_EQ(12, window_->NumPerPlayerLabel()->TextSize());
    EXPECT_EQ(LogoPicture(), window_->KestrinCanvas()->Backdrop());
    EXPECT_EQ("FileQuit", window_->FileQuit()->Name());
    EXPECT_EQ("AboutItem", window_->AboutItem()->Name());
    EXPECT_EQ("FileMenu", window_->FileMenu()->Name());
}

TEST_F(MainWinTest, ScreenshotForReview)
{
    Drive([&] {
        Settings("C:\\Games\\Tarnwick\\Demos\\", "3", "2", "UnnamedPlayer", false, true);
        const std::wstring folder = Widen(SCREENSHOT_FOLDER);
        CreateDirectoryW(folder.c_str(), nullptr);
        EXPECT_TRUE(gui::SaveScreenshot(h_.window, folder + L"/MainWin.bmp"));
    });
}

TEST_F(MainWinTest, CheckBoxesEnableThePlayerAndPerPlayerControls)
{
    // After each click: PlayerNameBox and its label, NumPlayerChek, NumPerPlayerBox and its label.
    struct Step {
        HWND MainWinHandles::*box;
        bool playerName;
        bool limitEnabled;
        bool perPlayer;
        bool onlyChecked;
        bool limitChecked;
    };
    const Step steps[] = {
        {&MainWinHandles::limitPerPlayer, false, true, true, false, true},
        {&MainWinHandles::onlyPlayer, true, false, false, true, true}, // "Limit per player" keeps its mark
        {&MainWinHandles::onlyPlayer, false, true, true, false, true},
        {&MainWinHandles::limitPerPlayer, false, true, false, false, false},
        {&MainWinHandles::onlyPlayer, true, false, false, true, false},
        {&MainWinHandles::onlyPlayer, false, true, false, false, false},
    };
    Drive([&] {
        for (size_t i = 0; i < std::size(steps); ++i) {
            SCOPED_TRACE("step " + std::to_string(i + 1));
            ClickNow(h_.*steps[i].box);
            EXPECT_EQ(steps[i].onlyChecked, gui::IsChecked(h_.onlyPlayer));
            EXPECT_EQ(steps[i].limitChecked, gui::IsChecked(h_.limitPerPlayer));
            EXPECT_EQ(steps[i].playerName, gui::IsEnabled(h_.playerName));
            EXPECT_EQ(steps[i].playerName, gui::IsEnabled(h_.playerNameLabel));
            EXPECT_EQ(steps[i].limitEnabled, gui::IsEnabled(h_.limitPerPlayer));
            EXPECT_EQ(steps[i].perPlayer, gui::IsEnabled(h_.numPerPlayer));
            EXPECT_EQ(steps[i].perPlayer, gui::IsEnabled(h_.numPerPlayerLabel));
            for (HWND always : {h_.demoPath, h_.numPerChallenge, h_.demoPathLabel, h_.numPerChallengeLabel,
                                h_.browse, h_.go, h_.quit, h_.canvas, h_.onlyPlayer}) {
                EXPECT_TRUE(gui::IsEnabled(always));
            }
        }
    });
}

// Four demos of one challenge in name order: 1 and 3 by ann, 2 by bob, 4 by cat; plus a file that is no demo.
const char* const kWorkedExample[] = {"Cliff]1(ann.Race).dm_68", "Cliff]2(bob.Race).dm_68",
                                      "Cliff]3(ann.Race).dm_68", "Cliff]4(cat.Race).dm_68"};

TEST_F(MainWinTest, GoPrunesTheWorkedExampleInEachMode)
{
    struct Mode {
        const char* name;
        const char* perChallenge;
        const char* perPlayer;
        const char* player;
        bool onlyPlayer;
        bool limitPerPlayer;
        std::vector<std::string> left;
    };
    const std::string d1 = kWorkedExample[0], d2 = kWorkedExample[1], d4 = kWorkedExample[3];
    const Mode modes[] = {
        {"all players", "2", "3", "", false, false, {d1, d2, "notes.txt"}},
        {"one player", "1", "3", "ANN", true, false, {d1, d2, d4, "notes.txt"}},
        {"both boxes: one player", "1", "3", "ann", true, true, {d1, d2, d4, "notes.txt"}},
        {"per player", "2", "1", "", false, true, {d1, d2, "notes.txt"}},
    };
    for (const Mode& mode : modes) {
        SCOPED_TRACE(mode.name);
        TempFolder demos;
        for (const char* name : kWorkedExample) {
            demos.MakeFile(Widen(name));
        }
        demos.MakeFile(L"notes.txt");
        SetUp();
        Drive([&] {
            Settings(demos.PathUtf8(), mode.perChallenge, mode.perPlayer, mode.player, mode.onlyPlayer,
                     mode.limitPerPlayer);
            EXPECT_EQ(kDone, PressAndAnswer(h_.go));
            EXPECT_EQ(mode.left, Names(demos));
            // The same press again finds nothing more to delete.
            EXPECT_EQ(kDone, PressAndAnswer(h_.go));
            EXPECT_EQ(mode.left, Names(demos));
        });
    }
}

TEST_F(MainWinTest, GoReportsBadInputAndDeletesNothing)
{
    TempFolder demos;
    for (const char* name : kWorkedExample) {
        demos.MakeFile(Widen(name));
    }
    const std::vector<std::string> all = Names(demos);
    struct Row {
        std::string path;
        const char* perChallenge;
        const char* perPlayer;
        const char* message;
    };
    const Row rows[] = {
        {demos.PathUtf8(), "", "3", "Number to keep per challenge must be 1 or more."},
        {demos.PathUtf8(), "0.99", "0", "Number to keep per challenge must be 1 or more."},
        {demos.PathUtf8(), "2abc", "0", "Number to keep per player must be 1 or more."},
        {demos.PathUtf8() + "\\missing", "1", "1", "Demo directory doesn't exist."},
        {demos.PathUtf8() + "\\" + kWorkedExample[0], "1", "1", "No demos found in demo directory."},
    };
    Drive([&] {
        for (const Row& row : rows) {
            SCOPED_TRACE(row.message);
            Settings(row.path, row.perChallenge, row.perPlayer, "", false, false);
            EXPECT_EQ(row.message, PressAndAnswer(h_.go));
            EXPECT_EQ(all, Names(demos));
        }
    });
}

TEST_F(MainWinTest, ADemoThatCannotBeDeletedStaysWhileTheRunGoesOn)
{
    // Three demos of one challenge by one player, keep 1: the second and third are surplus. What cannot go stays,
    // the rest still goes, and the last box counts each demo that stayed once, although in the per-player mode
    // both passes try it.
    const char* const names[] = {"Dock]1(ann.Race).dm_68", "Dock]2(ann.Race).dm_68", "Dock]3(ann.Race).dm_68"};
    enum class Stuck { kNone, kReadOnly, kHeldOpen, kFullFolder };
    const struct {
        const char* what;
        Stuck second;
        Stuck third;
        bool perPlayer;
        const char* box;
    } cases[] = {
        {"read-only", Stuck::kReadOnly, Stuck::kNone, false, "Done!\r\n1 demo could not be deleted."},
        {"held open", Stuck::kHeldOpen, Stuck::kNone, false, "Done!\r\n1 demo could not be deleted."},
        {"folder with a file in it, both passes", Stuck::kFullFolder, Stuck::kNone, true,
         "Done!\r\n1 demo could not be deleted."},
        {"read-only and a full folder, both passes", Stuck::kFullFolder, Stuck::kReadOnly, true,
         "Done!\r\n2 demos could not be deleted."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder demos;
        FileHandle held;
        std::vector<std::string> left = {names[0]};
        for (size_t i = 0; i < 3; ++i) {
            const Stuck stuck = i == 1 ? c.second : i == 2 ? c.third : Stuck::kNone;
            const std::wstring name = Widen(names[i]);
            if (stuck == Stuck::kFullFolder) {
                demos.MakeFolder(name);
                demos.MakeFile(name + L"\\inside.txt");
            } else {
                demos.MakeFile(name);
            }
            if (stuck == Stuck::kReadOnly) {
                SetFileAttributesW(demos.PathOf(name).c_str(), FILE_ATTRIBUTE_READONLY);
            } else if (stuck == Stuck::kHeldOpen) {
                held.Reset(CreateFileW(demos.PathOf(name).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
                ASSERT_TRUE(held);
            }
            if (stuck != Stuck::kNone) {
                left.push_back(names[i]);
            }
        }
        SetUp();
        Drive([&] {
            Settings(demos.PathUtf8(), "1", "1", "", false, c.perPlayer);
            EXPECT_EQ(c.box, PressAndAnswer(h_.go));
        });
        EXPECT_EQ(left, Names(demos));
        held.Reset();
    }
}

TEST_F(MainWinTest, ADemoWithoutAPlayerIsReportedAndNothingIsDeleted)
{
    TempFolder demos;
    for (const char* name : kWorkedExample) {
        demos.MakeFile(Widen(name));
    }
    demos.MakeFile(L"Cliff]5.Race.dm_68"); // no "(": an empty player field
    const std::vector<std::string> all = Names(demos);
    Drive([&] {
        for (bool limitPerPlayer : {false, true}) {
            Settings(demos.PathUtf8(), "1", "1", "", false, limitPerPlayer);
            EXPECT_EQ("Zorazizadirer: unrecoverable error", PressAndAnswer(h_.go));
            EXPECT_EQ(all, Names(demos));
            // The program goes on: the window is still there and takes the next press.
            EXPECT_TRUE(IsWindow(h_.window));
        }
    });
}

// Stands in for the plug-in's SelectFolder: hands over one reference to a folder, or nil for Cancel.
std::atomic<int> selectFolderCalls{0};
FolderItem* chosenFolder = nullptr;

FolderItem* FakeSelectFolder()
{
    ++selectFolderCalls;
    if (chosenFolder != nullptr) {
        chosenFolder->AddRef();
    }
    return chosenFolder;
}

void BindFakeSelectFolder()
{
    PluginMethods = RuntimeAllocatePluginEntrypointsTable(1);
    (*PluginMethods)[kSelectFolderSlot] = reinterpret_cast<PluginEntrypoint>(&FakeSelectFolder);
}

TEST_F(MainWinTest, BrowsePutsTheChosenFolderIntoThePathAndReleasesIt)
{
    TempFolder demos;
    Ref<FolderItem> folder = GetFolderItem(demos.PathUtf8());
    chosenFolder = folder.Get();
    selectFolderCalls = 0;
    BindFakeSelectFolder();
    Drive([&] {
        gui::TypeText(h_.demoPath, "typed before");
        gui::Click(h_.browse);
        WaitForPostedQueue(h_.onlyPlayer);
        EXPECT_EQ(demos.PathUtf8() + "\\", gui::ReadText(h_.demoPath));
        EXPECT_FALSE(MessageBoxOpen());
    });
    chosenFolder = nullptr;
    EXPECT_EQ(1, selectFolderCalls.load());
    EXPECT_EQ(1, folder->ReferenceCount());
}

TEST_F(MainWinTest, BrowseCancelledChangesNothing)
{
    chosenFolder = nullptr;
    selectFolderCalls = 0;
    BindFakeSelectFolder();
    Drive([&] {
        gui::TypeText(h_.demoPath, "C:\\kept");
        gui::Click(h_.browse);
        WaitForPostedQueue(h_.onlyPlayer);
        EXPECT_EQ("C:\\kept", gui::ReadText(h_.demoPath));
        EXPECT_FALSE(MessageBoxOpen());
    });
    EXPECT_EQ(1, selectFolderCalls.load());
}

TEST_F(MainWinTest, BrowseWithoutThePluginSaysSoInsteadOfCallingIt)
{
    for (bool tableMade : {false, true}) {
        SCOPED_TRACE(tableMade ? "empty slot" : "no table");
        SetUp();
        if (tableMade) {
            PluginMethods = RuntimeAllocatePluginEntrypointsTable(1);
        }
        Drive([&] {
            gui::TypeText(h_.demoPath, "C:\\kept");
            EXPECT_EQ("Folder browsing is not available. Type the demo folder's path into the Demo Path field.",
                      PressAndAnswer(h_.browse));
            EXPECT_EQ("C:\\kept", gui::ReadText(h_.demoPath));
        });
    }
}

TEST_F(MainWinTest, KeysGoToTheFieldsAndCtrlWDoesNothing)
{
    Drive([&] {
        gui::TypeText(h_.demoPath, "abc");
        // A click in the field gives it the focus, as the user's would.
        SendMessageW(h_.demoPath, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 5));
        SendMessageW(h_.demoPath, WM_LBUTTONUP, 0, MAKELPARAM(200, 5));
        gui::PressCtrlKey(h_.window, 'W');
        // A plain key after it: once it shows, Ctrl+W has been through the loop too.
        INPUT key[2] = {};
        key[0].type = key[1].type = INPUT_KEYBOARD;
        key[0].ki.wVk = key[1].ki.wVk = 'X';
        key[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, key, sizeof(INPUT));
        gui::WaitUntil([&] { return gui::ReadText(h_.demoPath) != "abc"; });
        EXPECT_EQ("abcx", gui::ReadText(h_.demoPath));
        EXPECT_TRUE(IsWindowVisible(h_.window));
        EXPECT_FALSE(MessageBoxOpen());
    });
}

TEST_F(MainWinTest, TheCloseBoxClosesTheWindowAndEndsTheLoop)
{
    // The loop ends on its own: the driver only asks for the close box, and does not wait for the loop.
    std::thread driver([&] { PostMessageW(h_.window, WM_SYSCOMMAND, SC_CLOSE, 0); });
    RuntimeRun();
    driver.join();
    EXPECT_FALSE(window_->IsOpen());
    EXPECT_FALSE(IsWindow(h_.window));
    EXPECT_FALSE(RuntimeGetImplicitWindow<MainWin>());
}

// The logo as the build draws it: a 36 x 50, 8-bit, 256-colour, uncompressed BMP of 2,878 bytes.
void ExpectLogoHeaders(const BITMAPINFOHEADER& info)
{
    EXPECT_EQ(40u, info.biSize);
    EXPECT_EQ(36, info.biWidth);
    EXPECT_EQ(50, info.biHeight); // positive: bottom row first
    EXPECT_EQ(1, info.biPlanes);
    EXPECT_EQ(8, info.biBitCount);
    EXPECT_EQ(static_cast<DWORD>(BI_RGB), info.biCompression);
    EXPECT_EQ(1800u, info.biSizeImage);
    EXPECT_TRUE(info.biClrUsed == 0 || info.biClrUsed == 256);
}

TEST(MainWinLogo, TheBuiltFileHasTheExpectedLayout)
{
    std::ifstream file(LOGO_BMP_FILE, std::ios::binary);
    ASSERT_TRUE(file);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    ASSERT_EQ(2878u, bytes.size());
    BITMAPFILEHEADER header{};
    std::copy_n(bytes.data(), sizeof header, reinterpret_cast<char*>(&header));
    EXPECT_EQ(0x4D42, header.bfType); // "BM"
    EXPECT_EQ(2878u, header.bfSize);
    EXPECT_EQ(14u + 40u + 1024u, header.bfOffBits);
    BITMAPINFOHEADER info{};
    std::copy_n(bytes.data() + 14, sizeof info, reinterpret_cast<char*>(&info));
    ExpectLogoHeaders(info);
}

BOOL CALLBACK AddResourceId(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR list)
{
    reinterpret_cast<std::vector<int>*>(list)->push_back(
        IS_INTRESOURCE(name) ? static_cast<int>(reinterpret_cast<ULONG_PTR>(name)) : -1);
    return TRUE;
}

// The bitmaps a program carries, by id.
std::vector<int> BitmapIds(HMODULE module)
{
    std::vector<int> ids;
    EnumResourceNamesW(module, MAKEINTRESOURCEW(2), AddResourceId, reinterpret_cast<LONG_PTR>(&ids)); // RT_BITMAP
    return ids;
}

TEST(MainWinLogo, TheProgramCarriesItAsItsOnlyBitmap)
{
    HMODULE program = LoadLibraryExW(Widen(HALVARD_EXE).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, program);
    EXPECT_EQ(std::vector<int>{IDB_LOGO}, BitmapIds(program));
    HRSRC resource = FindResourceW(program, MAKEINTRESOURCEW(IDB_LOGO), MAKEINTRESOURCEW(2));
    ASSERT_NE(nullptr, resource);
    // A bitmap resource is the file without its 14-byte file header.
    EXPECT_EQ(2878u - 14u, SizeofResource(program, resource));
    const auto* info = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(program, resource)));
    ASSERT_NE(nullptr, info);
    ExpectLogoHeaders(*info);
    FreeLibrary(program);
}

TEST(MainWinLogo, EveryCanvasSharesOnePicture)
{
    Ref<Picture> first = LogoPicture();
    EXPECT_EQ(first, LogoPicture());
    EXPECT_EQ(36, first->Width());
    EXPECT_EQ(50, first->Height());
}

} // namespace
