// An RGB colour as the window and control properties take it.
#pragma once

#include <windows.h>

#include <cstdint>

struct Color {
    // 0xRRGGBB, the way colours are usually written down.
    constexpr explicit Color(uint32_t value = 0) noexcept : rgb(value & 0xFFFFFFu) {}
    constexpr uint8_t Red() const noexcept { return static_cast<uint8_t>(rgb >> 16); }
    constexpr uint8_t Green() const noexcept { return static_cast<uint8_t>(rgb >> 8); }
    constexpr uint8_t Blue() const noexcept { return static_cast<uint8_t>(rgb); }
    COLORREF ToColorRef() const noexcept { return RGB(Red(), Green(), Blue()); }
    constexpr bool operator==(Color other) const noexcept { return rgb == other.rgb; }
    constexpr bool operator!=(Color other) const noexcept { return rgb != other.rgb; }

    uint32_t rgb;
};
