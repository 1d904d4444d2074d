// A brush of one colour for painting a background, made at its first use and again after the colour changes.
#pragma once

#include <windows.h>

#include "core/Handle.h"
#include "ui/Color.h"

class SolidBrush {
public:
    explicit SolidBrush(Color color) noexcept : color_(color) {}

    Color GetColor() const noexcept { return color_; }
    void SetColor(Color color) noexcept
    {
        color_ = color;
        brush_.Reset();
    }

    // Null when the system cannot make the brush; the caller then paints with the default.
    HBRUSH Get() noexcept
    {
        if (!brush_) {
            brush_.Reset(CreateSolidBrush(color_.ToColorRef()));
        }
        return static_cast<HBRUSH>(brush_.Get());
    }
    // For WM_CTLCOLOR*: the text's own background in the same colour, and the brush for the rest.
    HBRUSH ForControl(HDC dc) noexcept
    {
        SetBkColor(dc, color_.ToColorRef());
        return Get();
    }

private:
    Color color_;
    GdiObject brush_;
};
