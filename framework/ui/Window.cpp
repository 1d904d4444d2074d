// A top-level window of the framework: its building order, properties, controls and closing.
#include "ui/Window.h"

#include <algorithm>
#include <utility>

#include "text/Unicode.h"
#include "ui/Application.h"
#include "ui/EventLoopWake.h"
#include "ui/NativeWindowClass.h"
#include "ui/PendingException.h"
#include "ui/WindowList.h"

namespace {

constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;

RECT FrameOf(HWND hwnd)
{
    RECT frame{};
    GetWindowRect(hwnd, &frame);
    return frame;
}

// The outer size of a framework window whose client area is width by height.
SIZE FrameSize(int32_t width, int32_t height, bool hasMenu)
{
    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, kStyle, hasMenu, kExStyle);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

void Repaint(HWND hwnd)
{
    if (hwnd != nullptr) {
        InvalidateRect(hwnd, nullptr, TRUE);
    }
}

} // namespace

Window::~Window()
{
    if (hwnd_ != nullptr) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
    controls_.Detach();
    WindowList::Remove(*this);
}

void Window::Build()
{
    RegisterWindowClass(&Window::WindowProc);
    CreateWindowExW(kExStyle, kWindowClass, L"", kStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    if (hwnd_ == nullptr) {
        throw NilObjectException();
    }
    self_ = Ref<Window>::Share(this);
    WindowList::Add(*this, hwnd_);
    ApplySize();
    Layout();
    CreateControls();
    FireFirstActivate();
    built_ = true;
    if (visible_ && hwnd_ != nullptr) {
        Show();
    }
    RethrowPendingException();
}

void Window::Show()
{
    if (!positioned_) {
        RECT work{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        const RECT frame = FrameOf(hwnd_);
        MoveTo(work.left + std::max(0L, ((work.right - work.left) - (frame.right - frame.left)) / 2),
               work.top + std::max(0L, ((work.bottom - work.top) - (frame.bottom - frame.top)) / 2));
    }
    ShowWindow(hwnd_, SW_SHOW);
    UpdateWindow(hwnd_);
}

void Window::SetTitle(const std::string& title)
{
    title_ = title;
    if (hwnd_ != nullptr) {
        SetWindowTextW(hwnd_, Widen(title).c_str());
    }
}

void Window::SetBackColor(Color color)
{
    backBrush_.SetColor(color);
    Repaint(hwnd_);
}

void Window::SetHasBackColor(bool hasBackColor)
{
    hasBackColor_ = hasBackColor;
    Repaint(hwnd_);
}

void Window::SetVisible(bool visible)
{
    visible_ = visible;
    if (hwnd_ == nullptr || !built_) {
        return;
    }
    if (visible) {
        Show();
    } else {
        ShowWindow(hwnd_, SW_HIDE);
        WakeEventLoop();
    }
}

void Window::SetMenuBar(Ref<::MenuBar> menuBar)
{
    menuBar_ = std::move(menuBar);
    ApplyMenu();
}

void Window::SetMenuBarVisible(bool menuBarVisible)
{
    menuBarVisible_ = menuBarVisible;
    ApplyMenu();
}

void Window::SetCloseBox(bool closeBox)
{
    closeBox_ = closeBox;
    ApplyStyle();
}

int32_t Window::Left() const
{
    return hwnd_ != nullptr && positioned_ ? FrameOf(hwnd_).left : left_;
}

int32_t Window::Top() const
{
    return hwnd_ != nullptr && positioned_ ? FrameOf(hwnd_).top : top_;
}

void Window::SetLeft(int32_t left)
{
    MoveTo(left, Top());
}

void Window::SetTop(int32_t top)
{
    MoveTo(Left(), top);
}

void Window::MoveTo(int32_t left, int32_t top)
{
    left_ = left;
    top_ = top;
    positioned_ = true;
    if (hwnd_ != nullptr) {
        SetWindowPos(hwnd_, nullptr, left_, top_, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void Window::SetWidth(int32_t width)
{
    width_ = width;
    ApplySize();
}

void Window::SetHeight(int32_t height)
{
    height_ = height;
    ApplySize();
}

void Window::ApplyStyle()
{
    if (hwnd_ == nullptr) {
        return;
    }
    // Without the close box the system menu's Close is greyed, which also stops Alt+F4.
    EnableMenuItem(GetSystemMenu(hwnd_, FALSE), SC_CLOSE, MF_BYCOMMAND | (closeBox_ ? MF_ENABLED : MF_GRAYED));
}

void Window::ApplySize()
{
    if (hwnd_ == nullptr) {
        return;
    }
    const SIZE size = FrameSize(width_, height_, GetMenu(hwnd_) != nullptr);
    SetWindowPos(hwnd_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Window::ApplyMenu()
{
    if (hwnd_ == nullptr) {
        return;
    }
    nativeMenu_.Apply(hwnd_, menuBar_.Get(), menuBarVisible_);
    ApplySize();
}

void Window::Add(const Ref<Control>& control)
{
    if (!control) {
        throw NilObjectException();
    }
    if (hwnd_ == nullptr) {
        throw NilObjectException();
    }
    controls_.Add(*this, hwnd_, control);
}

bool Window::Close()
{
    if (hwnd_ == nullptr) {
        return true;
    }
    if (CancelClose()) {
        return false;
    }
    Destroy();
    RethrowPendingException();
    return true;
}

void Window::Destroy()
{
    if (hwnd_ == nullptr) {
        return;
    }
    // The owner comes back before this window goes, so that the system activates it and not another program.
    WindowList::ReleaseModalOwner(*this);
    DestroyWindow(hwnd_);
}

LRESULT CALLBACK Window::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (self == nullptr) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    // The window may lose its last reference while it handles its own destruction.
    Ref<Window> keep = Ref<Window>::Share(self);
    LRESULT result = 0;
    try {
        result = self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        KeepPendingException();
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    }
    return result;
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
        Close();
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_INITMENU:
    case WM_INITMENUPOPUP:
        OnMenuPopup();
        return 0;
    case WM_GETMINMAXINFO:
        OnMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
        return 0;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED) {
            width_ = LOWORD(lParam);
            height_ = HIWORD(lParam);
        }
        return 0;
    case WM_ERASEBKGND:
        return OnEraseBackground(reinterpret_cast<HDC>(wParam)) ? 1 : 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return OnControlColor(message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) {
            WindowList::Activated(*this);
        }
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    case WM_ACTIVATEAPP:
        ApplicationActivated(wParam != FALSE);
        return 0;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_NCDESTROY:
        OnNcDestroy();
        return 0;
    default:
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    }
}

void Window::OnCommand(WORD id, WORD notification, HWND from)
{
    if (from != nullptr) {
        if (Control* control = controls_.Find(from)) {
            Ref<Control> keep = Ref<Control>::Share(control);
            control->Command(notification);
        }
        return;
    }
    DispatchMenuCommand(id);
}

void Window::OnMenuPopup()
{
    if (menuBar_) {
        nativeMenu_.Refresh(*menuBar_);
    }
}

void Window::OnMinMaxInfo(MINMAXINFO& info) const
{
    const bool hasMenu = hwnd_ != nullptr && GetMenu(hwnd_) != nullptr;
    const SIZE smallest = FrameSize(minWidth_, minHeight_, hasMenu);
    const SIZE largest = FrameSize(maxWidth_, maxHeight_, hasMenu);
    info.ptMinTrackSize = {smallest.cx, smallest.cy};
    info.ptMaxTrackSize = {largest.cx, largest.cy};
}

bool Window::OnEraseBackground(HDC dc)
{
    RECT area{};
    GetClientRect(hwnd_, &area);
    HBRUSH brush = hasBackColor_ ? backBrush_.Get() : nullptr;
    FillRect(dc, &area, brush != nullptr ? brush : GetSysColorBrush(COLOR_BTNFACE));
    return true;
}

LRESULT Window::OnControlColor(UINT message, HDC dc, HWND from)
{
    if (message == WM_CTLCOLOREDIT) {
        if (Control* control = controls_.Find(from)) {
            if (HBRUSH brush = control->ColorBrush(dc)) {
                return reinterpret_cast<LRESULT>(brush);
            }
        }
    } else if (hasBackColor_) {
        if (HBRUSH brush = backBrush_.ForControl(dc)) {
            return reinterpret_cast<LRESULT>(brush);
        }
    }
    return DefWindowProcW(hwnd_, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(from));
}

void Window::OnDestroy()
{
    controls_.Closing();
}

void Window::OnNcDestroy()
{
    controls_.Detach();
    nativeMenu_.WindowGone();
    hwnd_ = nullptr;
    WindowList::Remove(*this);
    self_ = nullptr;
    WakeEventLoop();
}
