// The real Halvard.exe copied into a fresh program folder and driven as a user would: its preferences file across
// starts and quits, the About window, a pruning run in each mode, and the report that ends a start or a quit that
// cannot read or write the file. The File menu itself is checked in this process, where it can be read.
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "App.h"
#include "core/Handle.h"
#include "MainBar.h"
#include "Prefs.h"
#include "support/GuiDriver.h"
#include "support/HalvardFolder.h"
#include "support/TempFolder.h"
#include "text/Unicode.h"
#include "ui/QuitMenuItem.h"
#include "ui/Window.h"

namespace {

const char kDefaultsTail[] = "3\r\n3\r\n0\r\n0\r\nUnnamedPlayer\r\n";

// What the main window shows, read through its native controls.
struct Shown {
    std::string demoPath;
    std::string numPerChallenge;
    std::string numPerPlayer;
    bool limitPerPlayer = false;
    bool onlyPlayer = false;
    std::string playerName;
};

// Which of the controls that the two check boxes govern are enabled.
struct EnableState {
    bool playerName;
    bool limitPerPlayer;
    bool numPerPlayer;
};

struct MainWindow {
    explicit MainWindow(HWND hwnd)
        : window(hwnd),
          demoPath(gui::ChildOfClass(hwnd, L"Edit", 0)),
          playerName(gui::ChildOfClass(hwnd, L"Edit", 1)),
          numPerPlayer(gui::ChildOfClass(hwnd, L"Edit", 2)),
          numPerChallenge(gui::ChildOfClass(hwnd, L"Edit", 3)),
          onlyPlayer(gui::FindChild(hwnd, "Only process this player")),
          limitPerPlayer(gui::FindChild(hwnd, "Limit per player")),
          go(gui::FindChild(hwnd, "Go!")),
          quit(gui::FindChild(hwnd, "Quit")),
          playerNameLabel(gui::FindChild(hwnd, "Player Name:")),
          numPerPlayerLabel(gui::FindChild(hwnd, "Number to keep per player:"))
    {
    }

    Shown Read() const
    {
        return {gui::ReadText(demoPath),         gui::ReadText(numPerChallenge), gui::ReadText(numPerPlayer),
                gui::IsChecked(limitPerPlayer), gui::IsChecked(onlyPlayer),     gui::ReadText(playerName)};
    }

    // A label is enabled together with its field; a label that disagrees reads as a fault of the field.
    EnableState Enabled() const
    {
        return {gui::IsEnabled(playerName) && gui::IsEnabled(playerNameLabel), gui::IsEnabled(limitPerPlayer),
                gui::IsEnabled(numPerPlayer) && gui::IsEnabled(numPerPlayerLabel)};
    }

    void Type(const Shown& values) const
    {
        gui::TypeText(demoPath, values.demoPath);
        gui::TypeText(numPerChallenge, values.numPerChallenge);
        gui::TypeText(numPerPlayer, values.numPerPlayer);
        gui::TypeText(playerName, values.playerName);
        if (gui::IsChecked(limitPerPlayer) != values.limitPerPlayer) {
            SendMessageW(limitPerPlayer, BM_CLICK, 0, 0);
        }
        if (gui::IsChecked(onlyPlayer) != values.onlyPlayer) {
            SendMessageW(onlyPlayer, BM_CLICK, 0, 0);
        }
    }

