// Realistic demo names for the benchmark: a few hundred challenges, a few dozen players, times per challenge.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// `count` distinct names such as "Canyon07]01.23.456(ann.Race).dm_68", the same for the same count and seed.
// About 17 demos share each challenge, so the challenge count grows with `count`.
std::vector<std::string> MakeDemoNames(int count, uint32_t seed);
