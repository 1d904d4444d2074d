// Halvard's main routine: start-up in its fixed order, the event loop, and what is released when the loop ends.
#include <windows.h>

#include "App.h"
#include "DemoList.h"
#include "files/FileType.h"
#include "MainBar.h"
#include "MainWin.h"
#include "PluginMethods.h"
#include "plugins/PluginHost.h"
#include "ui/EventLoop.h"

namespace {

void RunHalvard()
{
    // Initialising the framework installs Pendrel, which registers SelectFolder before it is bound below.
    InstallPlugins();
    CreateDemoLists();
    BindPluginMethods();
    RuntimeRegisterFileType(FileType{"text", "????", "TEXT", {}});

    {
        // The framework keeps the application object; the handlers hold it as their owner.
        const auto app = MakeRef<App>();
        app->SetMenuBar(MainBarInstance());
        RegisterApplication(app);
        app->AddMenuHandler("AboutItem", MakeRef<App_AboutItem>(app));
        app->AddMenuHandler("FileQuit", MakeRef<App_FileQuit>(app));
    }

    // Building the window runs the application's first Activate, which loads the preferences into it.
    if (!CurrentWindow<MainWin>()) {
        throw NilObjectException();
    }
    RuntimeRun();
    ReleaseDemoLists();
}

} // namespace

// The command line is not read: the program opens no documents.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    const int result = RunProgram(RunHalvard);
    UninstallPlugins();
    return result;
}