    HWND window;
    HWND demoPath;
    HWND playerName;
    HWND numPerPlayer;
    HWND numPerChallenge;
    HWND onlyPlayer;
    HWND limitPerPlayer;
    HWND go;
    HWND quit;
    HWND playerNameLabel;
    HWND numPerPlayerLabel;
};

void ExpectShown(const Shown& expected, const Shown& actual, const std::string& context)
{
    EXPECT_EQ(expected.demoPath, actual.demoPath) << context;
    EXPECT_EQ(expected.numPerChallenge, actual.numPerChallenge) << context;
    EXPECT_EQ(expected.numPerPlayer, actual.numPerPlayer) << context;
    EXPECT_EQ(expected.limitPerPlayer, actual.limitPerPlayer) << context;
    EXPECT_EQ(expected.onlyPlayer, actual.onlyPlayer) << context;
    EXPECT_EQ(expected.playerName, actual.playerName) << context;
}

void ExpectEnabled(const EnableState& expected, const EnableState& actual, const std::string& context)
{
    EXPECT_EQ(expected.playerName, actual.playerName) << context << ": player name";
    EXPECT_EQ(expected.limitPerPlayer, actual.limitPerPlayer) << context << ": Limit per player";
    EXPECT_EQ(expected.numPerPlayer, actual.numPerPlayer) << context << ": number per player";
}

std::string FileBytes(const Shown& values)
{
    return values.demoPath + "\r\n" + values.numPerChallenge + "\r\n" + values.numPerPlayer + "\r\n" +
           (values.limitPerPlayer ? "1" : "0") + "\r\n" + (values.onlyPlayer ? "1" : "0") + "\r\n" +
           values.playerName + "\r\n";
}

class HalvardEndToEndTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(program_.Installed()); }

    static MainWindow WaitForMain(const gui::Process& process)
    {
        HWND hwnd = gui::WaitForWindow(process.Id(), kMainTitle);
        EXPECT_NE(nullptr, hwnd) << "no main window";
        return MainWindow(hwnd);
    }

    // Quits through the Quit button and waits for the program to end normally.
    static void QuitByButton(gui::Process& process, const MainWindow& main)
    {
        gui::Click(main.quit);
        ASSERT_TRUE(process.WaitForExit());
        EXPECT_EQ(0u, process.ExitCode());
    }

    // The unhandled-exception report of a NilObjectException, then the end of the program.
    static void ExpectReportThenExit(gui::Process& process, const std::string& context)
    {
        const gui::MessageBoxInfo box = gui::WaitForMessageBox(process.Id());
        ASSERT_NE(nullptr, box.window) << context << ": no report";
        EXPECT_EQ("Message", box.caption) << context;
        EXPECT_EQ(kNilObjectReport, box.text) << context;
        EXPECT_TRUE(gui::DismissMessageBox(box)) << context;
        ASSERT_TRUE(process.WaitForExit()) << context;
        EXPECT_NE(0u, process.ExitCode()) << context;
    }

    void WritePrefsBytes(const std::string& bytes) const { program_.MakeFile(L"ZuvPrefs.txt", bytes); }
    std::vector<std::wstring> ProgramFolderEntries() const { return ListNames(program_.Path()); }
    // The program's folder as the program names it, with its separator.
    std::string ProgramPath() const { return program_.PathUtf8() + "\\"; }

    static void SaveScreenshot(const gui::Screenshot& shot, const wchar_t* name)
    {
        const std::wstring folder = WindowsPath(SCREENSHOT_FOLDER);
        CreateDirectoryW(folder.c_str(), nullptr);
        EXPECT_TRUE(shot.Save(folder + L"\\" + name));
    }

    HalvardFolder program_;
};

TEST_F(HalvardEndToEndTest, FirstStartWritesTheDefaultsBesideTheProgramFromAnyFolderAndWithAnyArguments)
{
    TempFolder elsewhere;
    auto process = program_.Start(elsewhere.Path(), L"notes.txt ZuvPrefs.txt -x");
    const MainWindow main = WaitForMain(*process);

    const Shown defaults{ProgramPath() + "Demos\\", "3", "3", false, false, "UnnamedPlayer"};
    ExpectShown(defaults, main.Read(), "first start");
    ExpectEnabled({false, true, false}, main.Enabled(), "both boxes unchecked");
    EXPECT_EQ(ProgramPath() + "Demos\\\r\n" + kDefaultsTail, program_.PrefsBytes());
    EXPECT_TRUE(ListNames(elsewhere.Path()).empty());

    gui::RequestClose(main.window);
    ASSERT_TRUE(process->WaitForExit());
    EXPECT_EQ(0u, process->ExitCode());
    EXPECT_EQ(FileBytes(defaults), program_.PrefsBytes());
    EXPECT_EQ((std::vector<std::wstring>{L"Halvard.exe", L"ZuvPrefs.txt"}), ProgramFolderEntries());
}

