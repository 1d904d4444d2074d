// The main window's six settings as text and check marks: what a press of "Go!" reads and the preferences file keeps.
#pragma once

#include <string>

// In the preferences file's line order. The numbers are kept as typed; Go reads them, the file stores them unread.
struct MainWinSettings {
    std::string demoPath;        // DemoPathBox
    std::string numPerChallenge; // NumPerChallengeBox
    std::string numPerPlayer;    // NumPerPlayerBox
    bool limitPerPlayer = false; // NumPlayerChek, "Limit per player"
    bool onlyPlayer = false;     // OnlyPlayerChek, "Only process this player"
    std::string playerName;      // PlayerNameBox, used exactly as typed
};
