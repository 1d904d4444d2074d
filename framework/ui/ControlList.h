// The controls of one window, in the order they were added, which is also their tab order.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/Object.h"
#include "ui/Control.h"

class ControlList {
public:
    // Makes the control's native window inside `parent`, the native window of `owner`, with the next id.
    void Add(::Window& owner, HWND parent, const Ref<Control>& control);
    int32_t Count() const noexcept { return static_cast<int32_t>(controls_.size()); }
    // 0-based; nil when out of range.
    Ref<Control> At(int32_t index) const;
    // The first control of that name (case ignored), or nil.
    Ref<Control> Named(const std::string& name) const;
    // The control whose native window this is, or null.
    Control* Find(HWND hwnd) const;
    // Tells every control that its window is being destroyed.
    void Closing();
    // Every control lets go of its native window, which is gone or going.
    void Detach() noexcept;

private:
    std::vector<Ref<Control>> controls_;
};
