// A native STATIC that shows a picture centred in its area.
#include "ui/Canvas.h"

void Canvas::SetBackdrop(Ref<Picture> picture)
{
    backdrop_ = std::move(picture);
    if (Handle() != nullptr) {
        Created();
    }
}

DWORD Canvas::NativeStyle() const
{
    // Centred, the bitmap keeps the control's size instead of resizing the control to the bitmap.
    return SS_BITMAP | SS_CENTERIMAGE;
}

void Canvas::Created()
{
    HBITMAP bitmap = backdrop_ ? backdrop_->Bitmap() : nullptr;
    SendMessageW(Handle(), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    SetWidth(Width());
}
