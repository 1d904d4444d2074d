// The application object's Activate and menu commands.
#include "App.h"

#include "AboutWin.h"
#include "MainWin.h"
#include "Prefs.h"
#include "PrefsFile.h"
#include "ui/EventLoop.h"

void App::Activate()
{
    if (PrefsLoaded) {
        return;
    }
    LoadPrefsOrDefaults();
    PrefsLoaded = true;
}

bool App::AboutItem_Action()
{
    Ref<AboutWin> window = CurrentWindow<AboutWin>();
    if (!window) {
        throw NilObjectException();
    }
    ShowModal(window);
    return false;
}

bool App::FileQuit_Action()
{
    SavePrefs(ExistingMainWin()->ReadSettings());
    Quit();
    return false;
}

bool App_AboutItem::Action(int32_t index)
{
    (void)index;
    return owner->AboutItem_Action();
}

bool App_FileQuit::Action(int32_t index)
{
    (void)index;
    return owner->FileQuit_Action();
}
