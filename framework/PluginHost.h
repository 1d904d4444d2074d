// Installs the plug-in libraries that the executable carries, and removes them again at exit.
#pragma once

#include <string>

// A program carries plug-in number n (from 1, without gaps) as two resources with the id n: the library image as
// type "PLUGIN", and its file name, zero-terminated, as type "PLUGINNAME".
//
// Initialises OLE on the calling thread, which must be the GUI thread, then writes each library into a folder of
// this process's own under the temporary folder, loads it and runs its entry QUOXPluginMain. A library that does
// not load or has no such entry is skipped. A file that cannot be written stops the program with a message.
// A second call does nothing.
void InstallPlugins();

// Unloads the plug-ins, deletes their files and the folder, and uninitialises OLE. It also runs when the program
// exits normally; a second call does nothing.
void UninstallPlugins() noexcept;

// The folder the plug-in files are written to, or empty before InstallPlugins has made it.
const std::wstring& PluginFolder() noexcept;
