// A top-level window of the framework: its building order, properties, controls and closing.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <typeinfo>

#include "core/Object.h"
#include "ui/Color.h"
#include "ui/ControlList.h"
#include "ui/MenuItem.h"
#include "ui/NativeMenu.h"
#include "ui/SolidBrush.h"
#include "ui/WindowList.h"

// A window is made by OpenWindow or CurrentWindow, which build it in this order: the native window is made
// hidden; Layout (the window sets its properties); CreateControls (the window makes its controls and adds
// them); the application's first Activate; then it is shown if Visible. Width and Height are the content
// area in pixels, and so are the limits.
class Window : public Object {
public:
    ~Window() override;

    const std::string& Title() const noexcept { return title_; }
    void SetTitle(const std::string& title);

    Color BackColor() const noexcept { return backBrush_.GetColor(); }
    void SetBackColor(Color color);
    // The window paints BackColor only while this is on; otherwise the system's dialog colour.
    bool HasBackColor() const noexcept { return hasBackColor_; }
    void SetHasBackColor(bool hasBackColor);

    bool Visible() const noexcept { return visible_; }
    void SetVisible(bool visible);

    const Ref<::MenuBar>& MenuBar() const noexcept { return menuBar_; }
    void SetMenuBar(Ref<::MenuBar> menuBar);
    bool MenuBarVisible() const noexcept { return menuBarVisible_; }
    void SetMenuBarVisible(bool menuBarVisible);

    bool CloseBox() const noexcept { return closeBox_; }
    void SetCloseBox(bool closeBox);

    // Left and Top are the outer frame's screen position; a window whose position is never set is centred
    // on the screen's work area when it is first shown.
    int32_t Left() const;
    int32_t Top() const;
    void SetLeft(int32_t left);
    void SetTop(int32_t top);
    int32_t Width() const noexcept { return width_; }
    int32_t Height() const noexcept { return height_; }
    void SetWidth(int32_t width);
    void SetHeight(int32_t height);
    int32_t MinWidth() const noexcept { return minWidth_; }
    int32_t MinHeight() const noexcept { return minHeight_; }
    int32_t MaxWidth() const noexcept { return maxWidth_; }
    int32_t MaxHeight() const noexcept { return maxHeight_; }
    void SetMinWidth(int32_t value) { minWidth_ = value; }
    void SetMinHeight(int32_t value) { minHeight_ = value; }
    void SetMaxWidth(int32_t value) { maxWidth_ = value; }
    void SetMaxHeight(int32_t value) { maxHeight_ = value; }

    // Makes the control's native window inside this one; controls are kept in the order they were added.
    void Add(const Ref<Control>& control);
    int32_t ControlCount() const noexcept { return controls_.Count(); }
    // 0-based, in the order added; nil when out of range.
    Ref<Control> ControlAt(int32_t index) const { return controls_.At(index); }
    // The first control of that name (case ignored), or nil.
    Ref<Control> ControlNamed(const std::string& name) const { return controls_.Named(name); }
    // The control of that name checked to be a C: NilObjectException when there is none,
    // IllegalCastException when it is of another class.
    template <class C>
    Ref<C> ControlAs(const std::string& name) const
    {
        return CheckedCast<C>(ControlNamed(name));
    }

    // Closes the window unless CancelClose refuses. Returns whether it is closed.
    bool Close();
    // True while the native window exists.
    bool IsOpen() const noexcept { return hwnd_ != nullptr; }
    HWND Handle() const noexcept { return hwnd_; }

protected:
    Window() = default;

    // Framework events; the application's window overrides those it needs.
    virtual void Layout() {}
    virtual void CreateControls() {}
    // A character typed in the window or one of its controls, as UTF-8 (control keys as their control
    // character, Ctrl+W as "\x17"). True means handled; false lets the control have it.
    virtual bool KeyDown(const std::string& key)
    {
        (void)key;
        return false;
    }
    // True keeps the window open when it is asked to close.
    virtual bool CancelClose() { return false; }

private:
    friend class WindowAccess;

    void Build();
    void Show();
    void Destroy();
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    void MoveTo(int32_t left, int32_t top);
    void ApplyStyle();
    void ApplySize();
    void ApplyMenu();
    void OnCommand(WORD id, WORD notification, HWND from);
    void OnMenuPopup();
    void OnMinMaxInfo(MINMAXINFO& info) const;
    LRESULT OnControlColor(UINT message, HDC dc, HWND from);
    bool OnEraseBackground(HDC dc);
    void OnNcDestroy();
    void OnDestroy();

    HWND hwnd_ = nullptr;
    bool built_ = false;
    std::string title_;
    bool hasBackColor_ = false;
    SolidBrush backBrush_{Color(0xFFFFFF)};
    bool visible_ = true;
    Ref<::MenuBar> menuBar_;
    bool menuBarVisible_ = true;
    NativeMenu nativeMenu_;
    bool closeBox_ = true;
    bool positioned_ = false;
    int32_t left_ = 0;
    int32_t top_ = 0;
    int32_t width_ = 300;
    int32_t height_ = 200;
    int32_t minWidth_ = 64;
    int32_t minHeight_ = 64;
    int32_t maxWidth_ = 32000;
    int32_t maxHeight_ = 32000;
    ControlList controls_;
    // An open window keeps itself alive until its native window is gone, whoever else lets it go.
    Ref<Window> self_;

    template <class W, class... Args>
    friend Ref<W> OpenWindow(Args&&... args);
};

// What the event loop does with a window and the application does not: asks whether it may close, destroys it
// without asking, and gives it a key before its controls see it.
class WindowAccess {
public:
    static bool CancelClose(Window& window) { return window.CancelClose(); }
    static void Destroy(Window& window) noexcept { window.Destroy(); }
    static HACCEL Accelerators(const Window& window) noexcept { return window.nativeMenu_.Accelerators(); }
    static bool KeyDown(Window& window, const std::string& key) { return window.KeyDown(key); }
};

// The one current window of class W, or nil when there is none; unlike CurrentWindow, it makes none.
template <class W>
Ref<W> RuntimeGetImplicitWindow()
{
    return Ref<W>::Share(static_cast<W*>(WindowList::Current(typeid(W))));
}

// Makes a new window of class W and builds it. It becomes the current window of its class.
template <class W, class... Args>
Ref<W> OpenWindow(Args&&... args)
{
    Ref<W> window = MakeRef<W>(std::forward<Args>(args)...);
    WindowList::SetCurrent(typeid(W), window.Get());
    window->Build();
    return window;
}

// The one current window of class W, made and built when there is none; once it is closed, the next call
// makes a new one.
template <class W>
Ref<W> CurrentWindow()
{
    if (Ref<W> current = RuntimeGetImplicitWindow<W>()) {
        return current;
    }
    return OpenWindow<W>();
}
