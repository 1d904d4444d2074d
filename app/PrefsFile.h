// The preferences file beside the program: its format, six lines each ended by CR LF in UTF-8 without a byte-order
// mark, and the save.
#pragma once

#include "files/FolderItem.h"
#include "files/TextInputStream.h"
#include "MainWinSettings.h"

// A bare name, which GetFolderItem resolves against the program's folder.
inline constexpr char kPrefsFileName[] = "ZuvPrefs.txt";

// Six lines, taken as they are; a missing line reads as empty. A box is checked unless its line is exactly "0".
// One UTF-8 byte-order mark at the very start of the file is skipped.
MainWinSettings ReadPrefs(TextInputStream& stream);

// Writes the six lines to a new file beside `file` and then puts that in its place, so that a save that fails at
// any point leaves the previous file whole. NilObjectException when it fails.
void WritePrefs(const FolderItem& file, const MainWinSettings& values);

// Rewrites the file beside the program with the settings, which the caller reads from the main window just before.
// NilObjectException when it cannot be written; the previous file then stays as it was.
void SavePrefs(const MainWinSettings& settings);