// The "Demo Path:" label reaches 15 pixels into the path field; none of them may show the label's background over
// the field's border, background or text, which would hide the drive letter of a loaded path.
TEST_F(HalvardEndToEndTest, ThePathFieldShowsWholeWhereItsLabelOverlapsIt)
{
    WritePrefsBytes(std::string("C:\\users\\player\\Demos\\\r\n") + kDefaultsTail);
    auto process = program_.Start();
    const MainWindow main = WaitForMain(*process);
    ASSERT_EQ("C:\\users\\player\\Demos\\", main.Read().demoPath);
    const RECT label = gui::ChildRect(gui::FindChild(main.window, "Demo Path:", L"Static"));
    const RECT field = gui::ChildRect(main.demoPath);
    RECT overlap{};
    ASSERT_TRUE(IntersectRect(&overlap, &label, &field));

    const gui::Screenshot shot = gui::Capture(main.window);
    ASSERT_FALSE(shot.bits.empty());
    SaveScreenshot(shot, L"HalvardMainWin.bmp");
    // The corner of the content area shows the window's background, away from every control.
    EXPECT_EQ(0, shot.CountAtClient(overlap, shot.AtClient(2, 2))) << "pixels of the field painted over by its label";
    QuitByButton(*process, main);
}

// Each way out, with settings changed in every field (text outside ASCII too): the Quit button and Ctrl+Q save
// them and the next start shows them; the close box saves nothing.
TEST_F(HalvardEndToEndTest, QuitSavesWhatTheWindowHoldsAndTheCloseBoxDoesNot)
{
    enum class Way { QuitButton, CtrlQ, FileQuitByKeyboard, CloseBox };
    const std::string before = "C:\\Old\\\r\n1\r\n1\r\n0\r\n0\r\nold\r\n";
    const struct {
        const char* way;
        Way how;
        Shown typed;
        bool saves;
    } cases[] = {
        {"Quit button", Way::QuitButton, {"C:\\Démos ü\\Ωmega\\", "7", "2", true, false, "José Ñandú"}, true},
        {"Ctrl+Q", Way::CtrlQ, {"", "abc", "-1", false, true, "名前"}, true},
        {"File > Quit by keyboard", Way::FileQuitByKeyboard, {"D:\\d\\", "0", "", true, true, "Zoë"}, true},
        {"close box", Way::CloseBox, {"E:\\lost\\", "9", "9", true, true, "lost"}, false},
    };
    for (const auto& c : cases) {
        WritePrefsBytes(before);
        {
            auto process = program_.Start();
            const MainWindow main = WaitForMain(*process);
            main.Type(c.typed);
            ExpectShown(c.typed, main.Read(), c.way);
            switch (c.how) {
            case Way::QuitButton:
                gui::Click(main.quit);
                break;
            case Way::CtrlQ:
                gui::PressCtrlKey(main.window, 'Q');
                break;
            case Way::FileQuitByKeyboard:
                gui::ChooseMenuItem(main.window, 'F', 0);
                break;
            case Way::CloseBox:
                gui::RequestClose(main.window);
                break;
            }
            ASSERT_TRUE(process->WaitForExit()) << c.way;
            EXPECT_EQ(0u, process->ExitCode()) << c.way;
        }
        EXPECT_EQ(c.saves ? FileBytes(c.typed) : before, program_.PrefsBytes()) << c.way;
        EXPECT_EQ((std::vector<std::wstring>{L"Halvard.exe", L"ZuvPrefs.txt"}), ProgramFolderEntries()) << c.way;
        if (c.saves) {
            auto process = program_.Start();
            const MainWindow main = WaitForMain(*process);
            ExpectShown(c.typed, main.Read(), std::string(c.way) + ", next start");
            gui::RequestClose(main.window);
            EXPECT_TRUE(process->WaitForExit());
        }
    }
}

