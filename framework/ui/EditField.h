// A single-line native EDIT field whose text is UTF-8.
#pragma once

#include <string>

#include "ui/Color.h"
#include "ui/Control.h"
#include "ui/SolidBrush.h"

class EditField : public Control {
public:
    std::string Text() const;
    void SetText(const std::string& text);

    bool Border() const noexcept { return border_; }
    void SetBorder(bool border);
    // A single-line field scrolls its text sideways as the user types; the two flags are kept for the
    // application and change nothing on screen.
    bool ScrollBar() const noexcept { return scrollBar_; }
    void SetScrollBar(bool scrollBar) { scrollBar_ = scrollBar; }
    bool ScrollBarVertical() const noexcept { return scrollBarVertical_; }
    void SetScrollBarVertical(bool scrollBarVertical) { scrollBarVertical_ = scrollBarVertical; }
    // The focused field shows the system's caret and selection; kept for the application.
    bool UseFocusRing() const noexcept { return useFocusRing_; }
    void SetUseFocusRing(bool useFocusRing) { useFocusRing_ = useFocusRing; }

    Color BackColor() const noexcept { return backBrush_.GetColor(); }
    void SetBackColor(Color color);

protected:
    const wchar_t* NativeClass() const override { return L"EDIT"; }
    DWORD NativeStyle() const override;
    DWORD NativeExStyle() const override;
    std::wstring NativeText() const override { return text_; }
    void Closing() override;
    HBRUSH ColorBrush(HDC dc) override;

private:
    std::wstring text_;
    bool border_ = true;
    bool scrollBar_ = false;
    bool scrollBarVertical_ = false;
    bool useFocusRing_ = true;
    SolidBrush backBrush_{Color(0xFFFFFF)};
};
