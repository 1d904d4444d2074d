// The base of every native control that a window holds.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "core/Exceptions.h"
#include "core/Handle.h"
#include "core/Object.h"

class Window;

// A control records its properties until its window adds it; adding makes the native control with them,
// and from then on every setter changes the native control at once. Positions are in pixels relative to the
// window's content area.
class Control : public Object {
public:
    ~Control() override;

    const std::string& Name() const noexcept { return name_; }
    void SetName(const std::string& name) { name_ = name; }

    int32_t Left() const noexcept { return left_; }
    int32_t Top() const noexcept { return top_; }
    int32_t Width() const noexcept { return width_; }
    int32_t Height() const noexcept { return height_; }
    void SetLeft(int32_t left);
    void SetTop(int32_t top);
    void SetWidth(int32_t width);
    void SetHeight(int32_t height);

    bool Visible() const noexcept { return visible_; }
    void SetVisible(bool visible);

    bool Enabled() const noexcept { return enabled_; }
    // Enables or disables the control together with every native window inside it.
    void SetEnabled(bool enabled);

    // Kept for the application's sake; a Windows control follows its window's activation by itself.
    bool AutoDeactivate() const noexcept { return autoDeactivate_; }
    void SetAutoDeactivate(bool autoDeactivate) { autoDeactivate_ = autoDeactivate; }

    // "System" is the system's message font (Segoe UI on Windows, Tahoma under Wine).
    // TextSize is the character height in pixels; 0 keeps the font's own size.
    const std::string& TextFont() const noexcept { return textFont_; }
    void SetTextFont(const std::string& face);
    int32_t TextSize() const noexcept { return textSize_; }
    void SetTextSize(int32_t pixels);

    // The window that holds the control, or nil before it is added and after the window is gone. A template only
    // so that this header needs no more of Window than its name: call it as Window().
    template <class W = ::Window>
    Ref<W> Window() const
    {
        return Ref<W>::Share(window_);
    }
    // The holding window checked to be a W: NilObjectException when there is none, IllegalCastException
    // when it is another kind of window.
    template <class W>
    Ref<W> WindowAs() const
    {
        return CheckedCast<W>(Window());
    }

    // The native control, null before it is added to a window and after the window is gone.
    HWND Handle() const noexcept { return hwnd_; }

protected:
    Control() = default;

    // What the native control is made of: its window class and the styles beyond the common ones.
    virtual const wchar_t* NativeClass() const = 0;
    virtual DWORD NativeStyle() const { return 0; }
    virtual DWORD NativeExStyle() const { return 0; }
    virtual std::wstring NativeText() const { return {}; }
    virtual bool TakesFocus() const { return true; }
    // Gives the native control the text NativeText makes now, once it exists.
    void ApplyText();
    // Runs once the native control exists, to apply what the subclass recorded.
    virtual void Created() {}
    // Runs while the native control still exists but its window is closing, to keep its state readable.
    virtual void Closing() {}

    // WM_COMMAND notifications from the native control (BN_CLICKED, EN_CHANGE...).
    virtual void Command(WORD notification) { (void)notification; }
    // The brush for WM_CTLCOLOR*, or null for the window's default.
    virtual HBRUSH ColorBrush(HDC dc) { (void)dc; return nullptr; }

private:
    friend class ControlList;
    friend class Window;

    // insertAfter is the sibling the native control goes below, or HWND_TOP / HWND_BOTTOM.
    void Create(::Window& owner, HWND parent, int id, HWND insertAfter);
    void Detach() noexcept;
    void ApplyFont();
    void ApplyBounds();

    std::string name_;
    int32_t left_ = 0;
    int32_t top_ = 0;
    int32_t width_ = 80;
    int32_t height_ = 22;
    bool visible_ = true;
    bool enabled_ = true;
    bool autoDeactivate_ = true;
    std::string textFont_ = "System";
    int32_t textSize_ = 0;

    ::Window* window_ = nullptr;
    HWND hwnd_ = nullptr;
    GdiObject font_;
};