// Files that are not six CR LF lines load as far as they go, set the enable state from the loaded boxes, and come
// back as six CR LF lines at the next quit.
TEST_F(HalvardEndToEndTest, OddFilesLoadAndAreRewrittenWhole)
{
    const struct {
        const char* name;
        std::string bytes;
        Shown shown;
        EnableState enabled;
    } cases[] = {
        {"short", "C:\\a\\\r\n5\r\n6\r\n", {"C:\\a\\", "5", "6", true, true, ""}, {true, false, false}},
        {"empty", "", {"", "", "", true, true, ""}, {true, false, false}},
        {"overlong", "p\r\n1\r\n2\r\n1\r\n0\r\nann\r\nx\r\ny\r\n", {"p", "1", "2", true, false, "ann"},
         {false, true, true}},
        {"lone CR", "p\r4\r5\r0\r0\rbob\r", {"p", "4", "5", false, false, "bob"}, {false, true, false}},
        {"lone LF", "p\n4\n5\n0\nyes\nbob\n", {"p", "4", "5", false, true, "bob"}, {true, false, false}},
    };
    for (const auto& c : cases) {
        WritePrefsBytes(c.bytes);
        auto process = program_.Start();
        const MainWindow main = WaitForMain(*process);
        ExpectShown(c.shown, main.Read(), c.name);
        ExpectEnabled(c.enabled, main.Enabled(), c.name);
        QuitByButton(*process, main);
        EXPECT_EQ(FileBytes(c.shown), program_.PrefsBytes()) << c.name;
    }
}

// Coming back to the program from another one does not read the file again.
TEST_F(HalvardEndToEndTest, LaterActivationsDoNotReload)
{
    WritePrefsBytes("p\r\n1\r\n2\r\n0\r\n0\r\nann\r\n");
    auto process = program_.Start();
    const MainWindow main = WaitForMain(*process);
    const std::string changed = "q\r\n8\r\n9\r\n1\r\n1\r\nbob\r\n";
    WritePrefsBytes(changed);

    HWND other = CreateWindowExW(0, L"STATIC", L"elsewhere", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                 nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, other);
    SetForegroundWindow(other);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&msg);
    }
    SetForegroundWindow(main.window);
    DestroyWindow(other);

    ExpectShown({"p", "1", "2", false, false, "ann"}, main.Read(), "after coming back");
    gui::RequestClose(main.window);
    ASSERT_TRUE(process->WaitForExit());
    EXPECT_EQ(changed, program_.PrefsBytes());
}

// Ctrl+A and File > About by keyboard each open a new About window; typing in it does nothing, its close box
// closes it, and the main window is back as it was.
TEST_F(HalvardEndToEndTest, AboutWindowOpensModallyAndClosesByItsCloseBox)
{
    auto process = program_.Start();
    const MainWindow main = WaitForMain(*process);
    const Shown before = main.Read();

    for (int round = 0; round < 3; ++round) {
        if (round == 1) {
            gui::ChooseMenuItem(main.window, 'F', 1);
        } else {
            gui::PressCtrlKey(main.window, 'A');
        }
        HWND about = gui::WaitForWindow(process->Id(), kAboutTitle);
        ASSERT_NE(nullptr, about) << "round " << round;
        EXPECT_FALSE(gui::IsEnabled(main.window)) << "shown modally";
        const SIZE size = gui::ClientSize(about);
        EXPECT_EQ(286, size.cx);
        EXPECT_EQ(209, size.cy);

        const struct {
            const char* text;
            int top;
        } lines[] = {
            {"Tarnwick 1.9 Demo Pruner", 14},
            {"By Kestrin!", 44},
            {"Made with C++ and the Win32 API", 74},
            {"kestrin@example.com", 105},
        };
        for (const auto& line : lines) {
            HWND label = gui::FindChild(about, line.text, L"Static");
            ASSERT_NE(nullptr, label) << line.text;
            const RECT rect = gui::ChildRect(label);
            EXPECT_EQ(line.top, rect.top) << line.text;
            EXPECT_EQ(20, rect.left) << line.text;
            EXPECT_EQ(240, rect.right - rect.left) << line.text;
            EXPECT_NE(0, GetWindowLongW(label, GWL_STYLE) & SS_CENTER) << line.text;
        }
        const std::vector<HWND> children = gui::Children(about);
        ASSERT_EQ(5u, children.size());
        const RECT canvas = gui::ChildRect(children[0]);
        EXPECT_EQ(122, canvas.left);
        EXPECT_EQ(137, canvas.top);
        EXPECT_NE(0, SendMessageW(children[0], STM_GETIMAGE, IMAGE_BITMAP, 0)) << "logo";

        if (round == 0) {
            SaveScreenshot(gui::Capture(about), L"HalvardAboutWin.bmp");
            gui::PressCtrlKey(about, 'W');
            SendMessageW(about, WM_CHAR, 'x', 0);
            EXPECT_TRUE(IsWindow(about) && IsWindowVisible(about)) << "keys do not close it";
        }
        gui::RequestClose(about);
        ASSERT_TRUE(gui::WaitForWindowGone(about));
        EXPECT_TRUE(gui::IsEnabled(main.window));
    }
    ExpectShown(before, main.Read(), "after About");
    QuitByButton(*process, main);
}

