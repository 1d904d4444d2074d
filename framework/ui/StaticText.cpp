// A native STATIC label.
#include "ui/StaticText.h"

#include "text/Unicode.h"

void StaticText::SetText(const std::string& text)
{
    text_ = text;
    ApplyText();
}

void StaticText::SetTextAlign(int32_t align)
{
    textAlign_ = align;
    if (HWND hwnd = Handle()) {
        LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE) & ~static_cast<LONG_PTR>(SS_TYPEMASK);
        SetWindowLongPtrW(hwnd, GWL_STYLE, style | static_cast<LONG_PTR>(NativeStyle()));
        InvalidateRect(hwnd, nullptr, TRUE);
    }
}

DWORD StaticText::NativeStyle() const
{
    switch (textAlign_) {
    case 1:
        return SS_CENTER;
    case 2:
        return SS_RIGHT;
    default:
        return SS_LEFT;
    }
}

std::wstring StaticText::NativeText() const
{
    return Widen(text_);
}
