// The main window's fourteen controls, each its own class named after it, setting its own properties.
#pragma once

#include "ui/Canvas.h"
#include "ui/CheckBox.h"
#include "ui/EditField.h"
#include "ui/PushButton.h"
#include "ui/StaticText.h"

// A namespace of their own: the About window has controls of the same names (StaticText1, KestrinCanvas).
namespace MainWinControls {

// The four edit fields start empty.
class DemoPathBox : public EditField {
public:
    DemoPathBox();
};

class PlayerNameBox : public EditField {
public:
    PlayerNameBox();
};

class NumPerPlayerBox : public EditField {
public:
    NumPerPlayerBox();
};

class NumPerChallengeBox : public EditField {
public:
    NumPerChallengeBox();
};

// The check boxes start unchecked and hand their Action to the MainWin that holds them.
class OnlyPlayerChek : public CheckBox {
public:
    OnlyPlayerChek();

protected:
    void Action() override;
};

class NumPlayerChek : public CheckBox {
public:
    NumPlayerChek();

protected:
    void Action() override;
};

// The push buttons hand their Action to the MainWin that holds them.
class BrowseButton : public PushButton {
public:
    BrowseButton();

protected:
    void Action() override;
};

class GoButton : public PushButton {
public:
    GoButton();

protected:
    void Action() override;
};

class QuitButton : public PushButton {
public:
    QuitButton();

protected:
    void Action() override;
};

class StaticText1 : public StaticText {
public:
    StaticText1();
};

class NumPerChallengeLabel : public StaticText {
public:
    NumPerChallengeLabel();
};

class PlayerNameLabel : public StaticText {
public:
    PlayerNameLabel();
};

class NumPerPlayerLabel : public StaticText {
public:
    NumPerPlayerLabel();
};

// Shows the logo picture, shared with every other canvas that shows it.
class KestrinCanvas : public Canvas {
public:
    KestrinCanvas();
};

// What the window that holds the controls does with their Actions. MainWin is that window; the controls know it
// only through this, so that they do not depend on the window that builds them.
class Handlers {
public:
    virtual void OnlyPlayerChek_Action(const Ref<OnlyPlayerChek>& box) = 0;
    virtual void NumPlayerChek_Action(const Ref<NumPlayerChek>& box) = 0;
    virtual void BrowseButton_Action(const Ref<BrowseButton>& button) = 0;
    virtual void GoButton_Action(const Ref<GoButton>& button) = 0;
    virtual void QuitButton_Action(const Ref<QuitButton>& button) = 0;

protected:
    ~Handlers() = default;
};

} // namespace MainWinControls
