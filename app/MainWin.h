// The program's one working window: demo folder, player, the two numbers, the two check boxes, Browse, Go and Quit.
#pragma once

#include <string>

#include "MainWinControls.h"
#include "MainWinSettings.h"
#include "ui/QuitMenuItem.h"
#include "ui/Window.h"

// Made by CurrentWindow<MainWin>() at start-up. Layout takes the menu bar of the application object, so start-up
// must register the application object with its one MainBar before it opens this window (NilObjectException
// otherwise). The window lives until the program ends; its close box ends the program without saving.
class MainWin : public Window, public MainWinControls::Handlers {
public:
    // The enable rules that tie the player and per-player controls to the two check boxes. Only Enabled changes.
    void SetEnabledControls();
    // The six settings as the controls hold them now: what Go runs with and what the preferences save.
    MainWinSettings ReadSettings() const;

protected:
    // Every key goes on to the framework: the window has no keyboard command of its own.
    bool KeyDown(const std::string& key) override;
    void Layout() override;
    void CreateControls() override;

public:
    // Each accessor gives the control of that name with a new reference, checked to be of that class:
    // NilObjectException when it is missing, IllegalCastException when it is of another class.
    Ref<MainWinControls::DemoPathBox> DemoPathBox() const;
    Ref<MainWinControls::PlayerNameBox> PlayerNameBox() const;
    Ref<MainWinControls::OnlyPlayerChek> OnlyPlayerChek() const;
    void OnlyPlayerChek_Action(const Ref<MainWinControls::OnlyPlayerChek>& box) override;
    Ref<MainWinControls::NumPerPlayerBox> NumPerPlayerBox() const;
    Ref<MainWinControls::NumPlayerChek> NumPlayerChek() const;
    void NumPlayerChek_Action(const Ref<MainWinControls::NumPlayerChek>& box) override;
    Ref<MainWinControls::NumPerChallengeBox> NumPerChallengeBox() const;
    Ref<MainWinControls::BrowseButton> BrowseButton() const;
    // Puts the folder the user chooses into DemoPathBox; a cancelled dialog changes nothing.
    void BrowseButton_Action(const Ref<MainWinControls::BrowseButton>& button) override;
    Ref<MainWinControls::GoButton> GoButton() const;
    // Reads the six settings once and runs the validation and the pruning run.
    void GoButton_Action(const Ref<MainWinControls::GoButton>& button) override;
    Ref<MainWinControls::QuitButton> QuitButton() const;
    // Saves the preferences, then quits.
    void QuitButton_Action(const Ref<MainWinControls::QuitButton>& button) override;
    Ref<MainWinControls::StaticText1> StaticText1() const;
    Ref<MainWinControls::NumPerChallengeLabel> NumPerChallengeLabel() const;
    Ref<MainWinControls::KestrinCanvas> KestrinCanvas() const;
    Ref<MainWinControls::PlayerNameLabel> PlayerNameLabel() const;
    Ref<MainWinControls::NumPerPlayerLabel> NumPerPlayerLabel() const;
    // The items of this window's menu bar of those names.
    Ref<MenuItem> FileMenu() const;
    Ref<QuitMenuItem> FileQuit() const;
    Ref<MenuItem> AboutItem() const;
};

// The one main window, without making one when there is none: NilObjectException then.
Ref<MainWin> ExistingMainWin();
