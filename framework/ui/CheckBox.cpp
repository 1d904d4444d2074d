// A native check box whose Action runs on a click and whenever code sets its Value.
#include "ui/CheckBox.h"

#include "text/Unicode.h"

void CheckBox::SetCaption(const std::string& caption)
{
    caption_ = caption;
    ApplyText();
}

bool CheckBox::Value() const
{
    if (HWND hwnd = Handle()) {
        return SendMessageW(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    return value_;
}

void CheckBox::SetValue(bool checked)
{
    value_ = checked;
    if (HWND hwnd = Handle()) {
        SendMessageW(hwnd, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
        RunAction();
    }
}

void CheckBox::RunAction()
{
    // Setting Value from inside Action must not start Action again.
    if (inAction_) {
        return;
    }
    inAction_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{inAction_};
    Action();
}

DWORD CheckBox::NativeStyle() const
{
    return BS_AUTOCHECKBOX;
}

std::wstring CheckBox::NativeText() const
{
    return Widen(caption_);
}

void CheckBox::Created()
{
    SendMessageW(Handle(), BM_SETCHECK, value_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CheckBox::Closing()
{
    value_ = Value();
}

void CheckBox::Command(WORD notification)
{
    if (notification == BN_CLICKED) {
        value_ = Value();
        RunAction();
    }
}
