// Pendrel's side of the host boundary: its one method and the wrapper that reaches the host's folder items.
#pragma once

#include "PluginBoundary.h"

// The host's "FolderItemFromPath": a new folder item for an ANSI path, with its one reference handed to the caller.
// Null when the host has no such service.
FolderItem* FolderItemFromPath(const char* path) noexcept;

extern "C" {
// Shows the shell's folder dialog on the current directory; the chosen folder, or null.
FolderItem* SelectFolder() noexcept;
}
