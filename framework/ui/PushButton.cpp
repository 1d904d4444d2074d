// A native push button whose Action runs when it is pressed.
#include "ui/PushButton.h"

#include "text/Unicode.h"

void PushButton::SetCaption(const std::string& caption)
{
    caption_ = caption;
    ApplyText();
}

DWORD PushButton::NativeStyle() const
{
    return BS_PUSHBUTTON;
}

std::wstring PushButton::NativeText() const
{
    return Widen(caption_);
}

void PushButton::Command(WORD notification)
{
    if (notification == BN_CLICKED) {
        Action();
    }
}
