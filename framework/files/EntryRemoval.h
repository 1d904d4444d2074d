// Removing one entry of a folder, a file or an empty folder, and never what a link there leads to.
#pragma once

#include <string>

// Removes the entry at the canonical full `path` and nothing else; true when it went. Windows opens a link itself
// here; Wine follows a link to a file or folder all the same, and removing what it opened (as DeleteFileW does
// there) would remove the target outside the folder. So the entry is opened without following links, and removed
// through that handle only when the handle's final path shows it is this entry.
bool RemoveEntry(const std::wstring& path);
