#pragma once
// Synthetic collections for the benchmarks: a given number of levels, players, runs per level,
// a share of team players and a share of multiplayer runs, always the same for the same sizes.
#include "model/level.h"
#include <cstdint>
#include <vector>

namespace vt::bench {

struct Koko {
    unsigned levelit = 1000;
    unsigned pelaajat = 1000;
    unsigned ajojaPerLevel = 20;
    unsigned tiimiProsentti = 30; // share of players carrying a team tag
    unsigned multiProsentti = 10; // share of runs that are multiplayer runs
    std::uint32_t siemen = 1;
};

std::vector<Level> teeKokoelma(const Koko &koko);

} // namespace vt::bench
