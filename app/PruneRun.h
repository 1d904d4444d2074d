// What a press of "Go!" does: validate the two numbers, check the demo folder, scan, sort and prune.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "FolderItem.h"

// The main window's six controls as they read when "Go!" was pressed; the window takes no input during a run.
struct PruneSettings {
    std::string demoPath;        // DemoPathBox
    std::string numPerChallenge; // NumPerChallengeBox
    std::string numPerPlayer;    // NumPerPlayerBox
    std::string playerName;      // PlayerNameBox, used exactly as typed
    bool onlyPlayer = false;     // OnlyPlayerChek, "Only process this player"
    bool limitPerPlayer = false; // NumPlayerChek, "Limit per player"
};

// Validates both numbers (the per-challenge one first, at most one message) and then runs the prune.
void PressGo(const PruneSettings& settings);

// The run after validation, with every message it shows. It ends at its first message.
void RunPrune(const PruneSettings& settings);

// The message for a demo folder that the run must not walk, or empty when it may: the folder must exist,
// hold at least one item and fewer than 5000.
std::string DemoFolderProblem(const Ref<FolderItem>& folder);

// One pruning pass over DemoList: in each run of equal challenge keys, keeps the first `keep` demos whose player
// field equals `player` (every demo when `player` is empty) and deletes the later ones. Returns false, having
// deleted nothing, when any demo of the list has an empty player field. Requires DemoCount >= 1.
// Each demo it could not delete is added to `undeleted` when that is given.
[[nodiscard]] bool PruneDemos(int32_t keep, const std::string& player,
                              std::vector<Ref<FolderItem>>* undeleted = nullptr);
