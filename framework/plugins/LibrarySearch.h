// Where the program's libraries come from: System32, never a folder that a download or a document shares.
#pragma once

#include <windows.h>

#include <string>

// Limits the process's default library search to System32, so that a library planted beside the program or in the
// current folder is never loaded by name, also not by the shell's dialogs. Runs first thing at start. A Windows
// without that search (Windows 7 before its update) at least drops the current folder.
void LimitLibrarySearch() noexcept;

// Loads a library by its full path, with the libraries it imports taken from System32 where Windows can. Null when
// it does not load.
HMODULE LoadLibraryFromPath(const std::wstring& path) noexcept;
