// A native STATIC label.
#pragma once

#include <cstdint>
#include <string>

#include "ui/Control.h"

class StaticText : public Control {
public:
    const std::string& Text() const noexcept { return text_; }
    void SetText(const std::string& text);

    // 0 left, 1 centred, 2 right.
    int32_t TextAlign() const noexcept { return textAlign_; }
    void SetTextAlign(int32_t align);

protected:
    const wchar_t* NativeClass() const override { return L"STATIC"; }
    DWORD NativeStyle() const override;
    std::wstring NativeText() const override;
    bool TakesFocus() const override { return false; }

private:
    std::string text_;
    int32_t textAlign_ = 0;
};
