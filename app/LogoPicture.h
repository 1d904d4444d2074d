// The program's one logo picture, which every canvas that shows the logo shares.
#pragma once

#include "ui/Picture.h"

// Loads the program's bitmap resource on the first call and gives the same picture, with a new reference, on every
// call after. NilObjectException when the program carries no logo.
Ref<Picture> LogoPicture();
