// The resource id of the logo bitmap, shared by the resource script and the code that loads it.
#pragma once

#define IDB_LOGO 100
