// Installs the plug-in libraries that the executable carries, and removes them again at exit.
#pragma once

#include <string>

// A program carries plug-in number n (from 1, without gaps) as two resources with the id n: the library image as
// type "PLUGIN", and its file name, zero-terminated, as type "PLUGINNAME".
//
// Initialises OLE on the calling thread, which must be the GUI thread, then writes each library into a folder that
// this process creates under the temporary folder with a random name, loads it by its full path and runs its entry
// QUOXPluginMain. Each file is held against writers from its writing until its library is unloaded. A library that
// does not load or has no such entry is skipped. A file that cannot be written, or that does not read back as
// written, stops the program with a message. A second call does nothing.
void InstallPlugins();

// Unloads the plug-ins, deletes their files and the folder, and uninitialises OLE. It also runs when the program
// exits normally; a second call does nothing.
void UninstallPlugins() noexcept;

// The folder the plug-in files are written to, or empty before InstallPlugins has made it.
const std::wstring& PluginFolder() noexcept;
