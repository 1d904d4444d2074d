// A native STATIC that shows a picture centred in its area.
#pragma once

#include "ui/Control.h"
#include "ui/Picture.h"

class Canvas : public Control {
public:
    const Ref<Picture>& Backdrop() const noexcept { return backdrop_; }
    void SetBackdrop(Ref<Picture> picture);

    // Kept for the application; the canvas takes no keyboard focus.
    bool UseFocusRing() const noexcept { return useFocusRing_; }
    void SetUseFocusRing(bool useFocusRing) { useFocusRing_ = useFocusRing; }

protected:
    const wchar_t* NativeClass() const override { return L"STATIC"; }
    DWORD NativeStyle() const override;
    bool TakesFocus() const override { return false; }
    void Created() override;

private:
    Ref<Picture> backdrop_;
    bool useFocusRing_ = false;
};