// One run in each mode through the whole program: a demo folder typed in, Go, "Done!".
TEST_F(HalvardEndToEndTest, GoPrunesInEachMode)
{
    const std::vector<std::wstring> demos = {L"a]1(ann.x).dm_68", L"a]2(bob.x).dm_68", L"a]3(ann.x).dm_68",
                                             L"b]1(bob.x).dm_68", L"b]2(bob.x).dm_68", L"notes.txt"};
    const struct {
        const char* mode;
        Shown settings;
        std::vector<std::wstring> left;
    } cases[] = {
        {"all players", {"", "1", "1", false, false, ""},
         {L"a]1(ann.x).dm_68", L"b]1(bob.x).dm_68", L"notes.txt"}},
        {"one player", {"", "1", "1", false, true, "ANN"},
         {L"a]1(ann.x).dm_68", L"a]2(bob.x).dm_68", L"b]1(bob.x).dm_68", L"b]2(bob.x).dm_68", L"notes.txt"}},
        {"per player", {"", "2", "1", true, false, ""},
         {L"a]1(ann.x).dm_68", L"a]2(bob.x).dm_68", L"b]1(bob.x).dm_68", L"notes.txt"}},
    };
    WritePrefsBytes("\r\n3\r\n3\r\n0\r\n0\r\n\r\n");
    auto process = program_.Start();
    const MainWindow main = WaitForMain(*process);
    for (const auto& c : cases) {
        TempFolder demoFolder;
        for (const auto& name : demos) {
            demoFolder.MakeFile(name, "demo");
        }
        Shown settings = c.settings;
        settings.demoPath = demoFolder.PathUtf8();
        main.Type(settings);
        gui::Click(main.go);
        const gui::MessageBoxInfo box = gui::WaitForMessageBox(process->Id());
        ASSERT_NE(nullptr, box.window) << c.mode;
        EXPECT_EQ("Done!", box.text) << c.mode;
        EXPECT_TRUE(gui::DismissMessageBox(box));
        EXPECT_EQ(c.left, ListNames(demoFolder.Path())) << c.mode;
    }
    gui::RequestClose(main.window);
    ASSERT_TRUE(process->WaitForExit());
    EXPECT_EQ("\r\n3\r\n3\r\n0\r\n0\r\n\r\n", program_.PrefsBytes()) << "Go saves nothing";
}

