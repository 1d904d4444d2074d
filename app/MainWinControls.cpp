// The main window's fourteen controls: their positions, captions and fonts, and where their Actions go.
#include "MainWinControls.h"

#include <cstdint>
#include <string>

#include "LogoPicture.h"
#include "ui/Window.h"

namespace MainWinControls {

namespace {

constexpr int32_t kTextSize = 12;

// What every control of the window sets: its name and place, shown, enabled and deactivating with the window.
void Place(Control& control, const char* name, int32_t left, int32_t top, int32_t width, int32_t height)
{
    control.SetName(name);
    control.SetVisible(true);
    control.SetLeft(left);
    control.SetTop(top);
    control.SetWidth(width);
    control.SetHeight(height);
    control.SetEnabled(true);
    control.SetAutoDeactivate(true);
}

void SetFont(Control& control)
{
    control.SetTextFont("System");
    control.SetTextSize(kTextSize);
}

void SetUpField(EditField& field, const char* name, int32_t left, int32_t top, int32_t width, int32_t height)
{
    Place(field, name, left, top, width, height);
    SetFont(field);
    field.SetBorder(true);
    field.SetScrollBar(true);
    field.SetScrollBarVertical(true);
    field.SetUseFocusRing(true);
    field.SetBackColor(Color(0xFFFFFF));
}

void SetUpCheckBox(CheckBox& box, const char* name, int32_t left, int32_t top, int32_t width, int32_t height,
                   const char* caption)
{
    Place(box, name, left, top, width, height);
    SetFont(box);
    box.SetCaption(caption);
}

void SetUpButton(PushButton& button, const char* name, int32_t left, int32_t top, const char* caption)
{
    Place(button, name, left, top, 82, 20);
    SetFont(button);
    button.SetCaption(caption);
}

void SetUpLabel(StaticText& label, const char* name, int32_t left, int32_t top, int32_t width, const char* text)
{
    Place(label, name, left, top, width, 20);
    SetFont(label);
    label.SetText(text);
}

// Hands the control's Action to the window that holds it: NilObjectException when there is none,
// IllegalCastException when that window takes no Actions of these controls.
template <class C>
void Forward(C* control, void (Handlers::*handler)(const Ref<C>&))
{
    const Ref<::Window> window = control->Window();
    auto* handlers = dynamic_cast<Handlers*>(&*window);
    if (handlers == nullptr) {
        throw IllegalCastException();
    }
    (handlers->*handler)(Ref<C>::Share(control));
}

} // namespace

DemoPathBox::DemoPathBox()
{
    SetUpField(*this, "DemoPathBox", 101, 14, 485, 21);
}

PlayerNameBox::PlayerNameBox()
{
    SetUpField(*this, "PlayerNameBox", 210, 54, 185, 22);
}

NumPerPlayerBox::NumPerPlayerBox()
{
    SetUpField(*this, "NumPerPlayerBox", 210, 127, 37, 22);
}

NumPerChallengeBox::NumPerChallengeBox()
{
    SetUpField(*this, "NumPerChallengeBox", 210, 95, 37, 22);
}

OnlyPlayerChek::OnlyPlayerChek()
{
    SetUpCheckBox(*this, "OnlyPlayerChek", 417, 56, 172, 20, "Only process this player");
}

void OnlyPlayerChek::Action()
{
    Forward(this, &Handlers::OnlyPlayerChek_Action);
}

NumPlayerChek::NumPlayerChek()
{
    SetUpCheckBox(*this, "NumPlayerChek", 417, 127, 119, 21, "Limit per player");
}

void NumPlayerChek::Action()
{
    Forward(this, &Handlers::NumPlayerChek_Action);
}

BrowseButton::BrowseButton()
{
    SetUpButton(*this, "BrowseButton", 606, 14, "Browse...");
}

void BrowseButton::Action()
{
    Forward(this, &Handlers::BrowseButton_Action);
}

GoButton::GoButton()
{
    SetUpButton(*this, "GoButton", 606, 55, "Go!");
}

void GoButton::Action()
{
    Forward(this, &Handlers::GoButton_Action);
}

QuitButton::QuitButton()
{
    SetUpButton(*this, "QuitButton", 606, 96, "Quit");
}

void QuitButton::Action()
{
    Forward(this, &Handlers::QuitButton_Action);
}

StaticText1::StaticText1()
{
    SetUpLabel(*this, "StaticText1", 16, 15, 100, "Demo Path:");
}

NumPerChallengeLabel::NumPerChallengeLabel()
{
    SetUpLabel(*this, "NumPerChallengeLabel", 16, 95, 185, "Number to keep per challenge:");
}

PlayerNameLabel::PlayerNameLabel()
{
    SetUpLabel(*this, "PlayerNameLabel", 16, 55, 159, "Player Name:");
}

NumPerPlayerLabel::NumPerPlayerLabel()
{
    SetUpLabel(*this, "NumPerPlayerLabel", 16, 127, 159, "Number to keep per player:");
}

KestrinCanvas::KestrinCanvas()
{
    // The picture comes first, loaded by whichever canvas needs it first.
    SetBackdrop(LogoPicture());
    Place(*this, "KestrinCanvas", 20, 163, 40, 50);
    SetUseFocusRing(true);
}

} // namespace MainWinControls
