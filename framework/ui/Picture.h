// A bitmap loaded from the program's resources, shared by every canvas that shows it.
#pragma once

#include <windows.h>

#include <cstdint>

#include "core/Handle.h"
#include "core/Object.h"

class Picture : public Object {
public:
    // Loads the bitmap resource `id` of the module (the program itself when null).
    // Raises NilObjectException when there is no such bitmap.
    static Ref<Picture> FromResource(int id, HINSTANCE module = nullptr);

    int32_t Width() const noexcept { return width_; }
    int32_t Height() const noexcept { return height_; }
    HBITMAP Bitmap() const noexcept { return static_cast<HBITMAP>(bitmap_.Get()); }

private:
    explicit Picture(GdiObject bitmap);

    GdiObject bitmap_;
    int32_t width_ = 0;
    int32_t height_ = 0;
};