// A file that exists but cannot be opened ends the start in the report, before the window is shown.
TEST_F(HalvardEndToEndTest, AnUnreadableFileEndsTheStartInTheReport)
{
    {
        program_.MakeFolder(L"ZuvPrefs.txt");
        auto process = program_.Start();
        ExpectReportThenExit(*process, "folder named ZuvPrefs.txt");
        EXPECT_TRUE(gui::TopWindows(process->Id()).empty());
        RemoveDirectoryW(program_.PrefsPath().c_str());
    }
    {
        WritePrefsBytes("kept\r\n");
        FileHandle held(CreateFileW(program_.PrefsPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        auto process = program_.Start();
        ExpectReportThenExit(*process, "file held without sharing");
        held.Reset();
        EXPECT_EQ("kept\r\n", program_.PrefsBytes());
    }
}

// A quit that cannot write the file ends in the same report, and the previous file stays whole.
TEST_F(HalvardEndToEndTest, AQuitThatCannotSaveEndsInTheReportAndKeepsThePreviousFile)
{
    const std::string before = "C:\\Old\\\r\n1\r\n1\r\n0\r\n0\r\nold\r\n";
    const struct {
        const char* way;
        bool readOnly; // otherwise held open without sharing
    } cases[] = {{"Quit button, read-only file", true}, {"Ctrl+Q, file held open", false}};
    for (const auto& c : cases) {
        WritePrefsBytes(before);
        auto process = program_.Start();
        const MainWindow main = WaitForMain(*process);
        main.Type({"C:\\New\\", "2", "2", true, true, "new"});
        FileHandle held;
        if (c.readOnly) {
            SetFileAttributesW(program_.PrefsPath().c_str(), FILE_ATTRIBUTE_READONLY);
            gui::Click(main.quit);
        } else {
            held.Reset(CreateFileW(program_.PrefsPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
            ASSERT_TRUE(held);
            gui::PressCtrlKey(main.window, 'Q');
        }
        ExpectReportThenExit(*process, c.way);
        held.Reset();
        SetFileAttributesW(program_.PrefsPath().c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(before, program_.PrefsBytes()) << c.way;
        EXPECT_EQ((std::vector<std::wstring>{L"Halvard.exe", L"ZuvPrefs.txt"}), ProgramFolderEntries()) << c.way;
    }
}

// Another process's menu cannot be read under Wine, so the menu is checked here, as a window shows it.
class MenuHost : public Window {
protected:
    void Layout() override
    {
        SetTitle("menu host");
        SetMenuBar(MainBarInstance());
    }
};

TEST(HalvardMenu, OneFileMenuWithQuitAboveAboutBothEnabled)
{
    // The host window's opening is the first activation, which has nothing to load here.
    PrefsLoaded = true;
    const auto app = MakeRef<App>();
    app->SetMenuBar(MainBarInstance());
    RegisterApplication(app);
    app->AddMenuHandler("AboutItem", MakeRef<App_AboutItem>(app));
    app->AddMenuHandler("FileQuit", MakeRef<App_FileQuit>(app));
    EXPECT_EQ(MainBarInstance().Get(), MainBarInstance().Get()) << "one instance";

    const Ref<MainBar> bar = MainBarInstance();
    ASSERT_EQ(1, bar->Count());
    const Ref<MenuItem> file = bar->Item(0);
    EXPECT_EQ("FileMenu", file->Name());
    ASSERT_EQ(2, file->Count());
    EXPECT_NE(nullptr, dynamic_cast<QuitMenuItem*>(file->Item(0).Get()));
    EXPECT_EQ("FileQuit", file->Item(0)->Name());
    EXPECT_EQ("AboutItem", file->Item(1)->Name());
    for (const Ref<MenuItem>& item : {file, file->Item(0), file->Item(1)}) {
        EXPECT_TRUE(item->AutoEnable() && item->IsActive()) << item->Name();
        EXPECT_FALSE(item->Bold() || item->Italic() || item->Underline()) << item->Name();
    }

    const Ref<MenuHost> host = OpenWindow<MenuHost>();
    HMENU menu = GetMenu(host->Handle());
    ASSERT_NE(nullptr, menu);
    ASSERT_EQ(1, GetMenuItemCount(menu));
    wchar_t text[64] = {};
    GetMenuStringW(menu, 0, text, 64, MF_BYPOSITION);
    EXPECT_EQ(L"&File", std::wstring(text));
    HMENU popup = GetSubMenu(menu, 0);
    ASSERT_EQ(2, GetMenuItemCount(popup));
    const wchar_t* const items[] = {L"Quit\tCtrl+Q", L"About\tCtrl+A"};
    for (int i = 0; i < 2; ++i) {
        GetMenuStringW(popup, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
        EXPECT_EQ(items[i], std::wstring(text));
        EXPECT_EQ(0u, GetMenuState(popup, static_cast<UINT>(i), MF_BYPOSITION) &
                          (MF_GRAYED | MF_DISABLED | MF_SEPARATOR | MF_CHECKED))
            << Narrow(items[i]);
    }
    host->Close();
}

} // namespace
