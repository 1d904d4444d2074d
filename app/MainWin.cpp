// The main window: its properties and controls, the enable rules, and the Browse, Go and Quit handlers.
#include "MainWin.h"

#include "PluginMethods.h"
#include "PrefsFile.h"
#include "PruneRun.h"
#include "ui/Application.h"
#include "ui/EventLoop.h"
#include "ui/MsgBox.h"

namespace {

// The plug-in could not be bound at start, so the only way to name the folder is to type it.
const char kBrowseUnavailable[] =
    "Folder browsing is not available. Type the demo folder's path into the Demo Path field.";

} // namespace

using namespace MainWinControls;

void MainWin::SetEnabledControls()
{
    if (OnlyPlayerChek()->Value()) {
        PlayerNameBox()->SetEnabled(true);
        PlayerNameLabel()->SetEnabled(true);
        NumPlayerChek()->SetEnabled(false);
        NumPerPlayerLabel()->SetEnabled(false);
        NumPerPlayerBox()->SetEnabled(false);
        return;
    }
    PlayerNameBox()->SetEnabled(false);
    PlayerNameLabel()->SetEnabled(false);
    NumPlayerChek()->SetEnabled(true);
    const bool limitPerPlayer = NumPlayerChek()->Value();
    NumPerPlayerLabel()->SetEnabled(limitPerPlayer);
    NumPerPlayerBox()->SetEnabled(limitPerPlayer);
}

MainWinSettings MainWin::ReadSettings() const
{
    MainWinSettings settings;
    settings.demoPath = DemoPathBox()->Text();
    settings.numPerChallenge = NumPerChallengeBox()->Text();
    settings.numPerPlayer = NumPerPlayerBox()->Text();
    settings.limitPerPlayer = NumPlayerChek()->Value();
    settings.onlyPlayer = OnlyPlayerChek()->Value();
    settings.playerName = PlayerNameBox()->Text();
    return settings;
}

bool MainWin::KeyDown(const std::string& key)
{
    (void)key;
    return false;
}

void MainWin::Layout()
{
    SetMenuBar(GetApplication()->MenuBar());
    SetBackColor(Color(0xFFFFFF));
    SetTitle("Tarnwick 1.9 Demo Pruner");
    SetVisible(true);
    SetMenuBarVisible(true);
    SetCloseBox(true);
    SetWidth(705);
    SetHeight(242);
    SetMinWidth(64);
    SetMinHeight(64);
    SetMaxWidth(32000);
    SetMaxHeight(32000);
}

void MainWin::CreateControls()
{
    // Creation order is not screen order: the per-challenge field follows the per-player controls, and the labels
    // follow the buttons.
    Add(MakeRef<MainWinControls::DemoPathBox>());
    Add(MakeRef<MainWinControls::PlayerNameBox>());
    Add(MakeRef<MainWinControls::OnlyPlayerChek>());
    Add(MakeRef<MainWinControls::NumPerPlayerBox>());
    Add(MakeRef<MainWinControls::NumPlayerChek>());
    Add(MakeRef<MainWinControls::NumPerChallengeBox>());
    Add(MakeRef<MainWinControls::BrowseButton>());
    Add(MakeRef<MainWinControls::GoButton>());
    Add(MakeRef<MainWinControls::QuitButton>());
    Add(MakeRef<MainWinControls::StaticText1>());
    Add(MakeRef<MainWinControls::NumPerChallengeLabel>());
    Add(MakeRef<MainWinControls::KestrinCanvas>());
    Add(MakeRef<MainWinControls::PlayerNameLabel>());
    Add(MakeRef<MainWinControls::NumPerPlayerLabel>());
}

Ref<DemoPathBox> MainWin::DemoPathBox() const
{
    return ControlAs<MainWinControls::DemoPathBox>("DemoPathBox");
}

Ref<PlayerNameBox> MainWin::PlayerNameBox() const
{
    return ControlAs<MainWinControls::PlayerNameBox>("PlayerNameBox");
}

