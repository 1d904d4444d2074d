// The program's one logo picture, loaded on first use and kept until the program ends.
#include "LogoPicture.h"

#include "logo/LogoResource.h"

Ref<Picture> LogoPicture()
{
    static Ref<Picture> logo;
    if (!logo) {
        logo = Picture::FromResource(IDB_LOGO);
    }
    return logo;
}
