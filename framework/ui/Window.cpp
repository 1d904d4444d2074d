// A top-level window of the framework: its building order, properties, controls and closing.
#include "ui/Window.h"

#include <algorithm>
#include <utility>

#include "text/Strings.h"
#include "text/Unicode.h"
#include "ui/Application.h"
#include "ui/EventLoopWake.h"
#include "ui/NativeWindowClass.h"
#include "ui/PendingException.h"
#include "ui/WindowList.h"

namespace {

// Control ids start above IDOK and IDCANCEL, which dialog navigation sends for Enter and Escape.
constexpr int kFirstControlId = 100;

constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;

} // namespace

Window::~Window()
{
    if (hwnd_ != nullptr) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
    for (auto& control : controls_) {
        control->Detach();
    }
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
        RECT frame{};
        GetWindowRect(hwnd_, &frame);
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
    if (hwnd_ != nullptr) {
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
}

void Window::SetHasBackColor(bool hasBackColor)
{
    hasBackColor_ = hasBackColor;
    if (hwnd_ != nullptr) {
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
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
    if (hwnd_ != nullptr && positioned_) {
        RECT frame{};
        GetWindowRect(hwnd_, &frame);
        return frame.left;
    }
    return left_;
}

int32_t Window::Top() const
{
    if (hwnd_ != nullptr && positioned_) {
        RECT frame{};
        GetWindowRect(hwnd_, &frame);
        return frame.top;
    }
    return top_;
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
    RECT frame{0, 0, width_, height_};
    AdjustWindowRectEx(&frame, kStyle, GetMenu(hwnd_) != nullptr, kExStyle);
    SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
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
    // Labels and pictures go below every control that takes input, so that one overlapping a field, check box or
    // button is clipped by it; the input controls keep the order they were added in, which is the tab order.
    HWND insertAfter = HWND_BOTTOM;
    if (control->TakesFocus()) {
        insertAfter = HWND_TOP;
        for (const auto& added : controls_) {
            if (added->TakesFocus() && added->Handle() != nullptr) {
                insertAfter = added->Handle();
            }
        }
    }
    control->Create(*this, hwnd_, kFirstControlId + static_cast<int>(controls_.size()), insertAfter);
    controls_.push_back(control);
}

Ref<Control> Window::ControlAt(int32_t index) const
{
    return RefAt(controls_, index);
}

Ref<Control> Window::ControlNamed(const std::string& name) const
{
    for (const auto& control : controls_) {
        if (StrEquals(control->Name(), name)) {
            return control;
        }
    }
    return nullptr;
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

Control* Window::FindControl(HWND hwnd) const
{
    for (const auto& control : controls_) {
        if (control->Handle() == hwnd) {
            return control.Get();
        }
    }
    return nullptr;
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
        OnMenuPopup(reinterpret_cast<HMENU>(wParam));
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
        if (Control* control = FindControl(from)) {
            Ref<Control> keep = Ref<Control>::Share(control);
            control->Command(notification);
        }
        return;
    }
    DispatchMenuCommand(id);
}

void Window::OnMenuPopup(HMENU menu)
{
    (void)menu;
    if (menuBar_) {
        nativeMenu_.Refresh(*menuBar_);
    }
}

void Window::OnMinMaxInfo(MINMAXINFO& info) const
{
    bool hasMenu = hwnd_ != nullptr && GetMenu(hwnd_) != nullptr;
    RECT smallest{0, 0, minWidth_, minHeight_};
    AdjustWindowRectEx(&smallest, kStyle, hasMenu, kExStyle);
    RECT largest{0, 0, maxWidth_, maxHeight_};
    AdjustWindowRectEx(&largest, kStyle, hasMenu, kExStyle);
    info.ptMinTrackSize = {smallest.right - smallest.left, smallest.bottom - smallest.top};
    info.ptMaxTrackSize = {largest.right - largest.left, largest.bottom - largest.top};
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
        if (Control* control = FindControl(from)) {
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
    for (auto& control : controls_) {
        control->Closing();
    }
}

void Window::OnNcDestroy()
{
    for (auto& control : controls_) {
        control->Detach();
    }
    nativeMenu_.WindowGone();
    hwnd_ = nullptr;
    WindowList::Remove(*this);
    self_ = nullptr;
    WakeEventLoop();
}
