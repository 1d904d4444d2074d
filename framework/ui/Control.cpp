// The base of every native control that a window holds.
#include "ui/Control.h"

#include "text/Unicode.h"

namespace {

BOOL CALLBACK EnableChild(HWND child, LPARAM enable)
{
    EnableWindow(child, enable != 0);
    return TRUE;
}

} // namespace

Control::~Control()
{
    if (hwnd_ != nullptr) {
        DestroyWindow(hwnd_);
    }
}

void Control::Create(::Window& owner, HWND parent, int id, HWND insertAfter)
{
    // Clipped against the siblings above it, a control never paints over one it overlaps.
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | NativeStyle();
    if (visible_) {
        style |= WS_VISIBLE;
    }
    if (!enabled_) {
        style |= WS_DISABLED;
    }
    if (TakesFocus()) {
        style |= WS_TABSTOP;
    }
    hwnd_ = CreateWindowExW(NativeExStyle(), NativeClass(), NativeText().c_str(), style, left_, top_, width_,
                            height_, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            GetModuleHandleW(nullptr), nullptr);
    if (hwnd_ == nullptr) {
        throw NilObjectException();
    }
    window_ = &owner;
    SetWindowPos(hwnd_, insertAfter, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ApplyFont();
    Created();
}

void Control::Detach() noexcept
{
    hwnd_ = nullptr;
    window_ = nullptr;
}

void Control::ApplyBounds()
{
    if (hwnd_ != nullptr) {
        SetWindowPos(hwnd_, nullptr, left_, top_, width_, height_, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void Control::SetLeft(int32_t left)
{
    left_ = left;
    ApplyBounds();
}

void Control::SetTop(int32_t top)
{
    top_ = top;
    ApplyBounds();
}

void Control::SetWidth(int32_t width)
{
    width_ = width;
    ApplyBounds();
}

void Control::SetHeight(int32_t height)
{
    height_ = height;
    ApplyBounds();
}

void Control::SetVisible(bool visible)
{
    visible_ = visible;
    if (hwnd_ != nullptr) {
        ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
    }
}

void Control::SetEnabled(bool enabled)
{
    enabled_ = enabled;
    if (hwnd_ != nullptr) {
        EnableWindow(hwnd_, enabled);
        EnumChildWindows(hwnd_, EnableChild, enabled);
    }
}

void Control::ApplyText()
{
    if (hwnd_ != nullptr) {
        SetWindowTextW(hwnd_, NativeText().c_str());
    }
}

void Control::SetTextFont(const std::string& face)
{
    textFont_ = face;
    ApplyFont();
}

void Control::SetTextSize(int32_t pixels)
{
    textSize_ = pixels;
    ApplyFont();
}

void Control::ApplyFont()
{
    if (hwnd_ == nullptr) {
        return;
    }
    // "System" and an empty face take the face of the system's message font, which suits dialogs on every
    // version and under Wine; a named face is asked for as it is.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    LOGFONTW font = metrics.lfMessageFont;
    if (!textFont_.empty() && textFont_ != "System") {
        std::wstring face = Widen(textFont_);
        lstrcpynW(font.lfFaceName, face.c_str(), LF_FACESIZE);
    }
    if (textSize_ > 0) {
        font.lfHeight = -textSize_;
    }
    GdiObject created(CreateFontIndirectW(&font));
    if (!created) {
        return;
    }
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(created.Get()), TRUE);
    font_ = std::move(created);
}
