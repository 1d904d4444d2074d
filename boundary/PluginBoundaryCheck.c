/* Includes the plug-in boundary header in a C translation unit: a C++ construct there fails the build. */
#include "PluginBoundary.h"
