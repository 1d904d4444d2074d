// Where the running executable lies, for paths that are taken relative to the program rather than the current directory.
#pragma once

#include <string>

// The folder that holds the executable, as a full native path without a trailing separator (except a drive root
// such as "C:\").
std::wstring ProgramFolder();
