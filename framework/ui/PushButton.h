// A native push button whose Action runs when it is pressed.
#pragma once

#include <string>

#include "ui/Control.h"

class PushButton : public Control {
public:
    const std::string& Caption() const noexcept { return caption_; }
    void SetCaption(const std::string& caption);

protected:
    // The application's subclass does its work here.
    virtual void Action() {}

    const wchar_t* NativeClass() const override { return L"BUTTON"; }
    DWORD NativeStyle() const override;
    std::wstring NativeText() const override;
    void Command(WORD notification) override;

private:
    std::string caption_;
};
