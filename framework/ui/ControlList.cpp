#include "ui/ControlList.h"

#include "text/Strings.h"

namespace {

// Control ids start above IDOK and IDCANCEL, which dialog navigation sends for Enter and Escape.
constexpr int kFirstControlId = 100;

} // namespace

void ControlList::Add(::Window& owner, HWND parent, const Ref<Control>& control)
{
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
    control->Create(owner, parent, kFirstControlId + static_cast<int>(controls_.size()), insertAfter);
    controls_.push_back(control);
}

Ref<Control> ControlList::At(int32_t index) const
{
    return RefAt(controls_, index);
}

Ref<Control> ControlList::Named(const std::string& name) const
{
    for (const auto& control : controls_) {
        if (StrEquals(control->Name(), name)) {
            return control;
        }
    }
    return nullptr;
}

Control* ControlList::Find(HWND hwnd) const
{
    for (const auto& control : controls_) {
        if (control->Handle() == hwnd) {
            return control.Get();
        }
    }
    return nullptr;
}

void ControlList::Closing()
{
    for (auto& control : controls_) {
        control->Closing();
    }
}

void ControlList::Detach() noexcept
{
    for (auto& control : controls_) {
        control->Detach();
    }
}
