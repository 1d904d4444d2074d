// A native check box whose Action runs on a click and whenever code sets its Value.
#pragma once

#include <string>

#include "ui/Control.h"

class CheckBox : public Control {
public:
    const std::string& Caption() const noexcept { return caption_; }
    void SetCaption(const std::string& caption);

    bool Value() const;
    // Sets the check mark, then runs Action as a click would, changed or not; but not again from inside
    // this box's own Action. Before the box is added to a window it only records the state.
    void SetValue(bool checked);

protected:
    // The application's subclass does its work here.
    virtual void Action() {}

    const wchar_t* NativeClass() const override { return L"BUTTON"; }
    DWORD NativeStyle() const override;
    std::wstring NativeText() const override;
    void Created() override;
    void Closing() override;
    void Command(WORD notification) override;

private:
    void RunAction();

    std::string caption_;
    bool value_ = false;
    bool inAction_ = false;
};
