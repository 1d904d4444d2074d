// Realistic demo names for the benchmark: a few hundred challenges, a few dozen players, times per challenge.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// `count` distinct names such as "Canyon07]01.23.456(ann.Race).dm_68", the same for the same count, players and
// seed. About 17 demos share each challenge, so the challenge count grows with `count`. The players are drawn from
// `players` names; with as many players as demos, every demo has a player of its own, as in a downloaded pack.
std::vector<std::string> MakeDemoNames(int count, int players, uint32_t seed);
// The player count of the folders that are pruned.
constexpr int kPlayersOfAFolder = 36;
