// A bitmap loaded from the program's resources, shared by every canvas that shows it.
#include "Picture.h"

Ref<Picture> Picture::FromResource(int id, HINSTANCE module)
{
    HANDLE image = LoadImageW(module != nullptr ? module : GetModuleHandleW(nullptr),
                              MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (image == nullptr) {
        throw NilObjectException();
    }
    return Ref<Picture>::Adopt(new Picture(static_cast<HBITMAP>(image)));
}

Picture::Picture(HBITMAP bitmap) : bitmap_(bitmap)
{
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    width_ = info.bmWidth;
    height_ = info.bmHeight;
}
