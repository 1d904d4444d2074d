// A bitmap loaded from the program's resources, shared by every canvas that shows it.
#include "ui/Picture.h"

Ref<Picture> Picture::FromResource(int id, HINSTANCE module)
{
    GdiObject bitmap(LoadImageW(module != nullptr ? module : GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap) {
        throw NilObjectException();
    }
    return Ref<Picture>::Adopt(new Picture(std::move(bitmap)));
}

Picture::Picture(GdiObject bitmap) : bitmap_(std::move(bitmap))
{
    BITMAP info{};
    GetObjectW(bitmap_.Get(), sizeof info, &info);
    width_ = info.bmWidth;
    height_ = info.bmHeight;
}
