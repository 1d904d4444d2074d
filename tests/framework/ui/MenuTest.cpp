// Menus: the native menu built from the model, AutoEnable, handler routing, QuitMenuItem and the shortcuts.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "files/ProgramFolder.h"
#include "support/GuiDriver.h"
#include "ui/Application.h"
#include "ui/EventLoop.h"
#include "ui/QuitMenuItem.h"
#include "ui/Window.h"

namespace {

const DWORD self = GetCurrentProcessId();

std::wstring NextToThisProgram(const std::wstring& name)
{
    const std::wstring path = ExecutablePath();
    return path.substr(0, path.find_last_of(L'\\') + 1) + name;
}

class CountingHandler : public MenuHandler {
public:
    explicit CountingHandler(bool ends) : ends_(ends) {}
    bool Action(int32_t index) override
    {
        ++calls;
        lastIndex = index;
        return ends_;
    }
    int calls = 0;
    int32_t lastIndex = -2;

private:
    bool ends_;
};

struct Bar {
    Ref<MenuBar> bar = MakeRef<MenuBar>();
    Ref<MenuItem> file = MakeRef<MenuItem>();
    Ref<QuitMenuItem> quit = MakeRef<QuitMenuItem>();
    Ref<MenuItem> about = MakeRef<MenuItem>();
    Bar()
    {
        file->SetName("FileMenu");
        file->SetText("&File");
        quit->SetName("FileQuit");
        quit->SetText("Quit");
        quit->SetCommandKey("Q");
        about->SetName("AboutItem");
        about->SetText("About");
        about->SetCommandKey("A");
        file->Append(quit);
        file->Append(about);
        bar->Append(file);
    }
};

class MenuWin : public Window {
public:
    explicit MenuWin(Ref<::MenuBar> bar) : bar_(std::move(bar)) {}

protected:
    void Layout() override
    {
        SetMenuBar(bar_);
        SetTitle("Menus");
        SetWidth(300);
        SetHeight(100);
    }

private:
    Ref<::MenuBar> bar_;
};

std::string MenuString(HMENU menu, UINT position)
{
    wchar_t text[128] = {};
    GetMenuStringW(menu, position, text, 128, MF_BYPOSITION);
    std::string narrow;
    for (const wchar_t* c = text; *c != 0; ++c) {
        narrow += static_cast<char>(*c);
    }
    return narrow;
}

bool Greyed(HMENU menu, UINT position)
{
    return (GetMenuState(menu, position, MF_BYPOSITION) & MF_GRAYED) != 0;
}

TEST(Menu, NativeMenuShowsTextsShortcutsAndAutoEnable)
{
    Bar model;
    auto app = MakeRef<Application>();
    RegisterApplication(app);
    Ref<MenuWin> window = OpenWindow<MenuWin>(model.bar);
    HMENU bar = GetMenu(window->Handle());
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), 1);
    EXPECT_EQ(MenuString(bar, 0), "&File");
    HMENU file = GetSubMenu(bar, 0);
    ASSERT_EQ(GetMenuItemCount(file), 2);
    EXPECT_EQ(MenuString(file, 0), "Quit\tCtrl+Q");
    EXPECT_EQ(MenuString(file, 1), "About\tCtrl+A");
    // Without a handler About is greyed; Quit has its own handling and stays enabled.
    SendMessageW(window->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
    EXPECT_FALSE(Greyed(file, 0));
    EXPECT_TRUE(Greyed(file, 1));
    app->AddMenuHandler("aboutitem", MakeRef<CountingHandler>(true));
    SendMessageW(window->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
    EXPECT_FALSE(Greyed(file, 1));
    window->Close();
}

TEST(Menu, HandlerThatEndsTheCommandKeepsTheFrameworkOut)
{
    Bar model;
    auto app = MakeRef<Application>();
    auto quitHandler = MakeRef<CountingHandler>(true);
    app->AddMenuHandler("FileQuit", quitHandler);
    RegisterApplication(app);
    Ref<MenuWin> window = OpenWindow<MenuWin>(model.bar);
    bool stillOpen = false;
    gui::DriveWhile(RuntimeRun, [&] {
        SendMessageW(window->Handle(), WM_COMMAND, model.quit->CommandId(), 0);
        stillOpen = IsWindow(window->Handle()) != FALSE;
    });
    EXPECT_EQ(quitHandler->calls, 1);
    EXPECT_EQ(quitHandler->lastIndex, 0);
    EXPECT_TRUE(stillOpen);
}

TEST(Menu, HandlerReturningFalseLetsTheQuitItemQuit)
{
    Bar model;
    auto app = MakeRef<Application>();
    auto quitHandler = MakeRef<CountingHandler>(false);
    app->AddMenuHandler("FileQuit", quitHandler);
    RegisterApplication(app);
    OpenWindow<MenuWin>(model.bar);
    OpenWindow<MenuWin>(model.bar);
    gui::DriveWhile(RuntimeRun, [&] {
        HWND window = gui::WaitForWindow(self, "Menus");
        PostMessageW(window, WM_COMMAND, model.quit->CommandId(), 0);
        gui::WaitForWindowGone(window);
        EXPECT_TRUE(gui::TopWindows(self).empty());
    });
    EXPECT_EQ(quitHandler->calls, 1);
}

TEST(Menu, GreyedItemIgnoresItsCommand)
{
    Bar model;
    RegisterApplication(MakeRef<Application>());
    Ref<MenuWin> window = OpenWindow<MenuWin>(model.bar);
    // No handler for About: its shortcut must not reach anything, and nothing breaks.
    SendMessageW(window->Handle(), WM_COMMAND, model.about->CommandId(), 0);
    EXPECT_TRUE(window->IsOpen());
    window->Close();
}

TEST(Shortcuts, ReachTheHandlersThroughTheKeyboard)
{
    gui::Process probe(NextToThisProgram(L"toolkit_probe.exe"), L"", L"");
    HWND window = gui::WaitForWindow(probe.Id(), "Toolkit Probe");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(gui::SaveScreenshot(window, NextToThisProgram(L"toolkit_probe.bmp")));

    gui::PressCtrlKey(window, 'S');
    gui::MessageBoxInfo said = gui::WaitForMessageBox(probe.Id());
    EXPECT_EQ(said.text, "said");
    EXPECT_EQ(said.owner, window);
    gui::DismissMessageBox(said);

    // Typing goes to the field, not to the menu.
    HWND field = gui::ChildOfClass(window, L"Edit", 0);
    gui::TypeText(field, "q");
    EXPECT_EQ(gui::ReadText(field), "q");
    EXPECT_TRUE(IsWindow(window));

    gui::PressCtrlKey(window, 'Q');
    gui::MessageBoxInfo quitting = gui::WaitForMessageBox(probe.Id());
    EXPECT_EQ(quitting.text, "quitting");
    gui::DismissMessageBox(quitting);
    ASSERT_TRUE(probe.WaitForExit());
    EXPECT_EQ(probe.ExitCode(), 0u);
}

TEST(Shortcuts, StartUpExceptionIsReportedAndEndsTheProgram)
{
    gui::Process probe(NextToThisProgram(L"toolkit_probe.exe"), L"throw", L"");
    gui::MessageBoxInfo box = gui::WaitForMessageBox(probe.Id());
    EXPECT_EQ(box.caption, "Message");
    EXPECT_EQ(box.text, "An exception of class NilObjectException was not handled.\r\n"
                        "The application must shut down.");
    gui::DismissMessageBox(box);
    ASSERT_TRUE(probe.WaitForExit());
    EXPECT_EQ(probe.ExitCode(), 1u);
}

} // namespace