Ref<OnlyPlayerChek> MainWin::OnlyPlayerChek() const
{
    return ControlAs<MainWinControls::OnlyPlayerChek>("OnlyPlayerChek");
}

void MainWin::OnlyPlayerChek_Action(const Ref<MainWinControls::OnlyPlayerChek>& box)
{
    (void)box;
    SetEnabledControls();
}

Ref<NumPerPlayerBox> MainWin::NumPerPlayerBox() const
{
    return ControlAs<MainWinControls::NumPerPlayerBox>("NumPerPlayerBox");
}

Ref<NumPlayerChek> MainWin::NumPlayerChek() const
{
    return ControlAs<MainWinControls::NumPlayerChek>("NumPlayerChek");
}

void MainWin::NumPlayerChek_Action(const Ref<MainWinControls::NumPlayerChek>& box)
{
    (void)box;
    SetEnabledControls();
}

Ref<NumPerChallengeBox> MainWin::NumPerChallengeBox() const
{
    return ControlAs<MainWinControls::NumPerChallengeBox>("NumPerChallengeBox");
}

Ref<BrowseButton> MainWin::BrowseButton() const
{
    return ControlAs<MainWinControls::BrowseButton>("BrowseButton");
}

void MainWin::BrowseButton_Action(const Ref<MainWinControls::BrowseButton>& button)
{
    (void)button;
    if (!SelectFolderAvailable()) {
        MsgBox(kBrowseUnavailable);
        return;
    }
    Ref<FolderItem> folder = SelectFolder();
    if (!folder) {
        return;
    }
    DemoPathBox()->SetText(folder->AbsolutePath());
}

Ref<GoButton> MainWin::GoButton() const
{
    return ControlAs<MainWinControls::GoButton>("GoButton");
}

void MainWin::GoButton_Action(const Ref<MainWinControls::GoButton>& button)
{
    (void)button;
    PressGo(ReadSettings());
}

Ref<QuitButton> MainWin::QuitButton() const
{
    return ControlAs<MainWinControls::QuitButton>("QuitButton");
}

void MainWin::QuitButton_Action(const Ref<MainWinControls::QuitButton>& button)
{
    (void)button;
    SavePrefs(ReadSettings());
    Quit();
}

Ref<StaticText1> MainWin::StaticText1() const
{
    return ControlAs<MainWinControls::StaticText1>("StaticText1");
}

Ref<NumPerChallengeLabel> MainWin::NumPerChallengeLabel() const
{
    return ControlAs<MainWinControls::NumPerChallengeLabel>("NumPerChallengeLabel");
}

Ref<KestrinCanvas> MainWin::KestrinCanvas() const
{
    return ControlAs<MainWinControls::KestrinCanvas>("KestrinCanvas");
}

Ref<PlayerNameLabel> MainWin::PlayerNameLabel() const
{
    return ControlAs<MainWinControls::PlayerNameLabel>("PlayerNameLabel");
}

Ref<NumPerPlayerLabel> MainWin::NumPerPlayerLabel() const
{
    return ControlAs<MainWinControls::NumPerPlayerLabel>("NumPerPlayerLabel");
}

Ref<MenuItem> MainWin::FileMenu() const
{
    return CheckedCast<MenuItem>(MenuBar()->Find("FileMenu"));
}

Ref<QuitMenuItem> MainWin::FileQuit() const
{
    return CheckedCast<QuitMenuItem>(MenuBar()->Find("FileQuit"));
}

Ref<MenuItem> MainWin::AboutItem() const
{
    return CheckedCast<MenuItem>(MenuBar()->Find("AboutItem"));
}

Ref<MainWin> ExistingMainWin()
{
    Ref<MainWin> window = RuntimeGetImplicitWindow<MainWin>();
    if (!window) {
        throw NilObjectException();
    }
    return window;
}
