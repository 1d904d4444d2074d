// Browse on the real main window with the real plug-in installed and bound as start-up does it.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "DemoList.h"
#include "MainWin.h"
#include "PluginMethods.h"
#include "plugins/PluginHost.h"
#include "support/GuiDriver.h"
#include "text/Unicode.h"
#include "ui/Application.h"
#include "ui/EventLoop.h"

namespace {

// Waits until the field's text is no longer `before`; false when it never changes.
bool WaitForNewText(HWND field, const std::string& before)
{
    return gui::WaitUntil([&] { return gui::ReadText(field) != before; });
}

bool IsFolder(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

TEST(MainWinBrowse, TheFolderDialogFillsThePathAndCancelChangesNothing)
{
    InstallPlugins();
    BindPluginMethods();
    ASSERT_TRUE(SelectFolderAvailable());
    CreateDemoLists();
    RegisterApplication(MakeRef<Application>());
    Ref<MainWin> window = CurrentWindow<MainWin>();
    HWND path = window->DemoPathBox()->Handle();
    HWND browse = window->BrowseButton()->Handle();
    const DWORD self = GetCurrentProcessId();

    gui::DriveWhile([] { RuntimeRun(); }, [&] {
        gui::TypeText(path, "C:\\kept");
        gui::Click(browse);
        gui::MessageBoxInfo dialog;
        dialog.window = gui::WaitForWindow(self, "Browse for Folder", L"#32770");
        ASSERT_NE(nullptr, dialog.window);
        ASSERT_TRUE(gui::DismissMessageBox(dialog, IDCANCEL));

        gui::Click(browse);
        dialog.window = gui::WaitForWindow(self, "Browse for Folder", L"#32770");
        ASSERT_NE(nullptr, dialog.window);
        // Cancel's handler has finished before the second dialog could open.
        EXPECT_EQ("C:\\kept", gui::ReadText(path));
        ASSERT_TRUE(gui::DismissMessageBox(dialog, IDOK));
        ASSERT_TRUE(WaitForNewText(path, "C:\\kept"));
        // Which folder Wine preselects varies while its shell warms up; any chosen folder comes back whole.
        const std::string chosen = gui::ReadText(path);
        EXPECT_EQ('\\', chosen.back()) << chosen;
        EXPECT_TRUE(IsFolder(chosen)) << chosen;
    });
    window = nullptr;
    ReleaseDemoLists();
    UninstallPlugins();
}

} // namespace
