// What a press of "Go!" does: validate the two numbers, check the demo folder, scan, sort and prune.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "files/FolderItem.h"
#include "MainWinSettings.h"

// Validates both numbers (the per-challenge one first, at most one message) and then runs the prune, with the main
// window's settings as they read when "Go!" was pressed; the window takes no input during a run. Each number's text
// is read once: validation tests its Val, the passes use Int of that value.
void PressGo(const MainWinSettings& settings);

// The run after validation, with every message it shows, keeping perChallenge and perPlayer demos in the passes
// that use each. It ends at its first message.
void RunPrune(const MainWinSettings& settings, int32_t perChallenge, int32_t perPlayer);

// The message for a demo folder that the run must not walk, or empty when it may: the folder must exist,
// hold at least one item and fewer than 5000.
std::string DemoFolderProblem(const Ref<FolderItem>& folder);

// One pruning pass over DemoList: in each run of equal challenge keys, keeps the first `keep` demos whose player
// field equals `player` (every demo when `player` is empty) and deletes the later ones. Returns false, having
// deleted nothing, when any demo of the list has an empty player field. Requires DemoCount >= 1.
// Each demo it could not delete is added to `undeleted` when that is given.
[[nodiscard]] bool PruneDemos(int32_t keep, const std::string& player,
                              std::vector<Ref<FolderItem>>* undeleted = nullptr);
// What one pruning pass per name of PlayerList (entry 1 up to its empty end entry) with this same `keep` deletes, in
// one walk over DemoList that counts each player's demos apart: the passes neither change the list nor look at what
// was deleted, so the same demos go, in list order rather than player by player. Returns false, having deleted
// nothing, when any demo of the list has an empty player field. Requires DemoCount >= 1 and the PlayerList of the
// scan that filled DemoList.
[[nodiscard]] bool PruneEachPlayer(int32_t keep, std::vector<Ref<FolderItem>>* undeleted = nullptr);
