// Where the running executable lies, for paths that are taken relative to the program rather than the current directory.
#pragma once

#include <string>

// The running executable's full path as the system reports it, read into a buffer that grows until the whole name
// fits; empty when it cannot be read.
std::wstring ExecutablePath();

// The folder that holds the executable, as a full native path without a trailing separator (except a drive root
// such as "C:\").
std::wstring ProgramFolder();
