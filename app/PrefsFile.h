// The preferences file's format: six lines, each ended by CR LF, in UTF-8 without a byte-order mark.
#pragma once

#include <string>

#include "FolderItem.h"
#include "TextInputStream.h"

// The six settings in the file's line order.
struct PrefsValues {
    std::string demoPath;        // DemoPathBox
    std::string numPerChallenge; // NumPerChallengeBox
    std::string numPerPlayer;    // NumPerPlayerBox
    bool limitPerPlayer = false; // NumPlayerChek, "Limit per player"
    bool onlyPlayer = false;     // OnlyPlayerChek, "Only process this player"
    std::string playerName;      // PlayerNameBox
};

// Six lines, taken as they are; a missing line reads as empty. A box is checked unless its line is exactly "0".
// One UTF-8 byte-order mark at the very start of the file is skipped.
PrefsValues ReadPrefs(TextInputStream& stream);

// Writes the six lines to a new file beside `file` and then puts that in its place, so that a save that fails at
// any point leaves the previous file whole. NilObjectException when it fails.
void WritePrefs(const FolderItem& file, const PrefsValues& values);
