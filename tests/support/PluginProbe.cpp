// A small program that carries and installs Pendrel as Halvard does, for the plug-in tests to watch from outside.
// "hold": installs, prints the plug-in folder, and ends when its input closes.
// "lookup <declaration>": installs, binds the declaration and prints "bound" or "null".
#include <windows.h>

#include <cstdio>
#include <string>

#include "plugins/PluginBinding.h"
#include "plugins/PluginHost.h"
#include "text/Unicode.h"

int wmain(int argc, wchar_t** argv)
{
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    InstallPlugins();
    if (mode == L"hold") {
        std::printf("%s\n", Narrow(PluginFolder()).c_str());
        std::fflush(stdout);
        char rest[64];
        DWORD read = 0;
        while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), rest, sizeof(rest), &read, nullptr) && read > 0) {
        }
    } else if (mode == L"lookup" && argc > 2) {
        std::printf("%s\n", RuntimeLookupPluginEntrypoint(Narrow(argv[2])) != nullptr ? "bound" : "null");
    }
    return 0;
}
