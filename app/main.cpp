// Halvard's entry point: the framework's start, which installs the plug-in, and its end, which removes it.
#include <windows.h>

#include "PluginHost.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    InstallPlugins();
    UninstallPlugins();
    return 0;
}
