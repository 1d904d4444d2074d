// A single-line native EDIT field whose text is UTF-8.
#include "ui/EditField.h"

#include "text/Unicode.h"

std::string EditField::Text() const
{
    if (HWND hwnd = Handle()) {
        std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
        text.resize(static_cast<size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
        return Narrow(text);
    }
    return Narrow(text_);
}

void EditField::SetText(const std::string& text)
{
    text_ = Widen(text);
    if (HWND hwnd = Handle()) {
        SetWindowTextW(hwnd, text_.c_str());
    }
}

void EditField::SetBorder(bool border)
{
    border_ = border;
    if (HWND hwnd = Handle()) {
        SetWindowLongPtrW(hwnd, GWL_EXSTYLE, static_cast<LONG_PTR>(NativeExStyle()));
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    }
}

void EditField::SetBackColor(Color color)
{
    backBrush_.SetColor(color);
    if (HWND hwnd = Handle()) {
        InvalidateRect(hwnd, nullptr, TRUE);
    }
}

DWORD EditField::NativeStyle() const
{
    return ES_LEFT | ES_AUTOHSCROLL;
}

DWORD EditField::NativeExStyle() const
{
    return border_ ? WS_EX_CLIENTEDGE : 0;
}

void EditField::Closing()
{
    text_ = Widen(Text());
}

HBRUSH EditField::ColorBrush(HDC dc)
{
    return backBrush_.ForControl(dc);
}
