// The native menu bar and the shortcut table that a window builds from its menu model.
#pragma once

#include <windows.h>

#include "core/Handle.h"

class MenuItem;

// Built again from the model at every change; the Ctrl+letter shortcuts of the items work whether or not the bar
// is shown.
class NativeMenu {
public:
    // Builds the bar and the shortcuts from the model (none without one), shows the bar in the window when visible
    // and destroys the one shown before.
    void Apply(HWND window, const MenuItem* model, bool visible);
    // Greys or enables each item of the shown bar as the model says now.
    void Refresh(const MenuItem& model) const;
    HACCEL Accelerators() const noexcept { return accelerators_.Get(); }
    // Forgets the bar, which the system destroyed with the window, and drops the shortcuts.
    void WindowGone() noexcept;

private:
    HMENU shown_ = nullptr;
    AcceleratorTable accelerators_;
};
